// The smallest program of the same shape as Quendrel: one fixed 284x268
// window with three edit boxes and a message loop, nothing else. Its size
// and start-up time are the yardstick the benchmarks measure Quendrel by.
//
// Built a second time with REFERENCE_DRAWS_TEXTS, it also shows the
// program's labels and link text as plain static controls, where the form
// puts them: the start-up bench uses it to tell how much of Quendrel's
// start-up is the drawing of those texts.
#include <windows.h>

#ifdef REFERENCE_DRAWS_TEXTS
#include "window/form.h"
#endif

namespace {

LRESULT CALLBACK ReferenceWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

#ifdef REFERENCE_DRAWS_TEXTS
void CreateTexts(HWND window, HINSTANCE instance) {
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
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSA cls = {};
    cls.lpfnWndProc = ReferenceWindowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = "ReferenceWindow";
    if (RegisterClassA(&cls) == 0) return 1;

    const HWND window = CreateWindowExA(0, cls.lpszClassName, "Reference", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                        CW_USEDEFAULT, CW_USEDEFAULT, 284, 268, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    for (int i = 0; i < 3; ++i)
        CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 80,
                        20 + 40 * i, 120, 22, window, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(100 + i)),
                        instance, nullptr);
#ifdef REFERENCE_DRAWS_TEXTS
    CreateTexts(window, instance);
#endif
    ShowWindow(window, show);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
