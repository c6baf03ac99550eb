// Text to integer and single to text, by the worked examples and the edges
// where an implementation most easily goes wrong.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "converter/number_text.h"
#include "tests/support/counting_heap.h"
#include "window/control_access.h"

namespace {

std::string Take(char* text) {
    std::string copy = text;
    ReleaseText(text);
    return copy;
}

struct IntegerCase {
    const char* text;
    std::int32_t expected;
};

const IntegerCase kIntegerCases[] = {
    {"", 0},
    {"96.01", 96},
    {"  42abc", 42},
    {"\t\r\n 5", 5},
    {"\v\f7", 7},
    {"+17", 17},
    {"-0012", -12},
    {"- 5", 0},
    {"+-5", 0},
    {"--5", 0},
    {"abc", 0},
    {"   ", 0},
    {"1,000", 1},
    {"1e3", 1},
    {"0x1F", 0},
    {"\xA3\xB1\xA3\xB2\xA3\xB3", 123},            // full-width 123
    {"\xA3\xAD\xA3\xB4\xA3\xB5", -45},            // full-width minus, 45
    {"\xA3\xAB\xA3\xB8", 8},                      // full-width plus, 8
    {"\xA1\xA1\xA3\xB7", 7},                      // ideographic space, 7
    {"\xA3\xB5\xA3\xAE\xA3\xB5", 5},              // 5.5 in full width
    {"12\xA1\xA1" "3", 12},                       // ideographic space ends the number
    {"1\xA3\xB2" "3", 123},                       // mixed widths
    {"\xA1\xAB" "5", 0},                          // full-width tilde folds to '~'
    {"\xD6\xD0" "5", 0},                          // a Chinese character is no space
    {"5\xD6\xD0" "6", 5},                         // nor a digit
    {"\xA3", 0},                                  // a lone lead byte is dropped
    {"7\xA3", 7},
    {"\xA3\x00" "9", 0},                          // the NUL after a lead byte ends the text
    {"\xA3" "1", 0},                              // lead byte and '1' form one character
    {"\xA2\xB1", 0},                              // other rows are not folded
    {"2147483647", 2147483647},
    {"2147483648", std::numeric_limits<std::int32_t>::min()},
    {"4294967295", -1},
    {"4294967296", 0},
    {"-2147483648", std::numeric_limits<std::int32_t>::min()},
    {"-2147483649", 2147483647},
    {"99999999999", 1215752191},
    {"00000000000000000000000000042", 42},
};

TEST(TextToInteger, WorkedExamplesAndEdges) {
    for (const IntegerCase& c : kIntegerCases) {
        EXPECT_EQ(TextToInteger(c.text), c.expected) << "text: \"" << c.text << "\"";
    }
    EXPECT_EQ(test_heap::LiveBlocks(), 0u) << "the folded copy must be freed";
}

struct FoldCase {
    const char* text;
    const char* folded;
};

const FoldCase kFoldCases[] = {
    {"", ""},
    {"abc 123", "abc 123"},
    {"\xA1\xA1", " "},
    {"\xA1\xAB", "~"},
    {"\xA1\xEE\xA1\xEF", "**"},
    {"\xA3\xA1\xA3\xFE", "!~"},       // the ends of the full-width row
    {"\xA3\xC1\xA3\xE1", "Aa"},
    {"\xA3\xA0", "\xA3\xA0"},         // just below the row: kept whole
    {"\xA3\xFF", "\xA3\xFF"},         // just above it
    {"\xA1\xA2", "\xA1\xA2"},         // ideographic comma: kept
    {"\xB4\xED\xA3\xBA", "\xB4\xED:"},  // a character, then a full-width colon
    {"x\xA3", "x"},                   // lone lead byte at the end: dropped
    {"\x80\x41", "\x80\x41"},         // any byte after a lead byte is its partner
};

TEST(FoldFullWidth, ReplacesOnlyTheListedPairs) {
    for (const FoldCase& c : kFoldCases) {
        EXPECT_EQ(Take(FoldFullWidth(c.text)), c.folded) << "text: \"" << c.text << "\"";
    }
    EXPECT_EQ(test_heap::LiveBlocks(), 0u);
}

struct TextCase {
    float value;
    const char* text;
};

const TextCase kTextCases[] = {
    {0.0f, "0"},
    {-0.0f, "0"},
    {1.0f, "1"},
    {0.5f, "0.5"},
    {0.125f, "0.125"},
    {-2.5f, "-2.5"},
    {12.5f, "12.5"},
    {0.100000001f, "0.1"},
    {3.14159274f, "3.14159"},
    {188.976379f, "188.976"},
    {99999.9531f, "100000"},
    {123456.0f, "123456"},
    {123456.5f, "123457"},
    {-123456.5f, "-123457"},
    {999999.0f, "999999"},
    {999999.375f, "999999"},
    {999999.5f, "1e+006"},
    {1000000.0f, "1e+006"},
    {1234565.0f, "1.23457e+006"},
    {-1234565.0f, "-1.23457e+006"},
    {1234585.0f, "1.23459e+006"},
    {6605203.0f, "6.6052e+006"},
    {16777215.0f, "1.67772e+007"},
    {5454608384.0f, "5.45461e+009"},
    {1815624375580229632.0f, "1.81562e+018"},
    {0.000123456004f, "0.000123456"},
    {9.99999975e-05f, "0.0001"},
    {9.99999029e-05f, "9.99999e-005"},
    {9.99999975e-06f, "1e-005"},
    {2.54000006e-05f, "2.54e-005"},
    {1.18277965e-09f, "1.18278e-009"},
    {std::numeric_limits<float>::infinity(), "1.#INF"},
    {-std::numeric_limits<float>::infinity(), "-1.#INF"},
    {std::numeric_limits<float>::quiet_NaN(), "1.#QNAN"},
    {-std::numeric_limits<float>::quiet_NaN(), "1.#QNAN"},
    // Beyond the worked examples: the ends of the single range and the
    // boundaries of the plain form.
    {3.40282347e+38f, "3.40282e+038"},
    {1.17549435e-38f, "1.17549e-038"},
    {1.0e-4f, "0.0001"},
    {0.001f, "0.001"},
    {123456.4f, "123456"},
    {100000.0f, "100000"},
    {10.0f, "10"},
    {-0.0264583342f, "-0.0264583"},
};

TEST(SingleToText, WorkedExamplesAndEdges) {
    for (const TextCase& c : kTextCases) {
        char* text = SingleToText(c.value);
        EXPECT_STREQ(text, c.text) << "value: " << c.value;
        EXPECT_LE(std::strlen(text), 13u);
        ReleaseText(text);
    }
    EXPECT_EQ(test_heap::LiveBlocks(), 0u);
}

std::uint64_t Bits(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST(RoundToSixDigits, ZerosInfinitiesAndNaNs) {
    EXPECT_EQ(Bits(RoundToSixDigits(0.0f)), 0u);
    EXPECT_EQ(Bits(RoundToSixDigits(-0.0f)), 0u) << "negative zero gives +0";
    EXPECT_EQ(RoundToSixDigits(std::numeric_limits<float>::infinity()), std::numeric_limits<double>::infinity());
    EXPECT_EQ(RoundToSixDigits(-std::numeric_limits<float>::infinity()), -std::numeric_limits<double>::infinity());
    const double nan = RoundToSixDigits(-std::numeric_limits<float>::quiet_NaN());
    EXPECT_TRUE(std::isnan(nan));
    EXPECT_FALSE(std::signbit(nan)) << "the NaN comes back with its sign bit clear";
}

struct RoundCase {
    float value;
    double rounded;
};

// Ties go away from zero; the carry into a new power of ten stays exact.
// The result may sit an ulp off the six-digit decimal's nearest double, as
// its last product or quotient is rounded twice.
const RoundCase kRoundCases[] = {
    {123456.5f, 123457.0},  {-123456.5f, -123457.0}, {1234565.0f, 1234570.0},
    {1234585.0f, 1234590.0}, {999999.5f, 1000000.0},  {99999.9531f, 100000.0},
    {188.976379f, 188.976},  {1.0f, 1.0},             {6605203.0f, 6605200.0},
};

TEST(RoundToSixDigits, RoundsHalfAwayFromZero) {
    for (const RoundCase& c : kRoundCases) {
        const double rounded = RoundToSixDigits(c.value);
        EXPECT_GE(rounded, std::nextafter(c.rounded, -HUGE_VAL)) << "value: " << c.value;
        EXPECT_LE(rounded, std::nextafter(c.rounded, HUGE_VAL)) << "value: " << c.value;
    }
}

TEST(FormatSixDigits, LaysOutDoublesOfSixDigits) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"}, {-0.0, "0"}, {1e6, "1e+006"}, {123.4, "123.4"}, {-0.0001, "-0.0001"},
        {1e-100, "1e-100"}, {1.5e300, "1.5e+300"}, {999999.0, "999999"}, {0.000999999, "0.000999999"},
    };
    for (const auto& c : cases) {
        char* text = FormatSixDigits(c.value);
        EXPECT_STREQ(text, c.text) << "value: " << c.value;
        ReleaseText(text);
    }
}

}  // namespace
