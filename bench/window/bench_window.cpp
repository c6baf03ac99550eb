#include "bench/window/bench_window.h"

#include <cstdio>

#include "app/frame.h"
#include "app/x87.h"
#include "tests/win32/ui_driver.h"
#include "window/form_ids.h"
#include "window/window_kit.h"

bool OpenMainWindow() {
    ResetX87();  // as the program's start-up does, for its arithmetic
    LoadWindow(MainWindow);
    if (ui::MainWindowHandle() == nullptr || !ui::Activate(ui::MainWindowHandle())) {
        std::fprintf(stderr, "the main window did not come up active\n");
        return false;
    }
    SetFocus(ui::Control(编辑框1));
    ui::Pump(100);
    if (GetFocus() != ui::Control(编辑框1)) {
        std::fprintf(stderr, "the centimetre box did not take the focus\n");
        return false;
    }
    return true;
}

double SecondsNow() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void PresetBox(DWORD box, const char* text) {
    ++EventHoldCount;
    SetWindowTextA(ui::Control(box), text);
    --EventHoldCount;
}
