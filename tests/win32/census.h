#pragma once
#include <windows.h>

#include <cstddef>

// What the process heap and the window system hold for this process at one
// moment. Every text the program hands around lives in the process heap,
// so a block it forgot to release shows up as one more busy block.
//
// GetGuiResources gives the GDI and USER counts where the system keeps
// them. Wine's is a stub that always answers 0; there the GDI objects are
// counted in the process's own GDI handle table (an entry is in use while
// its type is not 0), and a USER object kept shows as a moved free slot:
// the server hands out the slot freed last first, so a probe taken before
// and after some work gets the same slot unless something still holds it.
struct Census {
    std::size_t busyBlocks;
    std::size_t busyBytes;
    DWORD gdiObjects;     // GetGuiResources; 0 where the platform does not count
    DWORD userObjects;
    DWORD kernelHandles;  // GetProcessHandleCount; 0 where the platform does not count
    int gdiTableEntries;  // live entries of the GDI handle table; -1 where it cannot be read
    WORD userProbeSlot;   // the slot a new USER object is given
    int windows;          // windows of this thread, their children included
};

Census TakeCensus();

// Whether GetGuiResources counts here; where it does not, whether the GDI
// handle table can be read instead.
bool GuiResourcesCounted();
bool GdiTableReadable();
