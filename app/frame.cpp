#include "app/frame.h"

#include <windows.h>
#include <ole2.h>

#include "app/fatal_error.h"
#include "app/x87.h"
#include "converter/stored_values.h"
#include "window/main_window.h"
#include "window/window_kit.h"

namespace {

struct FrameState {
    bool oleInitialized;
    ExitRoutine exitRoutine;
    bool loopStarted;
    int quitCode;
    bool formReleased;
};

FrameState frame = {};

// Up to the last backslash, stepping over double-byte characters whole, so
// that a trail byte equal to '\\' is not taken for one. The backslash is
// kept: "C:" alone would name the drive's current directory, not its root.
void EnterProgramFolder() {
    char path[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    char* cut = nullptr;
    for (char* p = path; *p != '\0'; p = CharNextA(p))
        if (*p == '\\') cut = p + 1;
    if (cut == nullptr) return;
    *cut = '\0';
    SetCurrentDirectoryA(path);
}

}  // namespace

void PrepareFrame() {
    if (!frame.oleInitialized) {
        OleInitialize(nullptr);
        frame.oleInitialized = true;  // whatever it returned: uninitialised in step with it
    }
    EnterProgramFolder();
    if (!FormIsConsistent()) ReportFatalError("载入窗口模板数据段出错!", 0);
}

void RegisterExitRoutine(ExitRoutine routine) { frame.exitRoutine = routine; }

void LoadWindow(WindowId id) {
    const WindowSpec* spec = FindWindowSpec(id);
    if (spec == nullptr || !BuildWindow(*spec)) ReportFatalError("载入启动窗口失败", 0);
}

void RunMessageLoop() {
    frame.loopStarted = true;
    if (!AnyLoadedWindowAlive()) return;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchLoopMessage(message);
    if (message.message == WM_QUIT) frame.quitCode = static_cast<int>(message.wParam);
}

// The quit rule, run as the last step of a loaded window's destruction.
void OnLoadedWindowDestroyed() {
    if (!AnyLoadedWindowAlive() && frame.loopStarted) PostQuitMessage(0);
}

void ReleaseFrame() {
    ++EventHoldCount;  // never lowered again
    frame.formReleased = true;  // the form is constant data: nothing to free
    if (frame.exitRoutine != nullptr) {
        const ExitRoutine routine = frame.exitRoutine;
        frame.exitRoutine = nullptr;
        routine();
        // Lets a debugger, and the program's own tests, see that it ran.
        OutputDebugStringA("Quendrel: exit routine ran\n");
    }
    ReleaseWindowKit();
    if (frame.oleInitialized) {
        OleUninitialize();
        frame.oleInitialized = false;
    }
}

std::int32_t StartProgram() {
    PrepareFrame();
    ResetX87();
    InitGlobals();
    RegisterExitRoutine(ReleaseGlobals);
    LoadWindow(MainWindow);
    RunMessageLoop();
    return 0;
}

int QuitCode() { return frame.quitCode; }
