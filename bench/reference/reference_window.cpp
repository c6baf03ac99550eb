#include "bench/reference/reference_window.h"

namespace {

LRESULT CALLBACK ReferenceWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateReferenceWindow(HINSTANCE instance, int show, AddControls addControls) {
    WNDCLASSA cls = {};
    cls.lpfnWndProc = ReferenceWindowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = "ReferenceWindow";
    if (RegisterClassA(&cls) == 0) return nullptr;

    const HWND window = CreateWindowExA(0, cls.lpszClassName, "Reference", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                        CW_USEDEFAULT, CW_USEDEFAULT, 284, 268, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return nullptr;
    for (int i = 0; i < 3; ++i)
        CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 80,
                        20 + 40 * i, 120, 22, window, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(100 + i)),
                        instance, nullptr);
    if (addControls != nullptr) addControls(window, instance);
    ShowWindow(window, show);
    return window;
}
