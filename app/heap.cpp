#include "app/heap.h"

#include <windows.h>

#include "app/fatal_error.h"

void* AllocateBlock(std::size_t bytes) {
    void* block = HeapAlloc(GetProcessHeap(), 0, bytes);
    if (block == nullptr) {
        char message[64];
        wsprintfA(message, "分配 %d 字节内存失败!", static_cast<int>(bytes));
        ReportFatalError(message, 0);
    }
    return block;
}

void FreeBlock(void* block) {
    if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
}
