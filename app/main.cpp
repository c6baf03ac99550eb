#include <windows.h>

#include "app/frame.h"

// Process start: no critical-error or missing-file boxes on the program's
// behalf, then the program; its exit code is that of the quit message.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const UINT mode = SetErrorMode(0);
    SetErrorMode(mode | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    StartProgram();
    ReleaseFrame();
    return QuitCode();
}
