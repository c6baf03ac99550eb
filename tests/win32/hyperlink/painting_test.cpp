// What the link draws: the text it falls back on when its Title is empty,
// and "&" as a plain character. Links of the tests' own settings are made
// by the real CreateHyperlink in a host window beside the main window.
#include <gtest/gtest.h>

#include <string>

#include "tests/win32/hyperlink/link_support.h"
#include "tests/win32/ui_driver.h"
#include "window/hyperlink.h"
#include "window/window_kit.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 20;

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A plain top-level window, clear of the main window, that holds the links.
HWND CreateHost() {
    WNDCLASSA cls = {};
    cls.lpfnWndProc = HostProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = "QuendrelLinkHost";
    RegisterClassA(&cls);
    return CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE, cls.lpszClassName, "", WS_POPUP | WS_VISIBLE, 20, 20,
                           kWidth + 20, 4 * (kHeight + 10), nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

struct LinkSettings {
    const char* title;
    int linkKind;
    const char* webAddress;
    const char* mailAddress;
};

// One link made from its settings; the settings outlive the control.
class TestLink {
public:
    TestLink(HWND host, int row, const LinkSettings& settings)
        : link_{settings.linkKind, settings.webAddress, settings.mailAddress, link::kNormal, link::kVisited,
                link::kHover},
          spec_{ControlKind::Hyperlink, 0x16010100u + static_cast<ControlId>(row), 10, 5 + row * (kHeight + 10),
                kWidth, kHeight, false, settings.title, false, nullptr, 0, &link_} {
        window_.hwnd = host;
        record_.spec = &spec_;
        created_ = CreateHyperlink(window_, record_, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        if (created_) ShowWindow(record_.hwnd, SW_SHOWNA);
    }
    ~TestLink() {
        if (record_.hwnd != nullptr) DestroyWindow(record_.hwnd);
    }
    TestLink(const TestLink&) = delete;
    TestLink& operator=(const TestLink&) = delete;
    bool Created() const { return created_; }
    link::Image Drawn() const { return link::Capture(record_.hwnd); }

private:
    HyperlinkSettings link_;
    ControlSpec spec_;
    LoadedWindow window_ = {};
    ControlRecord record_ = {};
    bool created_ = false;
};

// The text as a reference drawing makes it in a bitmap of the link's size,
// with or without mnemonic prefixes.
link::Image Reference(const char* text, UINT prefixFlag) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT rect = {0, 0, kWidth, kHeight};
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, link::kNormal);
    DrawTextA(dc, text, -1, &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER | prefixFlag);
    GdiFlush();
    link::Image image;
    image.width = kWidth;
    image.height = kHeight;
    const DWORD* pixel = static_cast<const DWORD*>(bits);
    for (int i = 0; i < kWidth * kHeight; ++i)
        image.pixels.push_back(RGB((pixel[i] >> 16) & 0xFF, (pixel[i] >> 8) & 0xFF, pixel[i] & 0xFF));
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return image;
}

class LinkPainting : public ::testing::Test {
protected:
    static void SetUpTestSuite() { link::EnsureMainWindow(); }
    void SetUp() override {
        host_ = CreateHost();
        ASSERT_NE(host_, nullptr);
        ui::Pump();
    }
    void TearDown() override {
        DestroyWindow(host_);
        ui::Pump();
    }
    HWND host_ = nullptr;
};

TEST_F(LinkPainting, AnEmptyTitleDrawsTheAddressOfTheLinkKind) {
    const char kWeb[] = "http://w.test/";
    const char kMail[] = "m@y.test";
    const struct {
        const char* what;
        LinkSettings settings;
        const char* drawn;  // what a link whose Title is this text draws
    } cases[] = {
        {"web link without a Title", {"", 1, kWeb, kMail}, kWeb},
        {"any kind but 0 is a web link", {"", -7, kWeb, kMail}, kWeb},
        {"mail link without a Title: the address without its scheme", {"", 0, kWeb, kMail}, kMail},
        {"a Title is drawn whatever the addresses", {"Tavorin", 0, kWeb, kMail}, "Tavorin"},
    };
    for (const auto& c : cases) {
        TestLink tested(host_, 0, c.settings);
        TestLink reference(host_, 1, {c.drawn, 1, "http://other.test/", ""});
        ASSERT_TRUE(tested.Created() && reference.Created()) << c.what;
        const link::Image drawn = tested.Drawn();
        EXPECT_GE(drawn.Count(link::kNormal), 4) << c.what << ": some text is drawn";
        EXPECT_TRUE(drawn == reference.Drawn()) << c.what;
    }
    // The comparison tells the two addresses apart.
    TestLink web(host_, 0, {kWeb, 1, kWeb, kMail});
    TestLink mail(host_, 1, {kMail, 1, kWeb, kMail});
    EXPECT_FALSE(web.Drawn() == mail.Drawn());
}

TEST_F(LinkPainting, AnAmpersandIsDrawnAsItIsInOneCentredLine) {
    const char* const texts[] = {"a&b", "&Tavorin&&", "www.tavorin.example"};
    for (const char* text : texts) {
        TestLink tested(host_, 2, {text, 1, "http://w.test/", ""});
        ASSERT_TRUE(tested.Created());
        const link::Image drawn = tested.Drawn();
        EXPECT_GE(drawn.Count(link::kNormal), 4) << text;
        EXPECT_TRUE(drawn == Reference(text, DT_NOPREFIX)) << text;
    }
    // The reference drawing tells prefix handling apart.
    TestLink amp(host_, 2, {"a&b", 1, "http://w.test/", ""});
    EXPECT_FALSE(amp.Drawn() == Reference("a&b", 0));
}

}  // namespace
