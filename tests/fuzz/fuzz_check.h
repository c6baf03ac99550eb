#pragma once
#include <cstdio>
#include <cstdlib>

// A failed invariant ends the run at once, so that libFuzzer keeps the
// input as a crash and the corpus replay fails in ctest.
#define FUZZ_CHECK(condition)                                                               \
    do {                                                                                    \
        if (!(condition)) {                                                                 \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                   \
        }                                                                                   \
    } while (0)
