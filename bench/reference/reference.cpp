// The smallest program of the same shape as Quendrel: one fixed 284x268
// window with three edit boxes and a message loop, nothing else. Its size
// and start-up time are the yardstick the benchmarks measure Quendrel by.
//
// Built a second time with REFERENCE_DRAWS_TEXTS, it also shows the
// program's labels and link text as plain static controls: the start-up
// bench uses it to tell how much of Quendrel's start-up is the drawing of
// those texts.
#include <windows.h>

#include "bench/reference/reference_window.h"

#ifdef REFERENCE_DRAWS_TEXTS
constexpr AddControls kAddControls = AddFormTexts;
#else
constexpr AddControls kAddControls = nullptr;
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    if (CreateReferenceWindow(instance, show, kAddControls) == nullptr) return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
