#pragma once
#include <cstddef>

// Every text the program hands around lives in one heap. A request that
// cannot be met ends the program, so callers never see a failed allocation.
void* AllocateBlock(std::size_t bytes);
void FreeBlock(void* block);
