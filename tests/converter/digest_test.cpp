// One digest over a seeded sample of a million conversions and texts. The
// same constant is expected from the native and the 32-bit build, which
// proves that both round at exactly the same points.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/x87.h"
#include "converter/handlers.h"
#include "converter/number_text.h"
#include "converter/stored_values.h"
#include "tests/support/fake_window_kit.h"
#include "tests/support/seeded_random.h"
#include "window/control_access.h"

namespace {

struct Digest {
    std::uint64_t state = 1469598103934665603ull;
    void Add(const void* data, std::size_t size) {
        const unsigned char* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) state = (state ^ bytes[i]) * 1099511628211ull;
    }
    void AddFloat(float value) { Add(&value, sizeof value); }
    void AddText(const std::string& text) { Add(text.c_str(), text.size() + 1); }
};

std::string Decimal(std::int32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%ld", static_cast<long>(value));
    return buffer;
}

constexpr std::uint64_t kExpectedDigest = 0xdc8dee4d940e5821ull;
constexpr int kConversions = 1000000;

TEST(CrossBuildDigest, MillionSeededConversionsMatchTheOtherBuild) {
    ResetX87();
    ASSERT_EQ(X87ControlWord(), 0x037F);
    SeededRandom random{0x9E3779B97F4A7C15ull};
    Digest digest;
    fake_kit::SetRecording(false);
    for (int i = 0; i < kConversions; ++i) {
        const std::string length = Decimal(random.Integer(true));
        const std::string dpi = Decimal(random.Next() % 4 == 0 ? random.Integer(true) : static_cast<std::int32_t>(random.Next() % 2401));
        if (i % 2 == 0) {
            fake_kit::Reset(length.c_str(), dpi.c_str(), "", 编辑框1);
            OnCentimetreBoxChanged();
            digest.AddText(fake_kit::Content(编辑框3));
        } else {
            fake_kit::Reset("", dpi.c_str(), length.c_str(), 编辑框3);
            OnPixelBoxChanged();
            digest.AddText(fake_kit::Content(编辑框1));
        }
        digest.AddFloat(centimetres);
        digest.AddFloat(resolution);
        digest.AddFloat(pixels);
        // Arbitrary singles straight into the text conversion as well.
        std::uint32_t bits = random.Next() ^ (random.Next() << 16);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        char* text = SingleToText(value);
        digest.AddText(text);
        ReleaseText(text);
    }
    fake_kit::SetRecording(true);
    EXPECT_EQ(X87ControlWord(), 0x037F) << "nothing may change the control word for good";
    std::printf("digest 0x%016llx\n", static_cast<unsigned long long>(digest.state));
    EXPECT_EQ(digest.state, kExpectedDigest);
}

}  // namespace
