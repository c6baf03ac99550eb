#include "tests/win32/ui_driver.h"

#include <vector>

#include "window/window_kit.h"

namespace ui {

void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchLoopMessage(message);
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMilliseconds) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMilliseconds) return false;
        Pump(10);
    }
    return true;
}

namespace {
INPUT Key(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}
}  // namespace

void PressKey(WORD key, bool shift, bool control) {
    std::vector<INPUT> inputs;
    if (shift) inputs.push_back(Key(VK_SHIFT, false));
    if (control) inputs.push_back(Key(VK_CONTROL, false));
    inputs.push_back(Key(key, false));
    inputs.push_back(Key(key, true));
    if (control) inputs.push_back(Key(VK_CONTROL, true));
    if (shift) inputs.push_back(Key(VK_SHIFT, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Pump(60);
}

void TypeAscii(const char* text) {
    for (; *text != '\0'; ++text) {
        const SHORT scan = VkKeyScanA(*text);
        PressKey(static_cast<WORD>(LOBYTE(scan)), (HIBYTE(scan) & 1) != 0);
    }
}

std::string WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int read = GetWindowTextA(hwnd, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(read > 0 ? read : 0));
    return text;
}

bool Activate(HWND hwnd) {
    SetForegroundWindow(hwnd);
    SetActiveWindow(hwnd);
    return PumpUntil([hwnd] { return GetActiveWindow() == hwnd && GetForegroundWindow() == hwnd; });
}

HWND MainWindowHandle() {
    LoadedWindow* window = FindLoadedWindow(MainWindow);
    return window != nullptr ? window->hwnd : nullptr;
}

HWND Control(DWORD id) {
    LoadedWindow* window = FindLoadedWindow(MainWindow);
    if (window == nullptr) return nullptr;
    ControlRecord* control = FindControlRecord(*window, id);
    return control != nullptr ? control->hwnd : nullptr;
}

}  // namespace ui
