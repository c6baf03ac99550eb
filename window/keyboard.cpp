#include "window/keyboard.h"

namespace {

bool IsAvailableTabStop(const LoadedWindow& window, ControlId id, HWND* hwnd) {
    for (std::size_t i = 0; i < window.spec->controlCount; ++i) {
        const ControlRecord& control = window.controls[i];
        if (control.spec->id != id || !control.spec->tabStop) continue;
        if (!IsWindowVisible(control.hwnd) || !IsWindowEnabled(control.hwnd)) return false;
        *hwnd = control.hwnd;
        return true;
    }
    return false;
}

// Only sets the focus: unlike the dialog manager it selects no text, so the
// caret stays where the user left it.
void MoveFocus(const LoadedWindow& window, int step) {
    const std::size_t count = window.spec->tabStopCount;
    const HWND focus = GetFocus();
    std::size_t current = count;  // no tab stop has the focus
    for (std::size_t i = 0; i < count; ++i) {
        HWND hwnd = nullptr;
        if (IsAvailableTabStop(window, window.spec->tabOrder[i], &hwnd) && hwnd == focus) current = i;
    }
    std::size_t index = current == count ? (step > 0 ? count - 1 : 0) : current;
    for (std::size_t tried = 0; tried < count; ++tried) {
        index = (index + count + static_cast<std::size_t>(step)) % count;
        HWND hwnd = nullptr;
        if (IsAvailableTabStop(window, window.spec->tabOrder[index], &hwnd)) {
            SetFocus(hwnd);
            return;
        }
    }
}

void NextTabStop(LoadedWindow& window) { MoveFocus(window, 1); }
void PreviousTabStop(LoadedWindow& window) { MoveFocus(window, -1); }
void CloseWindow(LoadedWindow& window) { SendMessageA(window.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); }

struct WindowKey {
    WPARAM key;
    bool shift;
    void (*action)(LoadedWindow&);
};

// Enter and F1 are deliberately absent: they go on to the focused box.
const WindowKey kWindowKeys[] = {
    {VK_TAB, false, NextTabStop},
    {VK_TAB, true, PreviousTabStop},
    {VK_ESCAPE, false, CloseWindow},
};

bool IsDown(int key) { return GetKeyState(key) < 0; }

}  // namespace

bool OfferKeyToWindow(LoadedWindow& window, const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (IsDown(VK_CONTROL) || IsDown(VK_MENU) || IsDown(VK_LWIN) || IsDown(VK_RWIN)) return false;
    const bool shift = IsDown(VK_SHIFT);
    for (const WindowKey& key : kWindowKeys) {
        if (key.key == message.wParam && key.shift == shift) {
            key.action(window);
            return true;
        }
    }
    return false;
}

HWND FirstTabStop(const LoadedWindow& window) {
    for (std::size_t i = 0; i < window.spec->tabStopCount; ++i) {
        HWND hwnd = nullptr;
        if (IsAvailableTabStop(window, window.spec->tabOrder[i], &hwnd)) return hwnd;
    }
    return nullptr;
}
