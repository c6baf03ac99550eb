#include <windows.h>

#include "app/frame.h"

// The process starts here rather than in the C runtime's start-up code: the
// program reads no command line or environment and has no static
// constructors or thread-local data, so that code would only add weight.
// StartProgram resets the x87 unit itself.
extern "C" void __stdcall ProcessStart() {
    // No critical-error or missing-file boxes on the program's behalf.
    const UINT mode = SetErrorMode(0);
    SetErrorMode(mode | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    StartProgram();
    ReleaseFrame();
    ExitProcess(static_cast<UINT>(QuitCode()));
}
