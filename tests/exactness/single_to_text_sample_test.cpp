// SingleToText against the exact decimal reference on a seeded sample of a
// few million singles, over the magnitudes the converter can produce
// (about 1.2e-9 to 1.9e18), weighted towards the places where a rounding
// goes wrong: six-digit ties and the steps between powers of ten.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/x87.h"
#include "converter/number_text.h"
#include "tests/exactness/decimal_reference.h"
#include "tests/support/counting_heap.h"
#include "tests/support/seeded_random.h"
#include "window/control_access.h"

namespace {

using exact::SingleBits;
using exact::SingleFromBits;

using Random = SeededRandom;

// The nearest single to a decimal, as the C library reads it.
float Nearest(const std::string& decimal) { return std::strtof(decimal.c_str(), nullptr); }

class Sample {
public:
    void Check(std::uint32_t bits) {
        ++checked_;
        const std::string expected = exact::TextOfSingle(bits);
        char* text = SingleToText(SingleFromBits(bits));
        if (expected != text) {
            ++differences_;
            if (report_.size() < 20) {
                char line[96];
                std::snprintf(line, sizeof line, "%08x %.9g: expected \"%s\", got \"%s\"", bits,
                              static_cast<double>(SingleFromBits(bits)), expected.c_str(), text);
                report_.push_back(line);
            }
        }
        ReleaseText(text);
    }
    // Both signs of the single and of its neighbours up to `reach` steps away.
    void CheckAround(float centre, std::uint32_t reach) {
        const std::uint32_t bits = SingleBits(centre) & 0x7FFFFFFFu;
        for (std::uint32_t m = bits - reach; m <= bits + reach; ++m) {
            if (m < kLowest || m > kHighest) continue;
            Check(m);
            Check(m | 0x80000000u);
        }
    }
    void ExpectNoDifferences() const {
        std::string lines;
        for (const std::string& line : report_) lines += "\n  " + line;
        EXPECT_EQ(differences_, 0u) << "of " << checked_ << " values; first ones:" << lines;
        EXPECT_GT(checked_, 1000000u);
    }

    static const std::uint32_t kLowest;
    static const std::uint32_t kHighest;

private:
    std::uint64_t checked_ = 0;
    std::uint64_t differences_ = 0;
    std::vector<std::string> report_;
};

// Magnitudes of the range the converter's rounding is exact on.
const std::uint32_t Sample::kLowest = SingleBits(1.2e-9f);
const std::uint32_t Sample::kHighest = SingleBits(1.9e18f);

// The reference itself, on the rules' own worked examples.
TEST(DecimalReference, GivesTheWorkedExamples) {
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {0.0f, "0"}, {-0.0f, "0"}, {0.125f, "0.125"}, {-2.5f, "-2.5"}, {0.100000001f, "0.1"},
        {188.976379f, "188.976"}, {99999.9531f, "100000"}, {123456.5f, "123457"}, {-123456.5f, "-123457"},
        {999999.375f, "999999"}, {999999.5f, "1e+006"}, {1234565.0f, "1.23457e+006"},
        {1234585.0f, "1.23459e+006"}, {6605203.0f, "6.6052e+006"}, {1815624375580229632.0f, "1.81562e+018"},
        {0.000123456004f, "0.000123456"}, {9.99999975e-05f, "0.0001"}, {9.99999029e-05f, "9.99999e-005"},
        {9.99999975e-06f, "1e-005"}, {1.18277965e-09f, "1.18278e-009"}, {HUGE_VALF, "1.#INF"},
        {-HUGE_VALF, "-1.#INF"}, {std::nanf(""), "1.#QNAN"}, {-std::nanf(""), "1.#QNAN"},
        {1.4e-45f, "1.4013e-045"}, {3.40282347e+38f, "3.40282e+038"},
    };
    for (const auto& c : cases) EXPECT_EQ(exact::TextOfSingle(SingleBits(c.value)), c.text) << c.value;
}

TEST(SingleToTextSample, MatchesTheExactDecimalRounding) {
    ResetX87();
    Random random{0x2545F4914F6CDD1Dull};
    Sample sample;

    for (std::uint32_t bits : {0x00000000u, 0x80000000u, 0x7F800000u, 0xFF800000u, 0x7FC00000u, 0xFFC00000u,
                               0x7F800001u, 0xFFFFFFFFu}) {
        sample.Check(bits);
    }
    for (int i = 0; i < 20000; ++i) sample.Check(0x7F800001u + random.Below(0x007FFFFFu) + (random.Next() << 31));

    // Uniform over the bit patterns: every binade equally.
    const std::uint32_t span = Sample::kHighest - Sample::kLowest + 1;
    for (int i = 0; i < 1500000; ++i) sample.Check((Sample::kLowest + random.Below(span)) | (random.Next() << 31));

    // Singles next to a six-digit tie d.ddddd5 x 10^e: the tie itself when a
    // single holds it exactly, otherwise the singles just below and above.
    for (int i = 0; i < 200000; ++i) {
        const std::uint32_t digits = 100000u + random.Below(900000u);
        const int exponent = -9 + static_cast<int>(random.Below(28));
        char decimal[32];
        std::snprintf(decimal, sizeof decimal, "%u5e%d", static_cast<unsigned>(digits), exponent - 6);
        sample.CheckAround(Nearest(decimal), 2);
    }
    // Exact ties of small integers and halves, where a single holds the tie.
    for (int i = 0; i < 100000; ++i) {
        const float tie = static_cast<float>(100000u + random.Below(900000u)) + 0.5f;
        sample.CheckAround(tie * (random.Next() & 1u ? 1.0f : 10.0f), 1);
    }
    // Around each power of ten and each 999999.5 x 10^k: the step into the
    // next decade, and into and out of the exponent form.
    for (int exponent = -9; exponent <= 18; ++exponent) {
        char decimal[32];
        std::snprintf(decimal, sizeof decimal, "1e%d", exponent);
        sample.CheckAround(Nearest(decimal), 300);
        std::snprintf(decimal, sizeof decimal, "9999995e%d", exponent - 7);
        sample.CheckAround(Nearest(decimal), 300);
    }
    sample.ExpectNoDifferences();
    EXPECT_EQ(test_heap::LiveBlocks(), 0u);
    EXPECT_EQ(X87ControlWord(), 0x037F);
}

}  // namespace
