// The program file itself, started as its own process under a small
// debugger that counts the frame's exit-routine notice and takes the exit
// code: closing, Esc, a quit from outside, the fatal path, its folder.
#include <gtest/gtest.h>

#include <windows.h>
#include <winternl.h>

#include <string>

namespace {

std::string programPath;  // Quendrel.exe, as a Windows path

const char kExitNotice[] = "Quendrel: exit routine ran\n";

struct ProcessRun {
    DWORD processId = 0;
    DWORD threadId = 0;
    DWORD exitCode = STILL_ACTIVE;
    int exitNotices = 0;
    std::string currentDirectory;  // as the process saw it, read at its window
    HANDLE started = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE finished = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::string program;
    std::string startDirectory;
};

std::string ReadDebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info) {
    std::string text(info.nDebugStringLength, '\0');
    SIZE_T read = 0;
    ReadProcessMemory(process, info.lpDebugStringData, &text[0], text.size(), &read);
    text.resize(read);
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

// The debugger loop must run on the thread that started the process.
DWORD WINAPI Debug(void* parameter) {
    ProcessRun& run = *static_cast<ProcessRun*>(parameter);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + run.program + "\"";
    if (!CreateProcessA(run.program.c_str(), &command[0], nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                        run.startDirectory.empty() ? nullptr : run.startDirectory.c_str(), &startup, &process)) {
        SetEvent(run.started);
        SetEvent(run.finished);
        return 1;
    }
    run.processId = process.dwProcessId;
    run.threadId = process.dwThreadId;
    SetEvent(run.started);
    for (;;) {
        DEBUG_EVENT event;
        if (!WaitForDebugEvent(&event, 30000)) break;
        DWORD status = DBG_CONTINUE;
        if (event.dwDebugEventCode == OUTPUT_DEBUG_STRING_EVENT &&
            ReadDebugString(process.hProcess, event.u.DebugString) == kExitNotice)
            ++run.exitNotices;
        if (event.dwDebugEventCode == EXCEPTION_DEBUG_EVENT &&
            event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
            status = DBG_EXCEPTION_NOT_HANDLED;
        if (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT && event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
        if (event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT && event.u.CreateProcessInfo.hFile)
            CloseHandle(event.u.CreateProcessInfo.hFile);
        const bool exited = event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT;
        if (exited) run.exitCode = event.u.ExitProcess.dwExitCode;
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (exited) break;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    SetEvent(run.finished);
    return 0;
}

struct FindArgs {
    DWORD processId;
    const char* title;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM parameter) {
    FindArgs& args = *reinterpret_cast<FindArgs*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    char title[64] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    if (owner == args.processId && IsWindowVisible(hwnd) && std::string(title) == args.title) {
        args.found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForWindow(DWORD processId, const char* title, DWORD timeout = 20000) {
    for (DWORD waited = 0; waited < timeout; waited += 50) {
        FindArgs args = {processId, title, nullptr};
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&args));
        if (args.found != nullptr) return args.found;
        Sleep(50);
    }
    return nullptr;
}

const char kTitle[] = "Quendrel BY Tavorin";
const char kErrorCaption[] = "\xB4\xED\xCE\xF3";  // 错误

class Program : public ::testing::Test {
protected:
    void Start(const std::string& program = programPath, const std::string& directory = "") {
        run_.program = program;
        run_.startDirectory = directory;
        debugger_ = CreateThread(nullptr, 0, Debug, &run_, 0, nullptr);
        WaitForSingleObject(run_.started, 20000);
        ASSERT_NE(run_.processId, 0u) << "could not start " << program;
        window_ = WaitForWindow(run_.processId, kTitle);
        ASSERT_NE(window_, nullptr);
    }
    void WaitForExit() {
        ASSERT_EQ(WaitForSingleObject(run_.finished, 30000), WAIT_OBJECT_0) << "the program did not end";
        WaitForSingleObject(debugger_, 5000);
    }
    HWND Child(DWORD id) { return GetDlgItem(window_, static_cast<int>(id)); }
    ProcessRun run_;
    HANDLE debugger_ = nullptr;
    HWND window_ = nullptr;
};

TEST_F(Program, ClosingTheWindowEndsWithCodeZeroAfterTheExitRoutine) {
    Start();
    PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    WaitForExit();
    EXPECT_EQ(run_.exitCode, 0u);
    EXPECT_EQ(run_.exitNotices, 1);
}

TEST_F(Program, EscInABoxEndsItLikeTheCloseButton) {
    Start();
    // Esc as the window's own key: through the loop, as a typed key would.
    PostMessageA(Child(0x16010003), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    WaitForExit();
    EXPECT_EQ(run_.exitCode, 0u);
    EXPECT_EQ(run_.exitNotices, 1);
}

TEST_F(Program, AQuitMessageFromOutsideEndsItWithThatCode) {
    Start();
    ASSERT_TRUE(PostThreadMessageA(run_.threadId, WM_QUIT, 5, 0));
    WaitForExit();
    EXPECT_EQ(run_.exitCode, 5u);
    EXPECT_EQ(run_.exitNotices, 1) << "the exit routine still runs, once";
}

// A box destroyed from outside makes the next conversion name a missing
// control: the fatal box, OK, exit code -1, and no exit routine.
TEST_F(Program, AMissingControlEndsItThroughTheFatalBox) {
    Start();
    SendMessageA(Child(0x16010004), WM_CLOSE, 0, 0);
    ASSERT_EQ(Child(0x16010004), nullptr);
    PostMessageA(Child(0x16010002), WM_CHAR, '5', 0x00060001);
    const HWND box = WaitForWindow(run_.processId, kErrorCaption);
    ASSERT_NE(box, nullptr);
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    // 运行时出错!\r\n\r\n错误信息：找不到控件 0x16010004\r\n
    EXPECT_STREQ(text,
                 "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA"
                 "\xD5\xD2\xB2\xBB\xB5\xBD\xBF\xD8\xBC\xFE 0x16010004\r\n");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitForExit();
    EXPECT_EQ(run_.exitCode, 0xFFFFFFFFu);
    EXPECT_EQ(run_.exitNotices, 0);
}

// Reads the current directory out of the process's parameters block.
std::string CurrentDirectoryOf(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) return "";
    PROCESS_BASIC_INFORMATION basic = {};
    NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr);
    PEB peb = {};
    RTL_USER_PROCESS_PARAMETERS parameters = {};
    ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, nullptr);
    ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters, nullptr);
    // CurrentDirectory.DosPath follows the standard handles in the block.
    UNICODE_STRING path = {};
    ReadProcessMemory(process, reinterpret_cast<const char*>(peb.ProcessParameters) + 0x24, &path, sizeof path,
                      nullptr);
    std::wstring wide(path.Length / 2, L'\0');
    ReadProcessMemory(process, path.Buffer, &wide[0], path.Length, nullptr);
    CloseHandle(process);
    char ansi[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), ansi, sizeof ansi - 1, nullptr,
                        nullptr);
    return ansi;
}

TEST_F(Program, RunsInItsOwnFolderWhateverTheStarterSet) {
    // A folder with a space, and a file name holding a double-byte character
    // whose trail byte is 0x5C ('\\'): the cut must step over it whole, or
    // it would end inside the file name.
    char own[MAX_PATH];
    GetModuleFileNameA(nullptr, own, sizeof own);
    std::string base = own;
    base = base.substr(0, base.rfind('\\') + 1);
    const std::string folder = base + "quendrel \x81\x5C" "folder";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
        << folder << " error " << GetLastError() << " code page " << GetACP();
    const std::string copy = folder + "\\Quendrel\x81\x5C.exe";
    ASSERT_TRUE(CopyFileA(programPath.c_str(), copy.c_str(), FALSE));
    Start(copy, "C:\\windows");
    std::string seen = CurrentDirectoryOf(run_.processId);
    while (!seen.empty() && seen.back() == '\\') seen.pop_back();
    EXPECT_EQ(seen, folder);
    PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    WaitForExit();
    EXPECT_EQ(run_.exitCode, 0u);
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(Program, TypingIntoTheRealWindowConvertsLive) {
    Start();
    // The conversion runs only once the box holds the focus, which comes
    // with the window's activation.
    for (int i = 0; i < 200 && GetForegroundWindow() != window_; ++i) Sleep(25);
    ASSERT_EQ(GetForegroundWindow(), window_);
    PostMessageA(Child(0x16010002), WM_CHAR, '5', 0x00060001);
    // Another process's edit text is read with WM_GETTEXT: GetWindowText
    // would give only the text it was created with.
    char text[32] = {};
    for (int i = 0; i < 200 && text[0] == '\0'; ++i) {
        Sleep(25);
        SendMessageA(Child(0x16010004), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    }
    EXPECT_STREQ(text, "188.976");
    PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    WaitForExit();
}

}  // namespace

// The program's path comes as the first argument, as a Unix path when the
// tests run under Wine.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: program_tests PATH-TO-Quendrel.exe\n");
        return 2;
    }
    programPath = argv[1];
    if (programPath[0] == '/') {
        programPath = "Z:" + programPath;
        for (char& c : programPath)
            if (c == '/') c = '\\';
    }
    return RUN_ALL_TESTS();
}
