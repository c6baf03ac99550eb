// The smallest program of the same shape as Quendrel: one fixed 284x268
// window with three edit boxes and a message loop, nothing else. Its size
// and start-up time are the yardstick the benchmarks measure Quendrel by.
#include <windows.h>

namespace {

LRESULT CALLBACK ReferenceWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

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
    ShowWindow(window, show);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
