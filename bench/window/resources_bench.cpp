// What the real window holds before and after long use: busy blocks of the
// process heap (where every text of the program lives), GDI and USER
// objects and kernel handles, around 100,000 conversions typed into the
// focused centimetre box and 10,000 passes of the pointer over the link.
//
//   resources_bench [conversions] [hover cycles]
#include <cstdio>
#include <cstdlib>

#include "bench/window/bench_window.h"
#include "tests/win32/census.h"
#include "tests/win32/ui_driver.h"
#include "window/form_ids.h"
#include "window/window_kit.h"

namespace {

// Handles what is waiting, without the pauses of a test's pump.
void Drain() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchLoopMessage(message);
}

// Edits of the focused box, each raising one conversion: digits typed and
// taken back, and now and then the whole text replaced, as a paste would.
// The replacing texts jump about from 0 to 99999 from the start, so that
// the first thousand already show every shape of result (the exponent form
// among them) and fill the font caches the later ones use.
void Convert(int count) {
    const HWND box = ui::Control(编辑框1);
    char text[16];
    for (int i = 0; i < count; ++i) {
        switch (i % 4) {
            case 0:
                wsprintfA(text, "%d", (i / 4 * 7919) % 100000);
                SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
                SendMessageA(box, EM_SETSEL, 32, 32);
                break;
            case 1: SendMessageA(box, WM_CHAR, '0' + i % 10, 1); break;
            case 2: SendMessageA(box, WM_CHAR, '7', 1); break;
            default: SendMessageA(box, WM_CHAR, '\b', 1); break;
        }
        if (i % 256 == 255) Drain();  // lets the boxes repaint now and then
    }
    ui::Pump(20);
}

// In, then out again: the link lights up, takes the capture, lets it go.
// False when the link did not follow, which would make the count moot.
bool Hover(int cycles) {
    const HWND link = ui::Control(超级链接框1);
    for (int i = 0; i < cycles; ++i) {
        PostMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        Drain();
        UpdateWindow(link);
        const bool entered = GetCapture() == link;
        PostMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(-5, -5));
        Drain();
        UpdateWindow(link);
        if (!entered || GetCapture() == link) {
            std::fprintf(stderr, "hover cycle %d: the link did not take and release the capture\n", i);
            return false;
        }
    }
    ui::Pump(20);
    return true;
}

// Where the system keeps no GDI and USER counts (Wine), the census reads
// the GDI handle table and probes the USER free slot instead; the printed
// figures are then those.
bool counted = true;

DWORD Gdi(const Census& census) {
    return counted ? census.gdiObjects : static_cast<DWORD>(census.gdiTableEntries);
}

void Print(const char* stage, const Census& census) {
    std::printf("census %-22s heap_blocks %6u heap_bytes %8u gdi %4lu user %4lu handles %4lu user_slot %5u windows %3d\n",
                stage, static_cast<unsigned>(census.busyBlocks), static_cast<unsigned>(census.busyBytes), Gdi(census),
                census.userObjects, census.kernelHandles, census.userProbeSlot, census.windows);
}

long Growth(DWORD after, DWORD before) { return static_cast<long>(after) - static_cast<long>(before); }

void PrintGrowth(const char* over, const Census& before, const Census& after) {
    std::printf("growth_%s heap_blocks %+ld gdi %+ld user %+ld handles %+ld user_slot %s windows %+d\n", over,
                Growth(after.busyBlocks, before.busyBlocks), Growth(Gdi(after), Gdi(before)),
                Growth(after.userObjects, before.userObjects), Growth(after.kernelHandles, before.kernelHandles),
                after.userProbeSlot == before.userProbeSlot ? "same" : "moved", after.windows - before.windows);
}

}  // namespace

int main(int argc, char** argv) {
    const int conversions = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int hovers = argc > 2 ? std::atoi(argv[2]) : 10000;
    // Printing first also makes the runtime set up its output buffer now.
    std::printf("resources_bench: %d conversions, %d hover cycles\n", conversions, hovers);
    std::fflush(stdout);
    if (!OpenMainWindow()) return 1;

    // A first round of each fills the system's caches (fonts, glyphs, the
    // capture) for good; growth after that would be the program's.
    Convert(1000);
    if (!Hover(100)) return 1;
    PresetBox(编辑框1, "");
    ui::Pump(50);

    counted = GuiResourcesCounted();
    if (!counted && !GdiTableReadable())
        std::printf("note: GetGuiResources returned 0 and the GDI handle table cannot be read: gdi is -1\n");
    const Census start = TakeCensus();
    Print("start", start);
    double began = SecondsNow();
    Convert(conversions);
    const double convertSeconds = SecondsNow() - began;
    PresetBox(编辑框1, "");
    ui::Pump(50);
    const Census afterConversions = TakeCensus();
    Print("after_conversions", afterConversions);

    began = SecondsNow();
    if (!Hover(hovers)) return 1;
    const double hoverSeconds = SecondsNow() - began;
    const Census afterHover = TakeCensus();
    Print("after_hover", afterHover);

    std::printf("conversions %d in %.2f s (%.1f us each)\n", conversions, convertSeconds,
                1e6 * convertSeconds / conversions);
    std::printf("hover_cycles %d in %.2f s\n", hovers, hoverSeconds);
    PrintGrowth("conversions", start, afterConversions);
    PrintGrowth("hover", afterConversions, afterHover);
    if (!counted)
        std::printf("note: GetGuiResources returned 0: gdi counts the GDI handle table's live entries; USER objects "
                    "are seen by the free-slot probe (user_slot) and the window count only\n");
    if (start.kernelHandles == 0)
        std::printf("note: GetProcessHandleCount returned 0: not counted on this platform\n");
    return 0;
}
