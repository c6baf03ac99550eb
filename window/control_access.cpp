#include "window/control_access.h"

#include "app/heap.h"
#include "window/window_kit.h"

const char kEmptyText[] = "";

std::int32_t HasFocus(WindowId window, ControlId control) {
    const HWND focus = GetFocus();
    if (focus == nullptr) return 0;
    return RequireLiveControl(window, control).hwnd == focus ? 1 : 0;
}

char* ReadContent(WindowId window, ControlId control) {
    const HWND box = RequireLiveControl(window, control).hwnd;
    const int length = GetWindowTextLengthA(box);
    if (length <= 0) return nullptr;
    // The length may overstate a double-byte text; what was read counts.
    char* text = static_cast<char*>(AllocateBlock(static_cast<std::size_t>(length) + 1));
    const int read = GetWindowTextA(box, text, length + 1);
    if (read <= 0) {
        FreeBlock(text);
        return nullptr;
    }
    text[read] = '\0';
    return text;
}

void WriteContent(WindowId window, ControlId control, const char* text) {
    ControlRecord& box = RequireLiveControl(window, control);
    // The control's own change notification for the replacement is muted;
    // the one sent afterwards is the write's single ContentChanged.
    box.settingContent = true;
    SendMessageA(box.hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text != nullptr ? text : kEmptyText));
    box.settingContent = false;
    SendMessageA(box.hwnd, WM_COMMAND, MAKEWPARAM(LOWORD(box.spec->id), EN_CHANGE),
                 reinterpret_cast<LPARAM>(box.hwnd));
}

void ReleaseText(char* text) {
    if (text == nullptr || text == kEmptyText) return;
    FreeBlock(text);
}
