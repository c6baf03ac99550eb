#pragma once
#include <cstdint>

// The converter's extended steps rely on the x87 unit running with a 64-bit
// significand, round to nearest and every exception masked: control word
// 0x037F, which FNINIT sets along with an empty register stack.
inline void ResetX87() { __asm__ __volatile__("fninit"); }

inline std::uint16_t X87ControlWord() {
    std::uint16_t word;
    __asm__ __volatile__("fnstcw %0" : "=m"(word));
    return word;
}
