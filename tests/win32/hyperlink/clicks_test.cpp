// Presses on the link: a double click opens once, and the keyboard focus
// stays in the box the user is typing in.
#include <gtest/gtest.h>

#include <vector>

#include "tests/win32/hyperlink/link_support.h"
#include "tests/win32/ui_driver.h"
#include "window/window_kit.h"

namespace {

// The button messages the link takes from the queue, as the loop gets them.
std::vector<UINT> buttonMessages;
HWND watched = nullptr;

LRESULT CALLBACK WatchButtons(int code, WPARAM wParam, LPARAM lParam) {
    const MSG& message = *reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message.hwnd == watched &&
        (message.message == WM_LBUTTONDOWN || message.message == WM_LBUTTONDBLCLK))
        buttonMessages.push_back(message.message);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

INPUT Button(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

class LinkClicks : public ::testing::Test {
protected:
    static void SetUpTestSuite() { link::EnsureMainWindow(); }

    void SetUp() override {
        link_ = link::MainLink();
        ASSERT_NE(link_, nullptr);
        ASSERT_TRUE(ui::Activate(ui::MainWindowHandle()));
    }
    void TearDown() override {
        SetCursorPos(0, 0);
        if (GetCapture() == link_) link::PostMoveOutside(link_);
        ui::Pump();
    }
    void Preset(ControlId box, const char* text) {
        ++EventHoldCount;
        SetWindowTextA(ui::Control(box), text);
        --EventHoldCount;
    }

    HWND link_ = nullptr;
};

// Real button input through the system, which turns the second press into
// a double click only for a window class that asks for it.
TEST_F(LinkClicks, ADoubleClickOpensOnceAndKeepsTheFocus) {
    SetFocus(ui::Control(编辑框2));
    RECT rect;
    GetWindowRect(link_, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ASSERT_TRUE(ui::PumpUntil([this] { return GetCapture() == link_; })) << "the real pointer over the link";

    watched = link_;
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, WatchButtons, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    link::FakeShell shell(33);
    // Injected input is now and then lost under Wine: try again until both
    // presses have reached the link, whatever they were turned into.
    for (int attempt = 0; attempt < 4; ++attempt) {
        buttonMessages.clear();
        shell.SetResult(33);
        const std::size_t callsBefore = shell.Calls().size();
        INPUT clicks[] = {Button(MOUSEEVENTF_LEFTDOWN), Button(MOUSEEVENTF_LEFTUP), Button(MOUSEEVENTF_LEFTDOWN),
                          Button(MOUSEEVENTF_LEFTUP)};
        SendInput(4, clicks, sizeof(INPUT));
        ui::PumpUntil([] { return buttonMessages.size() >= 2; }, 2000);
        ui::Pump(100);
        if (buttonMessages.size() < 2) continue;
        EXPECT_EQ(buttonMessages, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}));
        EXPECT_EQ(shell.Calls().size() - callsBefore, 1u) << "a double click opens the address once";
        break;
    }
    UnhookWindowsHookEx(hook);
    ASSERT_GE(buttonMessages.size(), 2u) << "the clicks never reached the link";
    EXPECT_EQ(GetFocus(), ui::Control(编辑框2)) << "clicking the link leaves the focus where it was";
}

TEST_F(LinkClicks, APressLeavesTheFocusAndTheConversionsAlone) {
    Preset(编辑框1, "5");
    Preset(编辑框3, "");
    SetFocus(ui::Control(编辑框2));
    ui::Pump();
    {
        link::FakeShell shell(33);
        link::PostPress(link_);
        ui::Pump();
        ASSERT_EQ(shell.Calls().size(), 1u);
    }
    EXPECT_EQ(GetFocus(), ui::Control(编辑框2));
    EXPECT_EQ(ui::WindowText(ui::Control(编辑框3)), "") << "the press converted nothing";

    // Typing goes on in the same box, and its conversion still runs.
    PostMessageA(ui::Control(编辑框2), WM_CHAR, '0', 1);
    ui::Pump();
    EXPECT_EQ(ui::WindowText(ui::Control(编辑框3)), "188.976") << "5 cm at 96 dpi";
    Preset(编辑框1, "");
    Preset(编辑框2, "96.01");
    Preset(编辑框3, "");
}

}  // namespace
