#include "window/window_kit.h"

#include "app/fatal_error.h"
#include "window/keyboard.h"

int EventHoldCount = 0;

namespace {
LoadedWindow loadedWindows[1];
}

LoadedWindow* FindLoadedWindow(WindowId id) {
    for (LoadedWindow& window : loadedWindows)
        if (window.spec != nullptr && window.spec->id == id && window.alive) return &window;
    return nullptr;
}

LoadedWindow* FindLoadedWindowByHandle(HWND hwnd) {
    for (LoadedWindow& window : loadedWindows)
        if (window.alive && window.hwnd == hwnd && hwnd != nullptr) return &window;
    return nullptr;
}

ControlRecord* FindControlRecord(LoadedWindow& window, ControlId id) {
    for (std::size_t i = 0; i < window.spec->controlCount; ++i)
        if (window.controls[i].spec->id == id) return &window.controls[i];
    return nullptr;
}

ControlRecord* FindControlRecordByHandle(HWND hwnd) {
    for (LoadedWindow& window : loadedWindows) {
        if (!window.alive) continue;
        for (std::size_t i = 0; i < window.spec->controlCount; ++i)
            if (window.controls[i].hwnd == hwnd && hwnd != nullptr) return &window.controls[i];
    }
    return nullptr;
}

LoadedWindow* ReserveLoadedWindow(const WindowSpec& spec) {
    for (LoadedWindow& window : loadedWindows) {
        if (window.alive) continue;
        window = LoadedWindow{};
        window.spec = &spec;
        for (std::size_t i = 0; i < spec.controlCount; ++i) window.controls[i].spec = &spec.controls[i];
        return &window;
    }
    return nullptr;
}

bool AnyLoadedWindowAlive() {
    for (const LoadedWindow& window : loadedWindows)
        if (window.alive) return true;
    return false;
}

ControlRecord& RequireLiveControl(WindowId windowId, ControlId controlId) {
    char message[64];
    LoadedWindow* window = FindLoadedWindow(windowId);
    if (window == nullptr || !IsWindow(window->hwnd)) {
        wsprintfA(message, "找不到窗口 0x%08X", static_cast<unsigned>(windowId));
        ReportFatalError(message, 0);
    }
    ControlRecord* control = FindControlRecord(*window, controlId);
    if (control == nullptr || control->hwnd == nullptr || !IsWindow(control->hwnd)) {
        wsprintfA(message, "找不到控件 0x%08X", static_cast<unsigned>(controlId));
        ReportFatalError(message, 0);
    }
    return *control;
}

namespace {
// Whatever is already waiting runs before the count changes, through the
// loop's own handling; the quit message is left for the loop.
void ProcessWaitingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (message.message == WM_QUIT) return;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return;
        DispatchLoopMessage(message);
    }
}
}  // namespace

void HoldEvents() {
    ProcessWaitingMessages();
    ++EventHoldCount;
}

void ResumeEvents() {
    ProcessWaitingMessages();
    if (EventHoldCount > 0) --EventHoldCount;
}

void RaiseEvent(ControlRecord& control, int event) {
    if (EventHoldCount > 0) return;
    for (std::size_t i = 0; i < control.spec->bindingCount; ++i) {
        if (control.spec->bindings[i].event == event) {
            control.spec->bindings[i].handler();
            return;
        }
    }
}

void DispatchLoopMessage(MSG& message) {
    for (HWND hwnd = message.hwnd; hwnd != nullptr; hwnd = GetAncestor(hwnd, GA_PARENT)) {
        LoadedWindow* window = FindLoadedWindowByHandle(hwnd);
        if (window != nullptr && OfferKeyToWindow(*window, message)) return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void ReleaseWindowKit() {
    for (LoadedWindow& window : loadedWindows) {
        if (window.bigIcon != nullptr) DestroyIcon(window.bigIcon);
        if (window.smallIcon != nullptr) DestroyIcon(window.smallIcon);
        window.bigIcon = window.smallIcon = nullptr;
    }
}
