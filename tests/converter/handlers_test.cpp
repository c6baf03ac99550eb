// The conversion handlers against the stand-in boxes: results, stored
// values, the order of calls and the nesting of the write's own event.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "app/x87.h"
#include "converter/handlers.h"
#include "converter/stored_values.h"
#include "tests/support/counting_heap.h"
#include "tests/support/fake_window_kit.h"

namespace {

std::uint32_t Bits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

class Handlers : public ::testing::Test {
protected:
    void SetUp() override {
        ResetX87();
        centimetres = resolution = pixels = 0.0f;
    }
    void TearDown() override { EXPECT_EQ(test_heap::LiveBlocks(), 0u) << "a text was not released"; }
};

struct ToPixelsCase {
    const char* centimetreText;
    const char* resolutionText;
    float centimetres;
    float resolution;
    float pixels;
    const char* written;
};

const float kInf = std::numeric_limits<float>::infinity();

const ToPixelsCase kToPixels[] = {
    {"5", "96.01", 5, 96, 188.976379f, "188.976"},
    {"1", "96.01", 1, 96, 37.7952766f, "37.7953"},
    {"2.54", "96.01", 2, 96, 75.5905533f, "75.5906"},
    {"1", "72", 1, 72, 28.3464565f, "28.3465"},
    {"10", "300", 10, 300, 1181.10242f, "1181.1"},
    {"21", "300", 21, 300, 2480.31494f, "2480.31"},
    {"29.7", "300", 29, 300, 3425.19678f, "3425.2"},
    {"254", "100", 254, 100, 10000, "10000"},
    {"100000", "2400", 100000, 2400, 94488192, "9.44882e+007"},
    {"16777217", "1", 16777216, 1, 6605203, "6.6052e+006"},
    {"-5", "96", -5, 96, -188.976379f, "-188.976"},
    {"100", "-300", 100, -300, -11811.0234f, "-11811"},
    {"\xA3\xB1\xA3\xB2", "\xA3\xB9\xA3\xB6", 12, 96, 453.543304f, "453.543"},
    {"", "96.01", 0, 96, 0, "0"},
    {"15", "0", 15, 0, 0, "0"},
    {"12", "abc", 12, 0, 0, "0"},
    {"", "", 0, 0, 0, "0"},
    {"2147483647", "2147483647", 2147483648.0f, 2147483648.0f, 1815624375580229632.0f, "1.81562e+018"},
    {"4294967296", "96", 0, 96, 0, "0"},
    {"3000000000", "96", -1294967296.0f, 96, -48943644672.0f, "-4.89436e+010"},
};

TEST_F(Handlers, CentimetresToPixelsWorkedExamples) {
    for (ControlId typedInto : {编辑框1, 编辑框2}) {
        for (const ToPixelsCase& c : kToPixels) {
            fake_kit::Reset(c.centimetreText, c.resolutionText, "old", typedInto);
            if (typedInto == 编辑框1) OnCentimetreBoxChanged(); else OnResolutionBoxChanged();
            SCOPED_TRACE(std::string(c.centimetreText) + " cm at " + c.resolutionText);
            EXPECT_EQ(Bits(centimetres), Bits(c.centimetres));
            EXPECT_EQ(Bits(resolution), Bits(c.resolution));
            EXPECT_EQ(Bits(pixels), Bits(c.pixels)) << pixels;
            EXPECT_EQ(fake_kit::Content(编辑框3), c.written);
            EXPECT_EQ(fake_kit::Content(编辑框1), c.centimetreText) << "the edited side is never rewritten";
        }
    }
}

struct ToCentimetresCase {
    const char* pixelText;
    const char* resolutionText;
    float pixels;
    float resolution;
    std::uint32_t centimetreBits;
    const char* written;
};

std::uint32_t B(float value) { return Bits(value); }

const ToCentimetresCase kToCentimetres[] = {
    {"1000", "300", 1000, 300, B(8.46666622f), "8.46667"},
    {"3000", "300", 3000, 300, B(25.3999996f), "25.4"},
    {"2480", "300", 2480, 300, B(20.9973335f), "20.9973"},
    {"800", "96", 800, 96, B(21.166666f), "21.1667"},
    {"96", "96", 96, 96, B(2.53999996f), "2.54"},
    {"1", "96.01", 1, 96, B(0.0264583342f), "0.0264583"},
    {"1", "3", 1, 3, B(0.846666694f), "0.846667"},
    {"-800", "96", -800, 96, B(-21.166666f), "-21.1667"},
    {"1", "100000", 1, 100000, B(2.54000006e-05f), "2.54e-005"},
    {"1", "2147483647", 1, 2147483648.0f, B(1.18277965e-09f), "1.18278e-009"},
    {"2147483647", "1", 2147483648.0f, 1, B(5454608384.0f), "5.45461e+009"},
    {"1", "0", 1, 0, B(kInf), "1.#INF"},
    {"-1", "0", -1, 0, B(-kInf), "-1.#INF"},
    {"0", "0", 0, 0, 0xFFC00000u, "1.#QNAN"},  // the default NaN, sign bit set
    {"", "", 0, 0, 0xFFC00000u, "1.#QNAN"},
    {"0", "-96", 0, -96, 0x80000000u, "0"},    // negative zero
    {"", "96", 0, 96, 0, "0"},
};

TEST_F(Handlers, PixelsToCentimetresWorkedExamples) {
    for (const ToCentimetresCase& c : kToCentimetres) {
        fake_kit::Reset("old", c.resolutionText, c.pixelText, 编辑框3);
        OnPixelBoxChanged();
        SCOPED_TRACE(std::string(c.pixelText) + " px at " + c.resolutionText);
        EXPECT_EQ(Bits(pixels), Bits(c.pixels));
        EXPECT_EQ(Bits(resolution), Bits(c.resolution));
        EXPECT_EQ(Bits(centimetres), c.centimetreBits) << centimetres;
        EXPECT_EQ(fake_kit::Content(编辑框1), c.written);
        EXPECT_EQ(fake_kit::Content(编辑框3), c.pixelText);
    }
}

TEST_F(Handlers, CallOrderAndNestingOfAConversion) {
    fake_kit::Reset("5", "96.01", "", 编辑框1);
    OnCentimetreBoxChanged();
    const std::vector<std::string> expected = {
        "HasFocus cm = 1",
        "Read cm \"5\"",
        "Release \"5\"",
        "Read dpi \"96.01\"",
        "Release \"96.01\"",
        "Write px \"188.976\"",
        "  HasFocus px = 0",  // the write's own event ends at the focus test
        "Release \"188.976\"",
    };
    EXPECT_EQ(fake_kit::Calls(), expected);
}

TEST_F(Handlers, PixelDirectionReadsThePixelBoxFirst) {
    fake_kit::Reset("", "300", "1000", 编辑框3);
    OnPixelBoxChanged();
    const std::vector<std::string> expected = {
        "HasFocus px = 1",       "Read px \"1000\"",           "Release \"1000\"",
        "Read dpi \"300\"",      "Release \"300\"",            "Write cm \"8.46667\"",
        "  HasFocus cm = 0",     "Release \"8.46667\"",
    };
    EXPECT_EQ(fake_kit::Calls(), expected);
}

TEST_F(Handlers, EmptyBoxesAreReadAsEmptyTextAndNothingIsReleasedForThem) {
    fake_kit::Reset("", "", "", 编辑框2);
    OnResolutionBoxChanged();
    const std::vector<std::string> expected = {
        "HasFocus dpi = 1", "Read cm \"\"", "Read dpi \"\"", "Write px \"0\"", "  HasFocus px = 0",
        "Release \"0\"",
    };
    EXPECT_EQ(fake_kit::Calls(), expected);
}

TEST_F(Handlers, WithoutFocusNothingIsReadOrWritten) {
    const struct {
        void (*handler)();
        ControlId own;
        const char* call;
    } handlers[] = {{OnCentimetreBoxChanged, 编辑框1, "HasFocus cm = 0"},
                    {OnResolutionBoxChanged, 编辑框2, "HasFocus dpi = 0"},
                    {OnPixelBoxChanged, 编辑框3, "HasFocus px = 0"}};
    for (const auto& h : handlers) {
        for (ControlId focused : {ControlId{0}, 编辑框1, 编辑框2, 编辑框3}) {
            if (focused == h.own) continue;
            fake_kit::Reset("5", "96", "7", focused);
            h.handler();
            EXPECT_EQ(fake_kit::Calls(), std::vector<std::string>{h.call});
            EXPECT_EQ(fake_kit::WritesSeen(), 0);
        }
    }
}

TEST_F(Handlers, EditingResolutionRewritesPixelsFromCentimetresOnly) {
    fake_kit::Reset("", "96", "500", 编辑框3);
    fake_kit::SetFocus(编辑框2);
    fake_kit::UserEdit(编辑框2, "300");
    EXPECT_EQ(fake_kit::Content(编辑框3), "0") << "an empty centimetre box gives 0 pixels";
    EXPECT_EQ(fake_kit::Content(编辑框1), "");

    fake_kit::SetFocus(编辑框1);
    for (const char* typed : {"2", "2.", "2.5", "2.54"}) {
        fake_kit::UserEdit(编辑框1, typed);
        EXPECT_EQ(fake_kit::Content(编辑框3), "236.22") << typed << ": the point ends the number";
    }
}

}  // namespace
