#include "tests/exactness/binary_reference.h"

#include <cstdio>
#include <cstdlib>

namespace exact {

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "binary reference: %s\n", what);
    std::abort();
}

Binary Special(Binary::Kind kind, bool negative) {
    Binary value;
    value.kind = kind;
    value.negative = negative;
    return value;
}

Binary DefaultNaN() { return Special(Binary::Kind::kNaN, true); }

// Rounds significand * 2^exponent to `bits`, with `sticky` standing for
// non-zero bits below the significand's lowest one.
Binary RoundParts(bool negative, BigUnsigned significand, int exponent, int bits, bool sticky) {
    Binary result;
    result.negative = negative;
    const int length = significand.BitLength();
    if (length > bits) {
        const int drop = length - bits;
        const bool half = significand.Bit(drop - 1);
        const bool below = sticky || significand.AnyBitBelow(drop - 1);
        const bool odd = significand.Bit(drop);
        significand.ShiftRight(drop);
        exponent += drop;
        if (half && (below || odd)) {
            significand.AddSmall(1);
            if (significand.BitLength() > bits) {  // carried into a new power of two
                significand.ShiftRight(1);
                ++exponent;
            }
        }
    } else if (sticky) {
        Fail("a sticky bit with spare significand bits");
    }
    result.significand = significand;
    result.exponent = significand.IsZero() ? 0 : exponent;
    return result;
}

// The significand shifted so that it has exactly `bits` bits.
BigUnsigned Normalised(const Binary& value, int bits, int* exponent) {
    BigUnsigned significand = value.significand;
    const int shift = bits - significand.BitLength();
    if (shift < 0) Fail("value wider than its format");
    significand.ShiftLeft(shift);
    *exponent = value.exponent - shift;
    return significand;
}

}  // namespace

Binary BinaryOfInteger(std::int64_t value) {
    Binary result;
    result.negative = value < 0;
    const std::uint64_t magnitude =
        value < 0 ? 0u - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    result.significand = BigUnsigned(magnitude);
    return result;
}

Binary BinaryOfSingle(std::uint32_t bits) {
    const bool negative = (bits >> 31) != 0;
    const std::uint32_t field = (bits >> 23) & 0xFFu;
    const std::uint32_t fraction = bits & 0x007FFFFFu;
    if (field == 0xFFu) return Special(fraction != 0 ? Binary::Kind::kNaN : Binary::Kind::kInfinite, negative);
    Binary result;
    result.negative = negative;
    result.significand = BigUnsigned(field != 0 ? fraction | 0x00800000u : fraction);
    result.exponent = field != 0 ? static_cast<int>(field) - 150 : -149;
    return result;
}

Binary BinaryOfDouble(std::uint64_t bits) {
    const bool negative = (bits >> 63) != 0;
    const std::uint64_t field = (bits >> 52) & 0x7FFu;
    const std::uint64_t fraction = bits & 0x000FFFFFFFFFFFFFull;
    if (field == 0x7FFu) return Special(fraction != 0 ? Binary::Kind::kNaN : Binary::Kind::kInfinite, negative);
    Binary result;
    result.negative = negative;
    result.significand = BigUnsigned(field != 0 ? fraction | 0x0010000000000000ull : fraction);
    result.exponent = field != 0 ? static_cast<int>(field) - 1075 : -1074;
    return result;
}

Binary NearestOfRatio(const BigUnsigned& numerator, const BigUnsigned& denominator, int bits) {
    if (numerator.IsZero()) return Binary();
    // Enough extra bits in the quotient that rounding sees its guard bit.
    int shift = bits + 2 + denominator.BitLength() - numerator.BitLength();
    if (shift < 0) shift = 0;
    BigUnsigned scaled = numerator;
    scaled.ShiftLeft(shift);
    BigUnsigned quotient;
    BigUnsigned remainder;
    DivideWithRemainder(scaled, denominator, &quotient, &remainder);
    return RoundParts(false, quotient, -shift, bits, !remainder.IsZero());
}

Binary Rounded(const Binary& value, int bits) {
    if (value.kind != Binary::Kind::kFinite) return value;
    return RoundParts(value.negative, value.significand, value.exponent, bits, false);
}

Binary Product(const Binary& a, const Binary& b, int bits) {
    const bool negative = a.negative != b.negative;
    if (a.kind == Binary::Kind::kNaN) return a;
    if (b.kind == Binary::Kind::kNaN) return b;
    if (a.kind == Binary::Kind::kInfinite || b.kind == Binary::Kind::kInfinite) {
        if (a.IsZero() || b.IsZero()) return DefaultNaN();
        return Special(Binary::Kind::kInfinite, negative);
    }
    return RoundParts(negative, Multiply(a.significand, b.significand), a.exponent + b.exponent, bits, false);
}

Binary Quotient(const Binary& a, const Binary& b, int bits) {
    const bool negative = a.negative != b.negative;
    if (a.kind == Binary::Kind::kNaN) return a;
    if (b.kind == Binary::Kind::kNaN) return b;
    if (a.kind == Binary::Kind::kInfinite) {
        if (b.kind == Binary::Kind::kInfinite) return DefaultNaN();
        return Special(Binary::Kind::kInfinite, negative);
    }
    if (b.kind == Binary::Kind::kInfinite) {
        Binary zero;
        zero.negative = negative;
        return zero;
    }
    if (b.IsZero()) return a.IsZero() ? DefaultNaN() : Special(Binary::Kind::kInfinite, negative);
    Binary result = NearestOfRatio(a.significand, b.significand, bits);
    result.negative = negative;
    if (!result.IsZero()) result.exponent += a.exponent - b.exponent;
    return result;
}

int CompareValues(const Binary& a, const Binary& b) {
    if (a.kind != Binary::Kind::kFinite || b.kind != Binary::Kind::kFinite) Fail("comparison of a special value");
    if (a.IsZero() && b.IsZero()) return 0;
    if (a.IsZero()) return b.negative ? 1 : -1;
    if (b.IsZero()) return a.negative ? -1 : 1;
    if (a.negative != b.negative) return a.negative ? -1 : 1;
    // Align both significands on the lower exponent.
    BigUnsigned left = a.significand;
    BigUnsigned right = b.significand;
    if (a.exponent > b.exponent) left.ShiftLeft(a.exponent - b.exponent);
    if (b.exponent > a.exponent) right.ShiftLeft(b.exponent - a.exponent);
    const int order = Compare(left, right);
    return a.negative ? -order : order;
}

std::uint32_t SingleBitsOf(const Binary& value) {
    const std::uint32_t sign = value.negative ? 0x80000000u : 0u;
    if (value.kind == Binary::Kind::kNaN) return sign | 0x7FC00000u;
    if (value.kind == Binary::Kind::kInfinite) return sign | 0x7F800000u;
    if (value.IsZero()) return sign;
    int exponent = 0;
    const BigUnsigned significand = Normalised(value, kSingleBits, &exponent);
    const int field = exponent + 150;
    if (field < 1 || field > 254) Fail("single out of the normal range");
    return sign | (static_cast<std::uint32_t>(field) << 23) |
           (static_cast<std::uint32_t>(significand.Low64()) & 0x007FFFFFu);
}

std::uint64_t DoubleBitsOf(const Binary& value) {
    const std::uint64_t sign = value.negative ? 0x8000000000000000ull : 0u;
    if (value.kind == Binary::Kind::kNaN) return sign | 0x7FF8000000000000ull;
    if (value.kind == Binary::Kind::kInfinite) return sign | 0x7FF0000000000000ull;
    if (value.IsZero()) return sign;
    int exponent = 0;
    const BigUnsigned significand = Normalised(value, kDoubleBits, &exponent);
    const int field = exponent + 1075;
    if (field < 1 || field > 2046) Fail("double out of the normal range");
    return sign | (static_cast<std::uint64_t>(field) << 52) | (significand.Low64() & 0x000FFFFFFFFFFFFFull);
}

std::uint64_t DoubleNearest(std::uint64_t numerator, std::uint64_t denominator) {
    return DoubleBitsOf(NearestOfRatio(BigUnsigned(numerator), BigUnsigned(denominator), kDoubleBits));
}

std::uint32_t SingleOfInteger(std::int32_t value) {
    return SingleBitsOf(Rounded(BinaryOfInteger(value), kSingleBits));
}

// Each step: formed at 64 bits, stored as a double; the last store is the
// single.
std::uint32_t PixelsOf(std::uint32_t centimetreBits, std::uint32_t resolutionBits, std::uint64_t inchBits) {
    const Binary product =
        Rounded(Product(BinaryOfSingle(centimetreBits), BinaryOfSingle(resolutionBits), kExtendedBits), kDoubleBits);
    const Binary quotient = Rounded(Quotient(product, BinaryOfDouble(inchBits), kExtendedBits), kDoubleBits);
    return SingleBitsOf(Rounded(quotient, kSingleBits));
}

std::uint32_t CentimetresOf(std::uint32_t pixelBits, std::uint32_t resolutionBits, std::uint64_t inchBits) {
    const Binary quotient =
        Rounded(Quotient(BinaryOfSingle(pixelBits), BinaryOfSingle(resolutionBits), kExtendedBits), kDoubleBits);
    const Binary product = Rounded(Product(quotient, BinaryOfDouble(inchBits), kExtendedBits), kDoubleBits);
    return SingleBitsOf(Rounded(product, kSingleBits));
}

std::uint64_t SixDigitRoundingSteps(std::uint32_t singleBits, int intermediateBits) {
    const bool negative = (singleBits >> 31) != 0;
    const std::uint32_t magnitude = singleBits & 0x7FFFFFFFu;
    if (magnitude == 0) return 0;
    if (magnitude > 0x7F800000u) return 0x7FF8000000000000ull;
    if (magnitude == 0x7F800000u) return (negative ? 0x8000000000000000ull : 0u) | 0x7FF0000000000000ull;

    // 1. n: the power-of-two exponent times the double nearest log10 2,
    // truncated toward zero (the product has at most 61 bits, so it is exact).
    const std::uint32_t field = magnitude >> 23;
    const int binaryExponent = static_cast<int>(field) - 127;
    static const Binary kLog10Of2 =
        BinaryOfDouble(DoubleNearest(30102999566398120ull, 100000000000000000ull));
    BigUnsigned scaledExponent = kLog10Of2.significand;
    scaledExponent.MultiplySmall(static_cast<std::uint32_t>(binaryExponent < 0 ? -binaryExponent : binaryExponent));
    scaledExponent.ShiftLeft(kLog10Of2.exponent);  // the exponent is negative: truncation
    int n = static_cast<int>(scaledExponent.Low64());
    if (binaryExponent < 0) n = -n;

    // 2. P: 10^|n| as a double.
    auto powerOfTen = [](int k) {
        return Rounded(Binary{Binary::Kind::kFinite, false, BigUnsigned::PowerOfTen(k), 0}, kDoubleBits);
    };
    Binary power = powerOfTen(n < 0 ? -n : n);

    // 3. s, kept at 64 bits.
    const Binary value = BinaryOfSingle(magnitude);
    const Binary scaled = n > 0 ? Quotient(value, power, intermediateBits) : Product(value, power, intermediateBits);

    // 4. Correction by one decade; X formed at 64 bits.
    const Binary ten = BinaryOfInteger(10);
    Binary x;
    if (CompareValues(scaled, ten) >= 0) {
        power = Rounded(Product(ten, power, intermediateBits), kDoubleBits);
        ++n;
        x = Product(scaled, BinaryOfInteger(10000), intermediateBits);
    } else if (CompareValues(scaled, BinaryOfInteger(1)) < 0) {
        power = Rounded(Product(ten, power, intermediateBits), kDoubleBits);
        --n;
        x = Product(scaled, BinaryOfInteger(1000000), intermediateBits);
    } else {
        x = Product(scaled, BinaryOfInteger(100000), intermediateBits);
    }

    // 5. X stored as a double; r its integral part, plus one when the
    // fraction (the bits below the point) is 0.5 or more.
    x = Rounded(x, kDoubleBits);
    BigUnsigned whole = x.significand;
    bool halfOrMore = false;
    if (x.exponent < 0) {
        halfOrMore = whole.Bit(-x.exponent - 1);
        whole.ShiftRight(-x.exponent);
    } else {
        whole.ShiftLeft(x.exponent);
    }
    if (halfOrMore) whole.AddSmall(1);
    const Binary r{Binary::Kind::kFinite, false, whole, 0};

    // 6. Scaling back, the inner product at 64 bits as well.
    Binary result;
    if (n > 0) {
        static const Binary kOneHundredThousandth = BinaryOfDouble(DoubleNearest(1, 100000));
        const Binary factor = Product(power, kOneHundredThousandth, intermediateBits);
        result = Rounded(Product(r, factor, intermediateBits), kDoubleBits);
    } else {
        const Binary divisor = Product(power, BinaryOfInteger(100000), intermediateBits);
        result = Rounded(Quotient(r, divisor, intermediateBits), kDoubleBits);
    }
    result.negative = negative;
    return DoubleBitsOf(result);
}

}  // namespace exact
