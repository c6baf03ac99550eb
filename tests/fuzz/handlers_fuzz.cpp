// The handlers through the stand-in boxes with arbitrary texts. Input: one
// byte choosing the focused box and the event raised, then the three box
// texts separated by NULs. Every text handed out must come back, a handler
// without the focus must touch nothing, and a conversion must store and
// write exactly what the exact references give.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "app/x87.h"
#include "converter/handlers.h"
#include "converter/stored_values.h"
#include "tests/exactness/binary_reference.h"
#include "tests/exactness/decimal_reference.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/reference_parse.h"
#include "tests/support/counting_heap.h"
#include "tests/support/fake_window_kit.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a text has the shape of SingleToText's output: a special text, or
// at most six significant digits without trailing zeros after a point, in
// the plain form for decimal exponents -4 to 5 and the exponent form (sign,
// three digits) otherwise.
bool LooksLikeSingleText(const std::string& text) {
    if (text == "0" || text == "1.#INF" || text == "-1.#INF" || text == "1.#QNAN") return true;
    std::string body = text[0] == '-' ? text.substr(1) : text;
    if (body.empty()) return false;
    int exponent = 0;
    const std::size_t e = body.find('e');
    if (e != std::string::npos) {
        const std::string tail = body.substr(e + 1);
        if (tail.size() != 4 || (tail[0] != '+' && tail[0] != '-') || !IsDigit(tail[1]) || !IsDigit(tail[2]) ||
            !IsDigit(tail[3]))
            return false;
        exponent = std::stoi(tail.substr(1)) * (tail[0] == '-' ? -1 : 1);
        body = body.substr(0, e);
        // One digit, 1 to 9, before the point.
        if (body.empty() || body[0] < '1' || body[0] > '9' || (body.size() > 1 && body[1] != '.')) return false;
        if (exponent >= -4 && exponent < 6) return false;
    }
    const std::size_t point = body.find('.');
    const std::string whole = body.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : body.substr(point + 1);
    if (point != std::string::npos && (fraction.empty() || fraction.back() == '0')) return false;
    for (char c : whole + fraction)
        if (!IsDigit(c)) return false;
    if (whole.empty() || (whole.size() > 1 && whole[0] == '0')) return false;
    std::string digits = whole + fraction;
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return false;  // zero is only ever "0"
    digits = digits.substr(first);
    if (digits.size() > 6) return false;
    if (e == std::string::npos) {
        // Plain form: the first significant digit's power of ten.
        exponent = whole != "0" ? static_cast<int>(whole.size()) - 1 : -static_cast<int>(first - whole.size() + 1);
        if (exponent < -4 || exponent >= 6) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const ControlId kBoxes[] = {0, 编辑框1, 编辑框2, 编辑框3};
    const ControlId focus = kBoxes[data[0] & 3u];
    const int event = (data[0] >> 2) % 3;  // which box's ContentChanged is raised
    std::string texts[3];
    for (std::size_t i = 1, box = 0; i < size && box < 3; ++i) {
        if (data[i] == 0) {
            ++box;
        } else {
            texts[box] += static_cast<char>(data[i]);
        }
    }

    ResetX87();
    fake_kit::SetRecording(false);
    fake_kit::Reset(texts[0].c_str(), texts[1].c_str(), texts[2].c_str(), focus);
    const float before[3] = {centimetres, resolution, pixels};
    void (*const handlers[])() = {OnCentimetreBoxChanged, OnResolutionBoxChanged, OnPixelBoxChanged};
    handlers[event]();
    FUZZ_CHECK(test_heap::LiveBlocks() == 0);

    const ControlId own = kBoxes[event + 1];
    if (focus != own) {
        FUZZ_CHECK(fake_kit::WritesSeen() == 0);
        const float after[3] = {centimetres, resolution, pixels};
        FUZZ_CHECK(std::memcmp(before, after, sizeof before) == 0);
        FUZZ_CHECK(fake_kit::Content(编辑框1) == texts[0] && fake_kit::Content(编辑框3) == texts[2]);
    } else {
        FUZZ_CHECK(fake_kit::WritesSeen() == 1);
        const std::uint64_t inch = [] {
            std::uint64_t bits;
            std::memcpy(&bits, &INCH_CM, sizeof bits);
            return bits;
        }();
        const std::uint32_t dpi = exact::SingleOfInteger(fuzz_reference::Parse(texts[1].c_str()));
        FUZZ_CHECK(exact::SingleBits(resolution) == dpi);
        const bool toPixels = event != 2;
        if (toPixels) {
            const std::uint32_t cm = exact::SingleOfInteger(fuzz_reference::Parse(texts[0].c_str()));
            FUZZ_CHECK(exact::SingleBits(centimetres) == cm);
            FUZZ_CHECK(exact::SingleBits(pixels) == exact::PixelsOf(cm, dpi, inch));
        } else {
            const std::uint32_t px = exact::SingleOfInteger(fuzz_reference::Parse(texts[2].c_str()));
            FUZZ_CHECK(exact::SingleBits(pixels) == px);
            FUZZ_CHECK(exact::SingleBits(centimetres) == exact::CentimetresOf(px, dpi, inch));
        }
        const std::string written = fake_kit::Content(toPixels ? 编辑框3 : 编辑框1);
        FUZZ_CHECK(written.size() <= 13);
        FUZZ_CHECK(LooksLikeSingleText(written));
        FUZZ_CHECK(written == exact::TextOfSingle(exact::SingleBits(toPixels ? pixels : centimetres)));
        // The edited side and the resolution box are never rewritten.
        FUZZ_CHECK(fake_kit::Content(编辑框2) == texts[1]);
        FUZZ_CHECK(fake_kit::Content(toPixels ? 编辑框1 : 编辑框3) == texts[toPixels ? 0 : 2]);
    }
    return 0;
}
