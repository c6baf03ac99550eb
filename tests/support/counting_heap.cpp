#include "tests/support/counting_heap.h"

#include <cstdio>
#include <cstdlib>
#include <set>

#include "app/heap.h"

namespace {
std::set<const void*>& Live() {
    static std::set<const void*> live;
    return live;
}
}  // namespace

void* AllocateBlock(std::size_t bytes) {
    void* block = std::malloc(bytes == 0 ? 1 : bytes);
    if (block == nullptr) std::abort();
    Live().insert(block);
    return block;
}

void FreeBlock(void* block) {
    if (block == nullptr) return;
    if (Live().erase(block) == 0) {
        std::fprintf(stderr, "FreeBlock of a block that is not live\n");
        std::abort();
    }
    std::free(block);
}

namespace test_heap {
std::size_t LiveBlocks() { return Live().size(); }
bool IsLive(const void* block) { return Live().count(block) != 0; }
}  // namespace test_heap
