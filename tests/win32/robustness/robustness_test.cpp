// The real window with the real converter behind it, fed what no one types
// by hand: a megabyte pasted at once, texts of bare double-byte lead bytes
// and a flood of keystrokes. Each must end with the exact conversion, the
// program still answering, and the process heap holding what it held before.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/frame.h"
#include "app/x87.h"
#include "converter/stored_values.h"
#include "tests/win32/census.h"
#include "tests/win32/ui_driver.h"
#include "window/form_ids.h"
#include "window/window_kit.h"

namespace {

HWND Box(ControlId id) { return ui::Control(id); }

// The expectations are worked out here from the rules, not by calling the
// converter's own routines.

// Folds what the converter folds before parsing: full-width ASCII (A3A1 to
// A3FE) and the ideographic space (A1A1); any other pair ends the number,
// and a lead byte without its trail byte is dropped.
std::string FoldedForParsing(const std::string& bytes) {
    std::string folded;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            folded += static_cast<char>(byte);
            continue;
        }
        if (i + 1 == bytes.size()) break;
        const unsigned char trail = static_cast<unsigned char>(bytes[++i]);
        if (byte == 0xA3 && trail >= 0xA1 && trail <= 0xFE) folded += static_cast<char>(trail & 0x7F);
        else if (byte == 0xA1 && trail == 0xA1) folded += ' ';
        else folded += '\x01';  // stops the digits
    }
    return folded;
}

// Leading white space, a sign, then digits, modulo 2^32. Only the last 32
// digits can matter, as 10^32 is a multiple of 2^32, so that is all this
// looks at: a different road to the value than reading every digit.
std::int32_t WrappedInteger(const std::string& text) {
    std::size_t p = 0;
    while (p < text.size() && (text[p] == ' ' || (text[p] >= '\t' && text[p] <= '\r'))) ++p;
    const bool negative = p < text.size() && text[p] == '-';
    if (p < text.size() && (text[p] == '-' || text[p] == '+')) ++p;
    std::size_t end = p;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    const std::size_t first = end - p > 32 ? end - 32 : p;
    std::uint64_t value = 0;
    for (std::size_t i = first; i < end; ++i) value = (value * 10 + static_cast<unsigned>(text[i] - '0')) & 0xFFFFFFFFu;
    const std::uint32_t bits = static_cast<std::uint32_t>(negative ? (0x100000000ull - value) & 0xFFFFFFFFu : value);
    std::int32_t result;
    std::memcpy(&result, &bits, sizeof result);
    return result;
}

float PixelsFor(std::int32_t centimetreValue, std::int32_t resolutionValue) {
    const long double product = static_cast<long double>(static_cast<float>(centimetreValue)) *
                                static_cast<float>(resolutionValue);
    const double quotient = static_cast<double>(static_cast<double>(product) / static_cast<long double>(2.54));
    return static_cast<float>(quotient);
}

// "%.6g" with the exponent widened to three digits. The C library rounds
// exact ties to even where the program rounds them away from zero; none of
// the values below is a tie.
std::string SixDigitText(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6g", static_cast<double>(value));
    std::string text = buffer;
    const std::size_t e = text.find('e');
    if (e == std::string::npos) return text;
    std::string digits = text.substr(e + 2);
    while (digits.size() > 3 && digits[0] == '0') digits.erase(0, 1);
    while (digits.size() < 3) digits.insert(0, "0");
    return text.substr(0, e + 2) + digits;
}

const std::int32_t kResolution = 96;  // the box shows its initial "96.01"

class Robustness : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ResetX87();  // as the program's start-up does
        if (ui::MainWindowHandle() == nullptr) LoadWindow(MainWindow);
    }
    void SetUp() override {
        ASSERT_NE(ui::MainWindowHandle(), nullptr);
        ASSERT_TRUE(ui::Activate(ui::MainWindowHandle()));
        SetFocus(Box(编辑框1));
        Clear(编辑框1);
        Clear(编辑框3);
        ASSERT_EQ(ui::WindowText(Box(编辑框2)), "96.01");
        ASSERT_EQ(GetFocus(), Box(编辑框1));
    }
    // Empties a box without a conversion, and lets it repaint, so that the
    // edit control's own lazily built state is the same at both censuses.
    void Clear(ControlId box) {
        ++EventHoldCount;
        SetWindowTextA(Box(box), "");
        --EventHoldCount;
        ui::Pump(20);
    }
    // What the centimetre box must make of its own text.
    void ExpectConvertedFromWhatTheBoxHolds() {
        const std::string held = ui::WindowText(Box(编辑框1));
        const std::int32_t value = WrappedInteger(FoldedForParsing(held));
        EXPECT_EQ(centimetres, static_cast<float>(value));
        EXPECT_EQ(resolution, static_cast<float>(kResolution));
        EXPECT_EQ(ui::WindowText(Box(编辑框3)), SixDigitText(PixelsFor(value, kResolution)))
            << "from a centimetre text of " << held.size() << " bytes";
    }
    // The program still answers: a message sent now is handled at once.
    void ExpectResponsive() {
        DWORD_PTR result = 0;
        EXPECT_NE(SendMessageTimeoutA(ui::MainWindowHandle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result), 0);
    }
};

void PutOnClipboard(const std::string& text) {
    ASSERT_TRUE(OpenClipboard(ui::MainWindowHandle()));
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    ASSERT_NE(memory, nullptr);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    ASSERT_NE(SetClipboardData(CF_TEXT, memory), nullptr);
    CloseClipboard();
}

void EmptyTheClipboard() {
    ASSERT_TRUE(OpenClipboard(ui::MainWindowHandle()));
    EmptyClipboard();
    CloseClipboard();
}

// Wine's edit control lays a single line out in time that grows with the
// square of its length: under the emulator 32 KB take seconds and 1 MB
// hours. So the paste is as long as asked for in QUENDREL_PASTE_BYTES
// (1048576 for the full megabyte), and by default just past the 32767
// characters an edit control takes unless the program raises its limit.
std::size_t PasteBytes() {
    char value[32] = {};
    if (GetEnvironmentVariableA("QUENDREL_PASTE_BYTES", value, sizeof value) > 0 && std::atoi(value) > 0)
        return static_cast<std::size_t>(std::atoi(value));
    return 40000;
}

TEST_F(Robustness, AHugePastedRunOfDigitsConvertsExactlyAndLeavesNothingBehind) {
    // Digits from a fixed sequence, laid down from the end so that every
    // length ends alike: in a value that wraps negative.
    std::string digits(PasteBytes(), '0');
    std::uint32_t state = 1;
    for (std::size_t i = digits.size(); i-- > 0;) {
        state = state * 1103515245u + 12345u;
        digits[i] = static_cast<char>('0' + (state >> 16) % 10);
    }
    const std::int32_t expected = WrappedInteger(digits);
    ASSERT_LT(expected, 0) << "the fixture is meant to wrap past 2^31";

    const auto pasteAndCheck = [&](const std::string& text) {
        PutOnClipboard(text);
        SendMessageA(Box(编辑框1), WM_PASTE, 0, 0);
        EXPECT_EQ(ui::WindowText(Box(编辑框1)).size(), text.size()) << "the box took the whole text";
        EXPECT_EQ(centimetres, static_cast<float>(expected));
        EXPECT_EQ(ui::WindowText(Box(编辑框3)), SixDigitText(PixelsFor(expected, kResolution)));
        ExpectResponsive();
        EmptyTheClipboard();
        Clear(编辑框1);
        Clear(编辑框3);
    };
    // The first time round sets up, for good, the system's side of the
    // clipboard, the font's caches and the locks of the runtime; the last
    // hundred digits go first, as they must convert to the same value.
    pasteAndCheck(digits.substr(digits.size() - 100));
    // Then Wine keeps two blocks of its own for every paste, whatever is
    // pasted and whether or not anything converts; a paste with events held
    // shows that share, and only more than that would be the program's.
    Census before = TakeCensus();
    ++EventHoldCount;
    PutOnClipboard("12");
    SendMessageA(Box(编辑框1), WM_PASTE, 0, 0);
    EmptyTheClipboard();
    Clear(编辑框1);
    --EventHoldCount;
    const std::size_t platformShare = TakeCensus().busyBlocks - before.busyBlocks;

    before = TakeCensus();
    pasteAndCheck(digits);
    EXPECT_EQ(TakeCensus().busyBlocks, before.busyBlocks + platformShare);
}

TEST_F(Robustness, BareLeadBytesConvertByWhatTheBoxHandsBack) {
    // The edit control keeps Unicode: what it hands back as code page 936
    // may differ from what was put in (Wine makes a lone lead byte '?'), so
    // the expectation is built from what ReadContent would see.
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"an even run of A3", std::string(1000, '\xA3')},
        {"an odd run of A3", std::string(1001, '\xA3')},
        {"an even run of FE", std::string(64, '\xFE')},
        {"digits, then a lone lead byte", "12\xA3"},
        {"full-width digits, then a lone lead byte", "\xA3\xB1\xA3\xB2\xA3"},
        {"a lone lead byte alone", "\xA3"},
        {"a minus, digits and a lone lead byte", "-7\x81"},
        {"a lead byte before an ASCII digit", "1\xA3" "2"},
    };
    const auto setWhileFocused = [](const std::string& text) {
        SendMessageA(Box(编辑框1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // The first showing of a character fills the system's glyph caches
        // for good; only a second round would show a leak of the program's.
        setWhileFocused(c.text);
        Clear(编辑框1);
        Clear(编辑框3);
        centimetres = -1;  // so that a conversion that did not run shows
        const Census before = TakeCensus();
        setWhileFocused(c.text);
        ExpectConvertedFromWhatTheBoxHolds();
        ExpectResponsive();
        Clear(编辑框1);
        Clear(编辑框3);
        EXPECT_EQ(TakeCensus().busyBlocks, before.busyBlocks);
    }
}

TEST_F(Robustness, TenThousandRapidKeystrokesAllConvertAndTheLastResultIsExact) {
    // Runs of digits and of backspaces; every tenth run of digits is a little
    // longer, so the text ends some eighty digits long, well past 32 bits,
    // while staying short enough for the edit control to keep pace.
    constexpr int kKeystrokes = 10000;
    constexpr int kBurst = 500;
    std::string model;  // what the box must hold: the caret stays at the end
    model.reserve(kKeystrokes);
    const HWND box = Box(编辑框1);
    const Census before = TakeCensus();
    for (int sent = 0; sent < kKeystrokes;) {
        for (int i = 0; i < kBurst && sent < kKeystrokes; ++i, ++sent) {
            const int cycle = sent / 50;
            const bool backspace = sent % 50 >= (cycle % 10 == 9 ? 27 : 25);
            const char key = backspace ? '\b' : static_cast<char>('0' + (sent * 7 + cycle) % 10);
            if (backspace) {
                if (!model.empty()) model.pop_back();
            } else {
                model += key;
            }
            ASSERT_TRUE(PostMessageA(box, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(key)), 1));
        }
        MSG waiting;
        ASSERT_TRUE(ui::PumpUntil([&] { return !PeekMessageA(&waiting, box, WM_CHAR, WM_CHAR, PM_NOREMOVE); }, 20000))
            << "the burst ending at keystroke " << sent << " was not worked off";
    }
    ASSERT_EQ(ui::WindowText(box), model);
    ASSERT_GT(model.size(), 32u);
    ExpectConvertedFromWhatTheBoxHolds();
    ExpectResponsive();

    Clear(编辑框1);
    Clear(编辑框3);
    EXPECT_EQ(TakeCensus().busyBlocks, before.busyBlocks);
}

}  // namespace
