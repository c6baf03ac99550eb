#pragma once
#include <cstddef>

// The test heap: plain malloc, but it knows every live block so that tests
// can tell leaks and double or foreign releases apart.
namespace test_heap {
std::size_t LiveBlocks();
bool IsLive(const void* block);
}
