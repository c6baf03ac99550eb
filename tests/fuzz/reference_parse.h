#pragma once
#include <cstdint>
#include <string>

// An independent reading of the box texts, written apart from the
// converter's: characters are one byte below 80 hex, else a lead byte and
// its partner, each mapped on its own; the number is read with 64-bit
// arithmetic reduced modulo 2^32 after every digit.
namespace fuzz_reference {

// The one-byte form of a two-byte character, or -1 when it has none.
inline int FoldedForm(unsigned lead, unsigned trail) {
    if (lead == 0xA3) return trail >= 0xA1 && trail <= 0xFE ? static_cast<int>(trail - 0x80) : -1;
    if (lead != 0xA1) return -1;
    if (trail == 0xA1) return ' ';
    if (trail == 0xAB) return '~';
    if (trail == 0xEE || trail == 0xEF) return '*';
    return -1;
}

inline std::string Fold(const char* text) {
    std::string folded;
    const std::string bytes(text);
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            folded += bytes[i];
            i += 1;
        } else if (i + 1 == bytes.size()) {
            break;  // a lead byte without a partner
        } else {
            const unsigned trail = static_cast<unsigned char>(bytes[i + 1]);
            const int single = FoldedForm(lead, trail);
            if (single >= 0) {
                folded += static_cast<char>(single);
            } else {
                folded += bytes.substr(i, 2);
            }
            i += 2;
        }
    }
    return folded;
}

inline std::int32_t Parse(const char* text) {
    const std::string folded = Fold(text);
    const std::string space = " \t\n\v\f\r";
    std::size_t i = 0;
    while (i < folded.size() && space.find(folded[i]) != std::string::npos) ++i;
    bool negative = false;
    if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) negative = folded[i++] == '-';
    std::uint64_t value = 0;
    for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
        value = (value * 10 + static_cast<std::uint64_t>(folded[i] - '0')) % 4294967296u;
    }
    if (negative) value = (4294967296u - value) % 4294967296u;
    return value >= 2147483648u ? static_cast<std::int32_t>(static_cast<std::int64_t>(value) - 4294967296)
                                : static_cast<std::int32_t>(value);
}

}  // namespace fuzz_reference
