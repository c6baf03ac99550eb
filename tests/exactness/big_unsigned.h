#pragma once
#include <cstdint>

// A small unsigned big integer for the exact references: fixed capacity, so
// that the hot loop of the exhaustive checker never allocates. Every result
// that would not fit aborts instead of wrapping, so a reference can never be
// silently wrong.
namespace exact {

class BigUnsigned {
public:
    // 512 bits: the widest value any reference forms is about 260 bits.
    static constexpr int kLimbs = 16;

    BigUnsigned() = default;
    explicit BigUnsigned(std::uint64_t value);
    static BigUnsigned PowerOfTen(int exponent);

    bool IsZero() const { return size_ == 0; }
    int BitLength() const;
    bool Bit(int index) const;
    // Whether any of the bits below the given index is set.
    bool AnyBitBelow(int index) const;
    bool FitsIn64() const { return size_ <= 2; }
    std::uint64_t Low64() const;

    BigUnsigned& ShiftLeft(int bits);
    BigUnsigned& ShiftRight(int bits);  // floor
    BigUnsigned& MultiplySmall(std::uint32_t factor);
    BigUnsigned& AddSmall(std::uint32_t addend);
    // Floor division; returns the remainder.
    std::uint32_t DivideSmall(std::uint32_t divisor);
    BigUnsigned& Add(const BigUnsigned& other);
    BigUnsigned& Subtract(const BigUnsigned& other);  // requires *this >= other

    friend BigUnsigned Multiply(const BigUnsigned& a, const BigUnsigned& b);
    // quotient = floor(a / b), remainder = a - quotient * b; b must not be 0.
    friend void DivideWithRemainder(const BigUnsigned& a, const BigUnsigned& b, BigUnsigned* quotient,
                                    BigUnsigned* remainder);
    friend int Compare(const BigUnsigned& a, const BigUnsigned& b);

private:
    void Trim();
    std::uint32_t limbs_[kLimbs] = {};
    int size_ = 0;  // limbs in use; the top one is non-zero
};

inline bool operator==(const BigUnsigned& a, const BigUnsigned& b) { return Compare(a, b) == 0; }
inline bool operator<(const BigUnsigned& a, const BigUnsigned& b) { return Compare(a, b) < 0; }

}  // namespace exact
