// Hovering and painting the link over and over keeps no GDI or USER object.
//
// GetGuiResources gives the counts where the system keeps them. Wine's is a
// stub that always answers 0; there the GDI objects are counted in the
// process's own GDI handle table (its entries are in use while their type is
// not 0), and a USER object kept would show as a moved free slot: the
// server hands out the slot freed last first, so a probe made before and
// after the cycles gets the same slot unless something still holds it.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/win32/hyperlink/link_support.h"
#include "tests/win32/ui_driver.h"

#include <winternl.h>

namespace {

constexpr int kCycles = 10000;

// One entry of Wine's GDI handle table, as its win32u lays it out.
struct GdiHandleEntry {
    unsigned long long object;
    unsigned long owner;
    unsigned short unique;
    unsigned char type;
    unsigned char flags;
    unsigned long long userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "the table's entry size");
constexpr unsigned kGdiTableEntries = 0x10000;
constexpr std::size_t kPebGdiTable = 0x94;  // GdiSharedHandleTable in a 32-bit PEB

const GdiHandleEntry* GdiTable() {
    PROCESS_BASIC_INFORMATION basic = {};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return nullptr;
    const BYTE* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
    return *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPebGdiTable);
}

// Whether the table is what it is taken for: a new brush's entry says brush
// and the deleted one's says free.
bool GdiTableReadable() {
    const GdiHandleEntry* table = GdiTable();
    if (table == nullptr) return false;
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    const GdiHandleEntry& entry = table[LOWORD(reinterpret_cast<UINT_PTR>(brush))];
    const bool live = entry.type == 0x10 && entry.unique == HIWORD(reinterpret_cast<UINT_PTR>(brush));
    DeleteObject(brush);
    return live && entry.type == 0;
}

int GdiTableCount() {
    const GdiHandleEntry* table = GdiTable();
    int count = 0;
    for (unsigned i = 0; i < kGdiTableEntries; ++i) count += table[i].type != 0;
    return count;
}

WORD UserProbeSlot() {
    HMENU menu = CreateMenu();
    const WORD slot = LOWORD(reinterpret_cast<UINT_PTR>(menu));
    DestroyMenu(menu);
    return slot;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountWindowAndChildren(HWND hwnd, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(hwnd, CountChild, count);
    return TRUE;
}

int WindowsOfThread() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindowAndChildren, reinterpret_cast<LPARAM>(&count));
    return count;
}

struct Census {
    DWORD gdi;     // GetGuiResources, 0 where it is not kept
    DWORD user;
    int gdiTable;  // live entries of the GDI table, where it can be read
    WORD userSlot;
    int windows;
};

Census Take(bool gdiTable) {
    return {GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS),
            gdiTable ? GdiTableCount() : 0, UserProbeSlot(), WindowsOfThread()};
}

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

    const bool counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0;
    const bool gdiTable = !counted && GdiTableReadable();
    if (!counted) {
        std::printf("GetGuiResources answers 0 here; %s\n",
                    gdiTable ? "counting the GDI handle table and probing the USER free slot instead"
                             : "the GDI handle table cannot be read either");
        ASSERT_TRUE(gdiTable) << "no way to count GDI objects";
    }
    const Census before = Take(gdiTable);
    const DWORD start = GetTickCount();
    for (int i = 0; i < kCycles; ++i) HoverAndPaint(link);
    const DWORD elapsed = GetTickCount() - start;
    const Census after = Take(gdiTable);
    std::printf("%d hover-and-paint cycles in %lu ms; GDI %lu/%lu, USER %lu/%lu, GDI table %d/%d\n", kCycles,
                static_cast<unsigned long>(elapsed), static_cast<unsigned long>(before.gdi),
                static_cast<unsigned long>(after.gdi), static_cast<unsigned long>(before.user),
                static_cast<unsigned long>(after.user), before.gdiTable, after.gdiTable);

    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    EXPECT_EQ(after.gdiTable, before.gdiTable);
    EXPECT_EQ(after.userSlot, before.userSlot) << "a USER object made in the cycles is still held";
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_EQ(GetCapture(), nullptr) << "every cycle ended outside";
}

// The census itself sees what it is meant to see.
TEST(LinkResources, TheCensusSeesAnObjectThatIsKept) {
    const bool gdiTable = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) == 0 && GdiTableReadable();
    const Census before = Take(gdiTable);
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    HMENU menu = CreateMenu();
    const Census after = Take(gdiTable);
    DestroyMenu(menu);
    DeleteObject(brush);
    if (gdiTable) {
        EXPECT_EQ(after.gdiTable, before.gdiTable + 1);
        EXPECT_NE(after.userSlot, before.userSlot);
    } else {
        EXPECT_EQ(after.gdi, before.gdi + 1);
        EXPECT_EQ(after.user, before.user + 1);
    }
}

}  // namespace
