#pragma once
#include <cstdint>

// A small xorshift generator: the same seed gives the same sample in both
// builds, which the cross-build digest relies on.
struct SeededRandom {
    std::uint64_t state;
    std::uint32_t Next() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<std::uint32_t>(state >> 16);
    }
    std::uint32_t Below(std::uint32_t bound) { return Next() % bound; }
    // Whole numbers of every magnitude, both signs; zero as often as any
    // magnitude when zeroShare is set.
    std::int32_t Integer(bool zeroShare = false) {
        const std::uint32_t shift = Next() % (zeroShare ? 33u : 32u);
        std::uint32_t value = shift == 32 ? 0u : Next() >> shift;
        if (Next() & 1u) value = 0u - value;
        return static_cast<std::int32_t>(value);
    }
};
