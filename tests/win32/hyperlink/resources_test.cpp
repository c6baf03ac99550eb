// Hovering and painting the link over and over keeps no GDI or USER object.
// How they are counted where the system keeps no count: tests/win32/census.h.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/win32/census.h"
#include "tests/win32/hyperlink/link_support.h"
#include "tests/win32/ui_driver.h"

namespace {

constexpr int kCycles = 10000;

void HoverAndPaint(HWND link) {
    link::PostMoveInside(link);
    UpdateWindow(link);
    link::PostMoveOutside(link);
    UpdateWindow(link);
}

TEST(LinkResources, HoverAndPaintCyclesKeepNoGdiOrUserObject) {
    link::EnsureMainWindow();
    const HWND link = link::MainLink();
    ASSERT_NE(link, nullptr);
    // The first cycles fill caches (device contexts, glyphs) that stay.
    for (int i = 0; i < 50; ++i) HoverAndPaint(link);

    if (!GuiResourcesCounted()) {
        std::printf("GetGuiResources answers 0 here; %s\n",
                    GdiTableReadable() ? "counting the GDI handle table and probing the USER free slot instead"
                                       : "the GDI handle table cannot be read either");
        ASSERT_TRUE(GdiTableReadable()) << "no way to count GDI objects";
    }
    const Census before = TakeCensus();
    const DWORD start = GetTickCount();
    for (int i = 0; i < kCycles; ++i) HoverAndPaint(link);
    const DWORD elapsed = GetTickCount() - start;
    const Census after = TakeCensus();
    std::printf("%d hover-and-paint cycles in %lu ms; GDI %lu/%lu, USER %lu/%lu, GDI table %d/%d\n", kCycles,
                static_cast<unsigned long>(elapsed), static_cast<unsigned long>(before.gdiObjects),
                static_cast<unsigned long>(after.gdiObjects), static_cast<unsigned long>(before.userObjects),
                static_cast<unsigned long>(after.userObjects), before.gdiTableEntries, after.gdiTableEntries);

    EXPECT_EQ(after.gdiObjects, before.gdiObjects);
    EXPECT_EQ(after.userObjects, before.userObjects);
    EXPECT_EQ(after.gdiTableEntries, before.gdiTableEntries);
    EXPECT_EQ(after.userProbeSlot, before.userProbeSlot) << "a USER object made in the cycles is still held";
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_EQ(GetCapture(), nullptr) << "every cycle ended outside";
}

// The census itself sees what it is meant to see.
TEST(LinkResources, TheCensusSeesWhatIsKept) {
    const Census before = TakeCensus();
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    HMENU menu = CreateMenu();
    void* block = HeapAlloc(GetProcessHeap(), 0, 24);
    const Census after = TakeCensus();
    HeapFree(GetProcessHeap(), 0, block);
    DestroyMenu(menu);
    DeleteObject(brush);
    EXPECT_EQ(after.busyBlocks, before.busyBlocks + 1);
    if (GuiResourcesCounted()) {
        EXPECT_EQ(after.gdiObjects, before.gdiObjects + 1);
        EXPECT_EQ(after.userObjects, before.userObjects + 1);
    } else {
        EXPECT_EQ(after.gdiTableEntries, before.gdiTableEntries + 1);
        EXPECT_NE(after.userProbeSlot, before.userProbeSlot);
    }
}

}  // namespace
