// The built main window, in process, with the real converter behind it:
// geometry, settings, texts, orders, keys, focus and live conversion.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frame.h"
#include "tests/win32/ui_driver.h"
#include "window/form.h"
#include "window/main_window.h"

namespace {

HWND Main() { return ui::MainWindowHandle(); }
HWND Box(ControlId id) { return ui::Control(id); }

class Form : public ::testing::Test {
protected:
    static void SetUpTestSuite() { LoadWindow(MainWindow); }
    void SetUp() override {
        ASSERT_NE(Main(), nullptr);
        ASSERT_TRUE(ui::Activate(Main()));
    }
    void Focus(ControlId id) {
        SetFocus(Box(id));
        ui::Pump();
    }
};

// Runs first: the state the user finds when the window opens.
TEST_F(Form, AtStartNoConversionHasRunAndTheFirstBoxHasTheFocus) {
    EXPECT_EQ(ui::WindowText(Box(编辑框1)), "");
    EXPECT_EQ(ui::WindowText(Box(编辑框2)), "96.01");
    EXPECT_EQ(ui::WindowText(Box(编辑框3)), "") << "the initial 96.01 converted nothing";
    EXPECT_EQ(GetFocus(), Box(编辑框1));
    DWORD start = 1, end = 1;
    SendMessageA(Box(编辑框1), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
}

TEST_F(Form, WindowIsCentredOnTheWholeScreenWithItsOuterSize) {
    RECT outer;
    GetWindowRect(Main(), &outer);
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024) << "the tests run on a 1024x768 desktop";
    EXPECT_EQ(outer.left, 370);
    EXPECT_EQ(outer.top, 250);
    EXPECT_EQ(outer.right - outer.left, 284);
    EXPECT_EQ(outer.bottom - outer.top, 268);
}

TEST(CentredOrigin, TruncatesTowardZero) {
    const struct {
        int screen, window, origin;
    } cases[] = {{1024, 284, 370}, {768, 268, 250}, {281, 284, -1}, {283, 284, 0}, {285, 284, 0},
                 {100, 268, -84}, {1920, 284, 818}, {1081, 268, 406}};
    for (const auto& c : cases) EXPECT_EQ(CentredOrigin(c.screen, c.window), c.origin) << c.screen;
}

TEST_F(Form, WindowFrameIsFixedTopmostAndOwnerless) {
    const LONG style = GetWindowLongA(Main(), GWL_STYLE);
    const LONG exStyle = GetWindowLongA(Main(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX) << "no maximise";
    EXPECT_FALSE(style & WS_THICKFRAME) << "no sizing border";
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(Main(), GW_OWNER), nullptr);
    EXPECT_EQ(ui::WindowText(Main()), "Quendrel BY Tavorin");
    // Topmost: nothing of the ordinary band lies above it.
    for (HWND above = GetWindow(Main(), GW_HWNDPREV); above != nullptr; above = GetWindow(above, GW_HWNDPREV))
        EXPECT_TRUE(GetWindowLongA(above, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(IsZoomed(Main()));
    EXPECT_FALSE(IsIconic(Main()));
}

TEST_F(Form, ControlsSitWhereTheFormPutsThem) {
    const WindowSpec& form = *FindWindowSpec(MainWindow);
    for (std::size_t i = 0; i < form.controlCount; ++i) {
        const ControlSpec& spec = form.controls[i];
        const HWND control = Box(spec.id);
        ASSERT_NE(control, nullptr);
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, spec.left) << std::hex << spec.id;
        EXPECT_EQ(rect.top, spec.top) << std::hex << spec.id;
        EXPECT_EQ(rect.right - rect.left, spec.width) << std::hex << spec.id;
        EXPECT_EQ(rect.bottom - rect.top, spec.height) << std::hex << spec.id;
        EXPECT_EQ(static_cast<DWORD>(GetDlgCtrlID(control)), spec.id);
        EXPECT_TRUE(IsWindowVisible(control));
        EXPECT_TRUE(IsWindowEnabled(control));
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        EXPECT_EQ((style & WS_TABSTOP) != 0, spec.kind == ControlKind::EditBox);
        EXPECT_TRUE(style & WS_CLIPSIBLINGS) << "so that the label never paints over the link";
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
    }
}

TEST_F(Form, EditBoxesAreSunkenSingleLineAndUnlimited) {
    for (ControlId id : {编辑框1, 编辑框2, 编辑框3}) {
        const LONG style = GetWindowLongA(Box(id), GWL_STYLE);
        const LONG exStyle = GetWindowLongA(Box(id), GWL_EXSTYLE);
        EXPECT_TRUE(exStyle & WS_EX_CLIENTEDGE);
        EXPECT_FALSE(style & WS_BORDER);
        EXPECT_TRUE(style & ES_AUTOHSCROLL);
        const LONG notWanted = ES_MULTILINE | ES_READONLY | ES_PASSWORD | ES_NUMBER | ES_UPPERCASE | ES_LOWERCASE |
                               ES_NOHIDESEL | ES_CENTER | ES_RIGHT | WS_HSCROLL | WS_VSCROLL;
        EXPECT_EQ(style & notWanted, 0);
        EXPECT_GE(static_cast<unsigned long>(SendMessageA(Box(id), EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEul);
        // The line of text is centred: white strips of nearly equal height.
        RECT window, client;
        GetWindowRect(Box(id), &window);
        GetClientRect(Box(id), &client);
        MapWindowPoints(Box(id), nullptr, reinterpret_cast<POINT*>(&client), 2);
        const int above = client.top - window.top, below = window.bottom - client.bottom;
        EXPECT_LE(above - below, 1);
        EXPECT_GE(above - below, -1);
        EXPECT_GT(above, 2);
    }
}

TEST_F(Form, EditBoxFacesAreWhite) {
    UpdateWindow(Main());
    ui::Pump();
    for (ControlId id : {编辑框1, 编辑框3}) {
        HDC dc = GetWindowDC(Box(id));
        RECT window;
        GetWindowRect(Box(id), &window);
        const int width = window.right - window.left, height = window.bottom - window.top;
        EXPECT_EQ(GetPixel(dc, width - 6, 3), RGB(255, 255, 255)) << "the strip above the line";
        EXPECT_EQ(GetPixel(dc, width - 6, height / 2), RGB(255, 255, 255)) << "the face";
        EXPECT_EQ(GetPixel(dc, width - 6, height - 4), RGB(255, 255, 255)) << "the strip below";
        ReleaseDC(Box(id), dc);
    }
}

TEST_F(Form, TextsAreTheFormsBytesInCodePage936) {
    const struct {
        ControlId id;
        const char* bytes;
    } cases[] = {
        {标签1, "\xC0\xE5\xC3\xD7(cm)\xA3\xBA"},
        {标签2, "\xB7\xD6\xB1\xE6\xC2\xCA(dpi)\r\n(\xCF\xF1\xCB\xD8/\xD3\xA2\xB4\xE7)\xA3\xBA"},
        {标签3, "\xCF\xF1\xCB\xD8(dot)\xA3\xBA"},
        {超级链接框1, "www.tavorin.example"},
    };
    for (const auto& c : cases) EXPECT_EQ(ui::WindowText(Box(c.id)), c.bytes) << std::hex << c.id;
    const std::string hint = ui::WindowText(Box(标签4));
    EXPECT_EQ(hint.substr(0, 6), "  \xC8\xE7\xB9\xFB") << "two ASCII spaces, then 如果";
    EXPECT_NE(hint.find("\xA3\xA1\r\n  \xD2\xBB\xB0\xE3"), std::string::npos) << "！ CR LF, two spaces, 一般";
    EXPECT_EQ(hint.substr(hint.size() - 8), "\xB7\xD6\xB1\xE6\xC2\xCA\xA1\xA3") << "ends with 分辨率。";
    EXPECT_NE(hint.find("300\xCF\xF1\xCB\xD8/\xD3\xA2\xB4\xE7"), std::string::npos);
}

TEST_F(Form, IconsAreTheProgramsOwnAtTheirSizes) {
    const struct {
        WPARAM which;
        LONG size;
    } cases[] = {{ICON_BIG, 32}, {ICON_SMALL, 16}};
    for (const auto& c : cases) {
        HICON icon = reinterpret_cast<HICON>(SendMessageA(Main(), WM_GETICON, c.which, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info;
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap;
        GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, c.size);
        EXPECT_EQ(bitmap.bmHeight, c.size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(Main(), WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
}

TEST_F(Form, ControlsAreStackedInReverseOfCreation) {
    const ControlId expected[] = {超级链接框1, 标签4, 标签3, 标签2, 标签1, 编辑框3, 编辑框2, 编辑框1};
    HWND child = GetWindow(Main(), GW_CHILD);
    for (ControlId id : expected) {
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(static_cast<DWORD>(GetDlgCtrlID(child)), id);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr);
}

TEST_F(Form, TabCyclesTheBoxesBothWaysWithoutTouchingTheirSelection) {
    SetWindowTextA(Box(编辑框2), "96.01");
    SendMessageA(Box(编辑框2), EM_SETSEL, 2, 2);
    const struct {
        ControlId from;
        bool shift;
        ControlId to;
    } cases[] = {{编辑框1, false, 编辑框2}, {编辑框2, false, 编辑框3}, {编辑框3, false, 编辑框1},
                 {编辑框1, true, 编辑框3}, {编辑框3, true, 编辑框2}, {编辑框2, true, 编辑框1}};
    for (const auto& c : cases) {
        Focus(c.from);
        ui::PressKey(VK_TAB, c.shift);
        EXPECT_EQ(GetFocus(), Box(c.to)) << std::hex << c.from << (c.shift ? " shift+tab" : " tab");
    }
    Focus(编辑框1);
    ui::PressKey(VK_TAB);
    DWORD start = 0, end = 0;
    SendMessageA(Box(编辑框2), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u) << "the caret stays where it was";
    EXPECT_EQ(end, 2u) << "no text is selected by the move";
    EXPECT_EQ(ui::WindowText(Box(编辑框2)), "96.01") << "the Tab went no further";
}

TEST_F(Form, EnterAndF1MoveNothingAndCloseNothing) {
    Focus(编辑框2);
    ui::PressKey(VK_RETURN);
    ui::PressKey(VK_F1);
    EXPECT_EQ(GetFocus(), Box(编辑框2));
    EXPECT_TRUE(IsWindow(Main()));
    EXPECT_EQ(ui::WindowText(Box(编辑框2)), "96.01");
}

TEST_F(Form, FocusComesBackToTheBoxThatHadItAfterAnotherWindow) {
    Focus(编辑框3);
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(ui::Activate(other));
    EXPECT_NE(GetFocus(), Box(编辑框3));
    ASSERT_TRUE(ui::Activate(Main()));
    EXPECT_EQ(GetFocus(), Box(编辑框3));
    DestroyWindow(other);
    ui::Pump();
}

TEST_F(Form, ClickingALabelLeavesTheFocusWhereItWas) {
    for (ControlId label : {标签1, 标签2, 标签3, 标签4}) {
        Focus(编辑框2);
        SendMessageA(Box(label), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(Box(label), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        ui::Pump();
        EXPECT_EQ(GetFocus(), Box(编辑框2)) << std::hex << label;
    }
}

TEST_F(Form, TypingConvertsLive) {
    SetWindowTextA(Box(编辑框2), "96.01");
    SetWindowTextA(Box(编辑框1), "");
    Focus(编辑框1);
    ui::TypeAscii("5");
    EXPECT_EQ(ui::WindowText(Box(编辑框3)), "188.976");
    ui::TypeAscii("0");
    EXPECT_EQ(ui::WindowText(Box(编辑框3)), "1889.76");
    ui::PressKey(VK_BACK);
    ui::PressKey(VK_BACK);
    EXPECT_EQ(ui::WindowText(Box(编辑框3)), "0") << "clearing the centimetres gives 0 pixels";

    SetWindowTextA(Box(编辑框2), "300");
    Focus(编辑框3);
    SetWindowTextA(Box(编辑框3), "");
    ui::TypeAscii("1000");
    EXPECT_EQ(ui::WindowText(Box(编辑框1)), "8.46667");
    EXPECT_EQ(ui::WindowText(Box(编辑框3)), "1000") << "the edited box is never rewritten";

    Focus(编辑框2);
    ui::PressKey(VK_END);
    ui::PressKey(VK_BACK);
    EXPECT_EQ(ui::WindowText(Box(编辑框3)), "94.4882") << "8.46667 cm read as 8, at 30 dpi";
    EXPECT_EQ(ui::WindowText(Box(编辑框1)), "8.46667") << "editing the resolution never rewrites centimetres";
}

// Last: it closes the window.
TEST_F(Form, EscClosesTheWindowAsTheCloseButtonDoes) {
    const HWND window = Main();
    Focus(编辑框3);
    ui::PressKey(VK_ESCAPE);
    ui::Pump(200);
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
