#include "tests/win32/census.h"

#include <winternl.h>

namespace {

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
constexpr unsigned char kBrushType = 0x10;

const GdiHandleEntry* GdiTable() {
    PROCESS_BASIC_INFORMATION basic = {};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return nullptr;
    const BYTE* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
    return *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPebGdiTable);
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

void WalkHeap(Census& census) {
    const HANDLE heap = GetProcessHeap();
    // Locked so that no other thread of the runtime changes the heap under
    // the walk.
    HeapLock(heap);
    PROCESS_HEAP_ENTRY entry = {};
    while (HeapWalk(heap, &entry)) {
        if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) == 0) continue;
        ++census.busyBlocks;
        census.busyBytes += entry.cbData;
    }
    HeapUnlock(heap);
}

}  // namespace

bool GuiResourcesCounted() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0; }

// The table is what it is taken for when a new brush's entry says brush and
// the deleted one's says free.
bool GdiTableReadable() {
    const GdiHandleEntry* table = GdiTable();
    if (table == nullptr) return false;
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    const GdiHandleEntry& entry = table[LOWORD(reinterpret_cast<UINT_PTR>(brush))];
    const bool live = entry.type == kBrushType && entry.unique == HIWORD(reinterpret_cast<UINT_PTR>(brush));
    DeleteObject(brush);
    return live && entry.type == 0;
}

Census TakeCensus() {
    Census census = {};
    WalkHeap(census);
    census.gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    census.userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    GetProcessHandleCount(GetCurrentProcess(), &census.kernelHandles);
    // The table is read only where the system keeps no count: its layout is
    // Wine's own.
    census.gdiTableEntries = !GuiResourcesCounted() && GdiTableReadable() ? GdiTableCount() : -1;
    census.userProbeSlot = UserProbeSlot();
    census.windows = WindowsOfThread();
    return census;
}
