#pragma once
#include <cstdint>

#include "tests/exactness/big_unsigned.h"

// Exact binary rounding for the references of the conversion steps: each
// product or quotient is formed exactly from integers and rounded once to
// the number of significand bits asked for, to nearest with ties to even,
// the way the x87 unit with a 64-bit significand and then double and single
// stores round it. The exponent is unbounded; turning a value into double or
// single bits refuses anything outside the normal range, which none of the
// converter's steps reach.
namespace exact {

struct Binary {
    enum class Kind { kFinite, kInfinite, kNaN };
    Kind kind = Kind::kFinite;
    bool negative = false;
    BigUnsigned significand;  // zero for a zero of either sign
    int exponent = 0;         // value = significand * 2^exponent

    bool IsZero() const { return kind == Kind::kFinite && significand.IsZero(); }
};

constexpr int kExtendedBits = 64;
constexpr int kDoubleBits = 53;
constexpr int kSingleBits = 24;

Binary BinaryOfInteger(std::int64_t value);
Binary BinaryOfSingle(std::uint32_t bits);
Binary BinaryOfDouble(std::uint64_t bits);
// numerator / denominator, both positive integers, rounded to `bits`.
Binary NearestOfRatio(const BigUnsigned& numerator, const BigUnsigned& denominator, int bits);

Binary Rounded(const Binary& value, int bits);
// As the x87 unit with every exception masked: a zero divisor gives an
// infinity, 0/0 and 0*inf its default NaN (sign bit set); a NaN operand
// comes through.
Binary Product(const Binary& a, const Binary& b, int bits);
Binary Quotient(const Binary& a, const Binary& b, int bits);
// Both finite: -1, 0 or 1, by value (zeros of both signs are equal).
int CompareValues(const Binary& a, const Binary& b);

std::uint32_t SingleBitsOf(const Binary& value);  // value has at most 24 bits
std::uint64_t DoubleBitsOf(const Binary& value);  // value has at most 53 bits

// The converter's steps, worked exactly.
std::uint32_t SingleOfInteger(std::int32_t value);
std::uint32_t PixelsOf(std::uint32_t centimetreBits, std::uint32_t resolutionBits, std::uint64_t inchBits);
std::uint32_t CentimetresOf(std::uint32_t pixelBits, std::uint32_t resolutionBits, std::uint64_t inchBits);
// The six-digit rounding by its own written steps: estimate of the decimal
// exponent, scaling by a double power of ten, correction, rounding of X and
// scaling back, each product or quotient at 64 bits and P, X and the result
// stored as doubles. `intermediateBits` is the precision each product or
// quotient is formed with: 64 as the converter does it, 53 for what a
// compiler that narrowed the steps to double would give.
std::uint64_t SixDigitRoundingSteps(std::uint32_t singleBits, int intermediateBits = kExtendedBits);

std::uint64_t DoubleNearest(std::uint64_t numerator, std::uint64_t denominator);

}  // namespace exact
