#include "tests/win32/robustness/heap_census.h"

Census TakeCensus() {
    Census census = {};
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
    census.gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    census.userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    GetProcessHandleCount(GetCurrentProcess(), &census.kernelHandles);
    return census;
}
