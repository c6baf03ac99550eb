#include "tests/exactness/decimal_reference.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/exactness/big_unsigned.h"

namespace exact {

namespace {

constexpr std::uint32_t kSmallPowersOfTen[] = {1,      10,      100,      1000,      10000,
                                               100000, 1000000, 10000000, 100000000, 1000000000};

// floor(2 * significand * 2^binaryExponent * 10^decimalScale). Twice the
// scaled value carries both its integral part and the half needed for the
// tie test, so one floor division answers both.
std::uint64_t TwiceScaledFloor(std::uint32_t significand, int binaryExponent, int decimalScale) {
    BigUnsigned value(significand);
    const int twice = binaryExponent + 1;
    if (decimalScale >= 0) {
        for (int k = decimalScale; k > 0; k -= 9) value.MultiplySmall(kSmallPowersOfTen[k < 9 ? k : 9]);
        value.ShiftLeft(twice);  // a negative count is a floor shift right
    } else {
        // floor(floor(a / b) / c) == floor(a / (b c)) for positive integers.
        value.ShiftLeft(twice);
        for (int k = -decimalScale; k > 0; k -= 9) value.DivideSmall(kSmallPowersOfTen[k < 9 ? k : 9]);
    }
    if (!value.FitsIn64()) {
        std::fprintf(stderr, "decimal reference: scaled value out of range\n");
        std::abort();
    }
    return value.Low64();
}

int FloorDivide(int numerator, int denominator) {
    const int quotient = numerator / denominator;
    return (numerator % denominator != 0 && numerator < 0) ? quotient - 1 : quotient;
}

char* PutDigits(char* out, const char* digits, int count) {
    for (int i = 0; i < count; ++i) *out++ = digits[i];
    return out;
}

}  // namespace

std::uint32_t SingleBits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float SingleFromBits(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

SixDigits RoundToSixSignificantDigits(std::uint32_t singleBits) {
    const std::uint32_t field = (singleBits >> 23) & 0xFFu;
    std::uint32_t significand = singleBits & 0x007FFFFFu;
    int binaryExponent = -149;
    if (field != 0) {
        significand |= 0x00800000u;
        binaryExponent = static_cast<int>(field) - 150;
    }
    int topBit = 0;
    for (std::uint32_t rest = significand; rest > 1; rest >>= 1) ++topBit;
    // 78913 / 2^18 is log10 2 to within 1e-6; the loop below corrects any
    // estimate that is off by one.
    int exponent = FloorDivide((binaryExponent + topBit) * 78913, 1 << 18);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::uint64_t twice = TwiceScaledFloor(significand, binaryExponent, 5 - exponent);
        const std::uint64_t whole = twice >> 1;
        if (whole >= 1000000u) {
            ++exponent;
        } else if (whole < 100000u) {
            --exponent;
        } else {
            // floor(y + 1/2) == floor((floor(2y) + 1) / 2): half away from zero.
            std::uint32_t digits = static_cast<std::uint32_t>((twice + 1) >> 1);
            if (digits == 1000000u) {
                digits = 100000u;
                ++exponent;
            }
            return {digits, exponent};
        }
    }
    std::fprintf(stderr, "decimal reference: no decimal exponent found for %08x\n", singleBits);
    std::abort();
}

std::size_t TextOfSingle(std::uint32_t singleBits, char* out) {
    const bool negative = (singleBits >> 31) != 0;
    const std::uint32_t magnitude = singleBits & 0x7FFFFFFFu;
    char* p = out;
    if (magnitude > 0x7F800000u) {
        std::memcpy(p, "1.#QNAN", 7);
        return 7;
    }
    if (magnitude == 0x7F800000u) {
        if (negative) *p++ = '-';
        std::memcpy(p, "1.#INF", 6);
        return static_cast<std::size_t>(p - out) + 6;
    }
    if (magnitude == 0) {
        *p = '0';
        return 1;
    }

    const SixDigits six = RoundToSixSignificantDigits(magnitude);
    char digits[6];
    std::uint32_t rest = six.digits;
    for (int i = 5; i >= 0; --i, rest /= 10) digits[i] = static_cast<char>('0' + rest % 10);
    int significant = 6;  // digits up to the last non-zero one
    while (significant > 1 && digits[significant - 1] == '0') --significant;

    if (negative) *p++ = '-';
    const int x = six.exponent;
    if (x < -4 || x >= 6) {
        *p++ = digits[0];
        if (significant > 1) {
            *p++ = '.';
            p = PutDigits(p, digits + 1, significant - 1);
        }
        *p++ = 'e';
        *p++ = x < 0 ? '-' : '+';
        const int shown = x < 0 ? -x : x;
        *p++ = static_cast<char>('0' + shown / 100);
        *p++ = static_cast<char>('0' + shown / 10 % 10);
        *p++ = static_cast<char>('0' + shown % 10);
    } else if (x >= 0) {
        const int integral = x + 1;  // digits before the point, at most 6
        p = PutDigits(p, digits, integral);
        if (significant > integral) {
            *p++ = '.';
            p = PutDigits(p, digits + integral, significant - integral);
        }
    } else {
        *p++ = '0';
        *p++ = '.';
        for (int i = 0; i < -x - 1; ++i) *p++ = '0';
        p = PutDigits(p, digits, significant);
    }
    return static_cast<std::size_t>(p - out);
}

std::string TextOfSingle(std::uint32_t singleBits) {
    char buffer[16];
    return std::string(buffer, TextOfSingle(singleBits, buffer));
}

}  // namespace exact
