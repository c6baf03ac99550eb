#include "bench/reference/reference_window.h"

#include "window/form.h"

void AddFormTexts(HWND window, HINSTANCE instance) {
    const WindowSpec& form = *FindWindowSpec(MainWindow);
    const WPARAM font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (std::size_t i = 0; i < form.controlCount; ++i) {
        const ControlSpec& spec = form.controls[i];
        if (spec.kind == ControlKind::EditBox) continue;
        const DWORD align = spec.kind == ControlKind::Hyperlink ? SS_CENTER : SS_LEFT;
        const HWND text = CreateWindowExA(0, "STATIC", spec.text, WS_CHILD | WS_VISIBLE | SS_NOPREFIX | align,
                                          spec.left, spec.top, spec.width, spec.height, window, nullptr, instance,
                                          nullptr);
        SendMessageA(text, WM_SETFONT, font, FALSE);
    }
}
