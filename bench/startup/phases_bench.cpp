// Where Quendrel's start-up time goes, inside one fresh process: first a
// throwaway window, which pays for what the window system sets up once for
// any program (its libraries, the display connection); then the program's
// start-up steps (OLE initialisation in PrepareFrame, the window built by
// LoadWindow) and the first painting of every control, timed one message
// at a time. Only the first of each in a process pays for what is set up
// once, so every launch times one start.
//
//   phases_bench [quendrel | reference | reference_texts]
//
// The reference programs' windows are built the same way in their place,
// so that each phase can be set against theirs.
// Prints one line per phase and per window class whose messages it
// handled, in milliseconds.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "app/frame.h"
#include "app/x87.h"
#include "bench/reference/reference_window.h"
#include "bench/window/bench_window.h"
#include "converter/stored_values.h"
#include "window/form_ids.h"
#include "window/window_kit.h"

namespace {

struct ClassTime {
    char name[32];
    double ms;
};

// Handles what is waiting, adding each message's time to its window class.
void DrainTimed(ClassTime (&classes)[16], int& used) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        char name[32] = "";
        GetClassNameA(message.hwnd, name, sizeof name);
        const double start = SecondsNow();
        DispatchLoopMessage(message);
        const double ms = 1e3 * (SecondsNow() - start);
        int i = 0;
        while (i < used && std::strcmp(classes[i].name, name) != 0) ++i;
        if (i == used) {
            if (used == 16) continue;
            std::strcpy(classes[used++].name, name);
        }
        classes[i].ms += ms;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const char* const which = argc > 1 ? argv[1] : "quendrel";
    const bool quendrel = std::strcmp(which, "quendrel") == 0;
    const bool texts = std::strcmp(which, "reference_texts") == 0;
    if (!quendrel && !texts && std::strcmp(which, "reference") != 0) {
        std::fprintf(stderr, "usage: phases_bench [quendrel | reference | reference_texts]\n");
        return 2;
    }
    const double begun = SecondsNow();
    DestroyWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    const double start = SecondsNow();
    if (quendrel) PrepareFrame();
    const double prepared = SecondsNow();
    if (quendrel) {
        ResetX87();
        InitGlobals();
        LoadWindow(MainWindow);
    } else if (CreateReferenceWindow(GetModuleHandleA(nullptr), SW_SHOW, texts ? AddFormTexts : nullptr) == nullptr) {
        return 1;
    }
    const double loaded = SecondsNow();
    ClassTime classes[16] = {};
    int used = 0;
    DrainTimed(classes, used);
    const double painted = SecondsNow();

    std::printf("phase %s first_window_ms %.1f\n", which, 1e3 * (start - begun));
    std::printf("phase %s prepare_frame_ms %.1f\n", which, 1e3 * (prepared - start));
    std::printf("phase %s load_window_ms %.1f\n", which, 1e3 * (loaded - prepared));
    std::printf("phase %s first_messages_ms %.1f\n", which, 1e3 * (painted - loaded));
    for (int i = 0; i < used; ++i) std::printf("class %s %s %.1f\n", which, classes[i].name, classes[i].ms);
    return 0;
}
