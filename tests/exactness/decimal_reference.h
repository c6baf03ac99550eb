#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The text a single must become, worked out in exact integer arithmetic
// from the single's exact value: six significant digits, ties away from
// zero, then the "%.6g"-like layout with three exponent digits.
namespace exact {

struct SixDigits {
    std::uint32_t digits;  // 100000 to 999999
    int exponent;          // the power of ten of the first digit
};

// For the magnitude of a finite non-zero single, given by its bits.
SixDigits RoundToSixSignificantDigits(std::uint32_t singleBits);

// Writes the text without a terminating NUL and returns its length; the
// buffer needs 16 bytes.
std::size_t TextOfSingle(std::uint32_t singleBits, char* out);
std::string TextOfSingle(std::uint32_t singleBits);

std::uint32_t SingleBits(float value);
float SingleFromBits(std::uint32_t bits);

}  // namespace exact
