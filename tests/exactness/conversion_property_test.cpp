// Both conversions and the six-digit rounding against exact integer
// references of their steps, on seeded samples. The references form every
// product and quotient exactly and round it to 64 bits, then to double, then
// to single, so a step done in plain double or kept at a wider precision
// than the stores allow shows up as a wrong bit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/x87.h"
#include "converter/handlers.h"
#include "converter/number_text.h"
#include "converter/stored_values.h"
#include "tests/exactness/binary_reference.h"
#include "tests/exactness/decimal_reference.h"
#include "tests/support/counting_heap.h"
#include "tests/support/fake_window_kit.h"
#include "tests/support/seeded_random.h"

namespace {

using exact::SingleBits;

std::uint64_t DoubleBits(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

struct Random : SeededRandom {
    // Mostly the resolutions people type, sometimes zero or anything at all.
    std::int32_t Resolution() {
        switch (Next() % 8) {
            case 0: return 0;
            case 1: case 2: case 3: return static_cast<std::int32_t>(1 + Next() % 2400);
            case 4: return -static_cast<std::int32_t>(1 + Next() % 2400);
            default: return Integer();
        }
    }
};

// An empty box stands for 0 now and then, as the user clearing it.
std::string TextOf(std::int32_t value, Random& random) {
    if (value == 0 && (random.Next() & 1u)) return "";
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%ld", static_cast<long>(value));
    return buffer;
}

// Collects mismatches and shows the first few.
class Mismatches {
public:
    void Add(const std::string& line) {
        if (lines_.size() < 10) lines_.push_back(line);
        ++count_;
    }
    void ExpectNone(std::uint64_t checked) const {
        std::string all;
        for (const std::string& line : lines_) all += "\n  " + line;
        EXPECT_EQ(count_, 0u) << "of " << checked << " samples:" << all;
    }

private:
    std::vector<std::string> lines_;
    std::uint64_t count_ = 0;
};

std::string Hex(std::uint64_t bits) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%llx", static_cast<unsigned long long>(bits));
    return buffer;
}

class ConversionProperty : public ::testing::Test {
protected:
    void SetUp() override {
        ResetX87();
        fake_kit::SetRecording(false);
    }
    void TearDown() override {
        fake_kit::SetRecording(true);
        EXPECT_EQ(test_heap::LiveBlocks(), 0u);
        EXPECT_EQ(X87ControlWord(), 0x037F);
    }
    const std::uint64_t inch_ = DoubleBits(INCH_CM);
};

TEST(ConversionConstant, InchIsTheDoubleNearest254Hundredths) {
    EXPECT_EQ(DoubleBits(INCH_CM), exact::DoubleNearest(254, 100));
}

constexpr int kSamples = 150000;

TEST_F(ConversionProperty, CentimetresToPixelsFollowTheExactSteps) {
    Random random{0x853C49E6748FEA9Bull};
    Mismatches mismatches;
    for (int i = 0; i < kSamples; ++i) {
        const std::int32_t cm = random.Integer();
        const std::int32_t dpi = random.Resolution();
        const std::string cmText = TextOf(cm, random);
        const std::string dpiText = TextOf(dpi, random);
        // Both boxes that drive this direction.
        const bool fromResolutionBox = (i & 1) != 0;
        fake_kit::Reset(cmText.c_str(), dpiText.c_str(), "old", fromResolutionBox ? 编辑框2 : 编辑框1);
        if (fromResolutionBox) OnResolutionBoxChanged(); else OnCentimetreBoxChanged();

        const std::uint32_t cmBits = exact::SingleOfInteger(cm);
        const std::uint32_t dpiBits = exact::SingleOfInteger(dpi);
        const std::uint32_t pixelBits = exact::PixelsOf(cmBits, dpiBits, inch_);
        const std::string text = exact::TextOfSingle(pixelBits);
        if (SingleBits(centimetres) != cmBits || SingleBits(resolution) != dpiBits || SingleBits(pixels) != pixelBits ||
            fake_kit::Content(编辑框3) != text || fake_kit::Content(编辑框1) != cmText) {
            mismatches.Add(cmText + " cm at " + dpiText + ": pixels " + Hex(SingleBits(pixels)) + " \"" +
                           fake_kit::Content(编辑框3) + "\", expected " + Hex(pixelBits) + " \"" + text + "\"");
        }
    }
    mismatches.ExpectNone(kSamples);
}

TEST_F(ConversionProperty, PixelsToCentimetresFollowTheExactSteps) {
    Random random{0xDA3E39CB94B95BDBull};
    Mismatches mismatches;
    for (int i = 0; i < kSamples; ++i) {
        const std::int32_t px = random.Integer();
        const std::int32_t dpi = random.Resolution();
        const std::string pxText = TextOf(px, random);
        const std::string dpiText = TextOf(dpi, random);
        fake_kit::Reset("old", dpiText.c_str(), pxText.c_str(), 编辑框3);
        OnPixelBoxChanged();

        const std::uint32_t pxBits = exact::SingleOfInteger(px);
        const std::uint32_t dpiBits = exact::SingleOfInteger(dpi);
        const std::uint32_t cmBits = exact::CentimetresOf(pxBits, dpiBits, inch_);
        const std::string text = exact::TextOfSingle(cmBits);
        if (SingleBits(pixels) != pxBits || SingleBits(resolution) != dpiBits || SingleBits(centimetres) != cmBits ||
            fake_kit::Content(编辑框1) != text || fake_kit::Content(编辑框3) != pxText) {
            mismatches.Add(pxText + " px at " + dpiText + ": centimetres " + Hex(SingleBits(centimetres)) + " \"" +
                           fake_kit::Content(编辑框1) + "\", expected " + Hex(cmBits) + " \"" + text + "\"");
        }
    }
    mismatches.ExpectNone(kSamples);
}

// The zero-resolution and signed-zero cases, which a sample of random
// resolutions meets only by chance.
TEST_F(ConversionProperty, ZeroResolutionAndZeroLengthFollowTheExactSteps) {
    for (std::int32_t px : {0, 1, -1, 7, -2147483647 - 1, 2147483647}) {
        for (std::int32_t dpi : {0, 1, -1, -96, 96}) {
            const std::string pxText = std::to_string(px);
            const std::string dpiText = std::to_string(dpi);
            fake_kit::Reset("", dpiText.c_str(), pxText.c_str(), 编辑框3);
            OnPixelBoxChanged();
            const std::uint32_t cmBits =
                exact::CentimetresOf(exact::SingleOfInteger(px), exact::SingleOfInteger(dpi), inch_);
            EXPECT_EQ(Hex(SingleBits(centimetres)), Hex(cmBits)) << pxText << " px at " << dpiText;
            EXPECT_EQ(fake_kit::Content(编辑框1), exact::TextOfSingle(cmBits)) << pxText << " px at " << dpiText;

            fake_kit::Reset(pxText.c_str(), dpiText.c_str(), "", 编辑框1);
            OnCentimetreBoxChanged();
            const std::uint32_t pixelBits =
                exact::PixelsOf(exact::SingleOfInteger(px), exact::SingleOfInteger(dpi), inch_);
            EXPECT_EQ(Hex(SingleBits(pixels)), Hex(pixelBits)) << pxText << " cm at " << dpiText;
            EXPECT_EQ(fake_kit::Content(编辑框3), exact::TextOfSingle(pixelBits)) << pxText << " cm at " << dpiText;
        }
    }
}

bool SameRounding(double got, std::uint64_t expected) {
    if ((expected & 0x7FF0000000000000ull) == 0x7FF0000000000000ull && (expected & 0x000FFFFFFFFFFFFFull) != 0) {
        // Only the kind of NaN is fixed: quiet, sign bit clear.
        return std::isnan(got) && !std::signbit(got) && (DoubleBits(got) & 0x0008000000000000ull) != 0;
    }
    return DoubleBits(got) == expected;
}

TEST(RoundToSixDigitsProperty, FollowsItsWrittenStepsBitForBit) {
    ResetX87();
    Random random{0x9FB21C651E98DF25ull};
    Mismatches mismatches;
    int narrowedWouldDiffer = 0;
    std::uint64_t checked = 0;
    auto check = [&](std::uint32_t bits) {
        ++checked;
        const std::uint64_t expected = exact::SixDigitRoundingSteps(bits);
        if (expected != exact::SixDigitRoundingSteps(bits, exact::kDoubleBits)) ++narrowedWouldDiffer;
        const double got = RoundToSixDigits(exact::SingleFromBits(bits));
        if (!SameRounding(got, expected)) {
            char line[96];
            std::snprintf(line, sizeof line, "%08x %.9g: got %016llx, expected %016llx", bits,
                          static_cast<double>(exact::SingleFromBits(bits)),
                          static_cast<unsigned long long>(DoubleBits(got)),
                          static_cast<unsigned long long>(expected));
            mismatches.Add(line);
        }
    };
    for (std::uint32_t bits : {0x00000000u, 0x80000000u, 0x00000001u, 0x807FFFFFu, 0x00800000u, 0x7F7FFFFFu,
                               0x7F800000u, 0xFF800000u, 0x7FC00000u, 0xFFC00000u, 0x7F800001u}) {
        check(bits);
    }
    // Every bit pattern equally: all binades, subnormals and NaNs included.
    for (int i = 0; i < 100000; ++i) check(random.Next() ^ (random.Next() << 16));
    // Six-digit ties and their neighbours, where the 0.5 test decides.
    for (int i = 0; i < 30000; ++i) {
        char decimal[32];
        std::snprintf(decimal, sizeof decimal, "%u5e%d", static_cast<unsigned>(100000u + random.Next() % 900000u),
                      static_cast<int>(random.Next() % 83) - 51);
        const std::uint32_t bits = SingleBits(std::strtof(decimal, nullptr)) | (random.Next() << 31);
        for (std::uint32_t near = bits - 1; near != bits + 2; ++near) check(near);
    }
    mismatches.ExpectNone(checked);
    EXPECT_GT(narrowedWouldDiffer, 0) << "the sample should hold singles where double-only steps round differently";
    EXPECT_EQ(X87ControlWord(), 0x037F);
}

}  // namespace
