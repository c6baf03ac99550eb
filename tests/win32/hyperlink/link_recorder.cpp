// Stands in for the browser registered for .htm files: appends the command
// line it was started with to the log in the temporary folder and ends.
// A GUI program, so that no console is made for it.
#include <windows.h>

#include <cstring>

#include "tests/win32/hyperlink/recorder_log.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH + sizeof kRecorderLogName];
    const DWORD length = GetTempPathA(MAX_PATH, path);
    if (length == 0 || length >= MAX_PATH) return 1;
    std::memcpy(path + length, kRecorderLogName, sizeof kRecorderLogName);

    const char* command = GetCommandLineA();
    const DWORD size = static_cast<DWORD>(std::strlen(command));
    char* line = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, size + 2));
    if (line == nullptr) return 1;
    std::memcpy(line, command, size);
    line[size] = '\r';
    line[size + 1] = '\n';

    // Appending in one write keeps each start on a line of its own.
    const HANDLE log = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(log, line, size + 2, &written, nullptr);
    CloseHandle(log);
    return ok && written == size + 2 ? 0 : 1;
}
