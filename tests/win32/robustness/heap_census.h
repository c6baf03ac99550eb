#pragma once
#include <windows.h>

#include <cstddef>

// What the process heap and the window system hold for this process at one
// moment. Every text the program hands around lives in the process heap,
// so a block it forgot to release shows up as one more busy block.
struct Census {
    std::size_t busyBlocks;
    std::size_t busyBytes;
    DWORD gdiObjects;   // GetGuiResources; 0 where the platform does not count
    DWORD userObjects;
    DWORD kernelHandles;
};

Census TakeCensus();
