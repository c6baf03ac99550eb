// One typed character's round trip in the real window: from posting the
// WM_CHAR to the centimetre box until the pixel box holds its new text,
// through the same loop handling the program's message loop uses. The
// repaint that follows is not part of it.
//
//   typing_bench [samples]
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/window/bench_window.h"
#include "tests/win32/ui_driver.h"
#include "window/form_ids.h"
#include "window/window_kit.h"

namespace {

// Dispatches until the pixel box no longer shows `before`; false after a
// second without that.
bool PumpUntilChanged(HWND pixelBox, const std::string& before) {
    const double deadline = SecondsNow() + 1.0;
    while (SecondsNow() < deadline) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchLoopMessage(message);
            if (ui::WindowText(pixelBox) != before) return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const int samples = argc > 1 ? std::atoi(argv[1]) : 1000;
    if (!OpenMainWindow()) return 1;
    const HWND centimetreBox = ui::Control(编辑框1);
    const HWND pixelBox = ui::Control(编辑框3);
    PresetBox(编辑框1, "2");
    SendMessageA(centimetreBox, EM_SETSEL, 1, 1);
    ui::Pump(50);

    // A digit and a backspace in turn: "2" and "21" alternate, so every
    // key changes the pixel text and the line stays short.
    std::vector<double> microseconds;
    for (int i = 0; i < samples + 20; ++i) {
        ui::Pump(0);  // what is waiting (paints) is not part of the sample
        const std::string before = ui::WindowText(pixelBox);
        const WPARAM key = i % 2 == 0 ? '1' : '\b';
        const double start = SecondsNow();
        PostMessageA(centimetreBox, WM_CHAR, key, 1);
        if (!PumpUntilChanged(pixelBox, before)) {
            std::fprintf(stderr, "keystroke %d changed nothing within a second\n", i);
            return 1;
        }
        const double elapsed = SecondsNow() - start;
        if (i >= 20) microseconds.push_back(1e6 * elapsed);  // the first few warm caches
    }
    std::printf("keystroke round trips: %d\n", samples);
    std::printf("typing_round_trip_us median %.1f\n", Median(microseconds));
    std::printf("typing_round_trip_us p10 %.1f\n", Percentile(microseconds, 0.10));
    std::printf("typing_round_trip_us p90 %.1f\n", Percentile(microseconds, 0.90));
    return 0;
}
