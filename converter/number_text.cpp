#include "converter/number_text.h"

#include <cstring>
#include <limits>

#include "app/heap.h"

namespace {

char* CopyToHeap(const char* bytes, std::size_t length) {
    char* text = static_cast<char*>(AllocateBlock(length + 1));
    std::memcpy(text, bytes, length);
    text[length] = '\0';
    return text;
}

// The one-byte stand-in for a two-byte character, or 0 to keep it.
char FoldedByte(unsigned char first, unsigned char second) {
    if (first == 0xA3 && second >= 0xA1 && second <= 0xFE) return static_cast<char>(second & 0x7F);
    if (first != 0xA1) return 0;
    switch (second) {
        case 0xA1: return ' ';
        case 0xAB: return '~';
        case 0xEE:
        case 0xEF: return '*';
        default: return 0;
    }
}

bool IsParseSpace(unsigned char byte) { return byte == ' ' || (byte >= 0x09 && byte <= 0x0D); }

std::uint32_t FloatBits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::uint64_t DoubleBits(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

constexpr double kLog10Of2 = 0.30102999566398120;

// 10^k as the nearest double; a single's decimal exponent never exceeds 38.
constexpr double kPowersOfTen[] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11, 1e12,
    1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22, 1e23, 1e24, 1e25,
    1e26, 1e27, 1e28, 1e29, 1e30, 1e31, 1e32, 1e33, 1e34, 1e35, 1e36, 1e37, 1e38};

// 10^k in the extended format, built from powers 10^(2^i) so that any
// double's decimal exponent is reachable with a relative error near 2^-61.
long double ScaleByPowerOfTen(long double value, int k) {
    static const long double kSquares[] = {1e1L, 1e2L, 1e4L, 1e8L, 1e16L, 1e32L, 1e64L, 1e128L, 1e256L};
    long double power = 1.0L;
    unsigned magnitude = k < 0 ? static_cast<unsigned>(-k) : static_cast<unsigned>(k);
    for (int i = 0; magnitude != 0 && i < 9; ++i, magnitude >>= 1) {
        if (magnitude & 1u) power *= kSquares[i];
    }
    return k < 0 ? value / power : value * power;
}

// The six significant digits of a positive finite double as an integer from
// 100000 to 999999, half away from zero; *exponent gets the power of ten of
// the first digit. Exact for the values RoundToSixDigits delivers, which lie
// within an ulp of a six-digit decimal.
std::int32_t SixDigitsOf(double magnitude, int* exponent) {
    int binaryExponent = static_cast<int>((DoubleBits(magnitude) >> 52) & 0x7FF) - 1023;
    if (binaryExponent == -1023) binaryExponent = -1074;  // subnormal: only a lower bound is needed
    long double estimate = static_cast<long double>(binaryExponent) * kLog10Of2;
    int decimalExponent = static_cast<int>(estimate);
    if (decimalExponent > estimate) --decimalExponent;  // floor
    std::int32_t digits = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        const long double scaled = ScaleByPowerOfTen(magnitude, 5 - decimalExponent);
        digits = static_cast<std::int32_t>(scaled + 0.5L);
        if (digits >= 1000000) {
            ++decimalExponent;
        } else if (digits < 100000) {
            --decimalExponent;
        } else {
            break;
        }
    }
    *exponent = decimalExponent;
    return digits;
}

char* WriteDigits(char* out, const char* digits, int count) {
    std::memcpy(out, digits, static_cast<std::size_t>(count));
    return out + count;
}

// Drops trailing zeros after a point, and the point itself when bare.
char* TrimFraction(char* begin, char* end) {
    char* point = static_cast<char*>(std::memchr(begin, '.', static_cast<std::size_t>(end - begin)));
    if (point == nullptr) return end;
    while (end > point + 1 && end[-1] == '0') --end;
    if (end == point + 1) --end;
    return end;
}

}  // namespace

char* FoldFullWidth(const char* text) {
    const std::size_t length = std::strlen(text);
    char* folded = static_cast<char*>(AllocateBlock(length + 1));
    char* out = folded;
    for (const unsigned char* in = reinterpret_cast<const unsigned char*>(text); *in != 0;) {
        if (*in < 0x80) {
            *out++ = static_cast<char>(*in++);
            continue;
        }
        if (in[1] == 0) break;  // a lone lead byte at the end is dropped
        const char single = FoldedByte(in[0], in[1]);
        if (single != 0) {
            *out++ = single;
        } else {
            *out++ = static_cast<char>(in[0]);
            *out++ = static_cast<char>(in[1]);
        }
        in += 2;
    }
    *out = '\0';
    return folded;
}

std::int32_t TextToInteger(const char* text) {
    char* folded = FoldFullWidth(text);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(folded);
    while (IsParseSpace(*p)) ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    std::uint32_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) value = value * 10u + static_cast<std::uint32_t>(*p - '0');
    FreeBlock(folded);
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

double RoundToSixDigits(float value) {
    const std::uint32_t bits = FloatBits(value);
    const std::uint32_t exponentField = (bits >> 23) & 0xFF;
    if ((bits & 0x7FFFFFFFu) == 0) return 0.0;
    if (exponentField == 0xFF) {
        if ((bits & 0x007FFFFFu) != 0) return std::numeric_limits<double>::quiet_NaN();
        return static_cast<double>(value);
    }

    // exponentField is 0 for subnormals, which so count as 2^-127.
    const int binaryExponent = static_cast<int>(exponentField) - 127;
    int n = static_cast<int>(static_cast<long double>(binaryExponent) * kLog10Of2);
    double power = kPowersOfTen[n < 0 ? -n : n];
    const long double magnitude = value < 0 ? -static_cast<long double>(value) : static_cast<long double>(value);
    const long double scaled = n > 0 ? magnitude / power : magnitude * power;

    long double sixDigitsExtended;
    if (scaled >= 10) {
        power = static_cast<double>(10.0L * power);
        ++n;
        sixDigitsExtended = scaled * 10000;
    } else if (scaled < 1) {
        power = static_cast<double>(10.0L * power);
        --n;
        sixDigitsExtended = scaled * 1000000;
    } else {
        sixDigitsExtended = scaled * 100000;
    }
    // Rounding to double first is what lets an exact tie reach the test.
    const double sixDigits = static_cast<double>(sixDigitsExtended);
    double whole = static_cast<double>(static_cast<std::int32_t>(sixDigits));
    if (sixDigits - whole >= 0.5) whole += 1;

    const double rounded = n > 0 ? static_cast<double>(whole * (power * static_cast<long double>(0.00001)))
                                 : static_cast<double>(whole / (power * static_cast<long double>(100000)));
    return value < 0 ? -rounded : rounded;
}

char* FormatSixDigits(double value) {
    const std::uint64_t bits = DoubleBits(value);
    const bool negative = (bits >> 63) != 0;
    if ((bits & 0x7FF0000000000000ull) == 0x7FF0000000000000ull) {
        if ((bits & 0x000FFFFFFFFFFFFFull) != 0) return CopyToHeap("1.#QNAN", 7);
        return negative ? CopyToHeap("-1.#INF", 7) : CopyToHeap("1.#INF", 6);
    }
    if (value == 0) return CopyToHeap("0", 1);

    int exponent = 0;
    const std::int32_t six = SixDigitsOf(negative ? -value : value, &exponent);
    char digits[6];
    for (int i = 5, rest = six; i >= 0; --i, rest /= 10) digits[i] = static_cast<char>('0' + rest % 10);

    char buffer[32];
    char* out = buffer;
    if (negative) *out++ = '-';
    char* number = out;
    if (exponent < -4 || exponent >= 6) {
        *out++ = digits[0];
        *out++ = '.';
        out = TrimFraction(number, WriteDigits(out, digits + 1, 5));
        *out++ = 'e';
        *out++ = exponent < 0 ? '-' : '+';
        const int shown = exponent < 0 ? -exponent : exponent;
        *out++ = static_cast<char>('0' + shown / 100 % 10);
        *out++ = static_cast<char>('0' + shown / 10 % 10);
        *out++ = static_cast<char>('0' + shown % 10);
    } else if (exponent >= 0) {
        out = WriteDigits(out, digits, exponent + 1);
        *out++ = '.';
        out = TrimFraction(number, WriteDigits(out, digits + exponent + 1, 5 - exponent));
    } else {
        *out++ = '0';
        *out++ = '.';
        for (int i = 0; i < -exponent - 1; ++i) *out++ = '0';
        out = TrimFraction(number, WriteDigits(out, digits, 6));
    }
    return CopyToHeap(buffer, static_cast<std::size_t>(out - buffer));
}

char* SingleToText(float value) { return FormatSixDigits(RoundToSixDigits(value)); }
