// The window kit against real edit controls in the real window: every
// ContentChanged is counted by the stand-in handlers below, which take the
// converter's place in the form's bindings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frame.h"
#include "app/heap.h"
#include "tests/win32/ui_driver.h"
#include "window/control_access.h"
#include "window/window_kit.h"

namespace {

struct Event {
    ControlId box;
    std::string textSeen;  // what the box showed when its event was raised
    std::int32_t focus;
};

std::vector<Event> events;

void Record(ControlId box) {
    char* text = ReadContent(MainWindow, box);
    events.push_back({box, text != nullptr ? text : "", HasFocus(MainWindow, box)});
    ReleaseText(text);
}

}  // namespace

void OnCentimetreBoxChanged() { Record(编辑框1); }
void OnResolutionBoxChanged() { Record(编辑框2); }
void OnPixelBoxChanged() { Record(编辑框3); }

namespace {

class WindowKit : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (ui::MainWindowHandle() == nullptr) LoadWindow(MainWindow);
    }
    void SetUp() override {
        ASSERT_NE(ui::MainWindowHandle(), nullptr);
        ASSERT_TRUE(ui::Activate(ui::MainWindowHandle()));
        ui::Pump();
        events.clear();
    }
    // Puts text into a box without raising anything, as a starting point.
    void Preset(ControlId box, const char* text) {
        ++EventHoldCount;
        SetWindowTextA(ui::Control(box), text);
        --EventHoldCount;
        ui::Pump();
        events.clear();
    }
    void FocusBox(ControlId box) {
        SetFocus(ui::Control(box));
        ui::Pump();
        events.clear();
    }
};

TEST_F(WindowKit, OpeningTheWindowRaisedNothing) {
    // Everything the build did happened while events were held.
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(ui::WindowText(ui::Control(编辑框2)), "96.01");
    EXPECT_EQ(ui::WindowText(ui::Control(编辑框3)), "");
}

TEST_F(WindowKit, EveryWriteRaisesExactlyOneEventAfterTheBoxShowsTheText) {
    const struct {
        const char* preset;
        const char* written;
        const char* shown;
    } cases[] = {
        {"", "188.976", "188.976"},
        {"12", "12", "12"},        // the text already shown
        {"12", nullptr, ""},       // none empties the box
        {"", "", ""},
        {"", "\xB4\xED\xCE\xF3", "\xB4\xED\xCE\xF3"},  // double-byte text, byte for byte
    };
    for (const auto& c : cases) {
        Preset(编辑框3, c.preset);
        WriteContent(MainWindow, 编辑框3, c.written);
        ASSERT_EQ(events.size(), 1u) << "writing \"" << (c.written ? c.written : "(none)") << "\"";
        EXPECT_EQ(events[0].box, 编辑框3);
        EXPECT_EQ(events[0].textSeen, c.shown);
        ui::Pump();
        EXPECT_EQ(events.size(), 1u) << "nothing arrives later either";
    }
}

TEST_F(WindowKit, UserEditsRaiseOneEventEachAfterTheChange) {
    Preset(编辑框1, "");
    FocusBox(编辑框1);
    ui::TypeAscii("42");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].textSeen, "4");
    EXPECT_EQ(events[1].textSeen, "42");
    EXPECT_EQ(events[1].focus, 1);

    events.clear();
    ui::PressKey(VK_BACK);
    ASSERT_EQ(events.size(), 1u) << "deletion";
    EXPECT_EQ(events[0].textSeen, "4");

    events.clear();
    ui::PressKey(VK_LEFT);
    ui::PressKey(VK_HOME);
    ui::PressKey(VK_END);
    EXPECT_TRUE(events.empty()) << "keys that change nothing raise nothing";

    events.clear();
    SendMessageA(ui::Control(编辑框1), EM_SETSEL, 0, -1);
    ui::PressKey('X', false, true);
    ASSERT_EQ(events.size(), 1u) << "cut";
    EXPECT_EQ(events[0].textSeen, "");

    events.clear();
    ui::PressKey('V', false, true);
    ui::PressKey('V', false, true);
    ASSERT_EQ(events.size(), 2u) << "paste";
    EXPECT_EQ(events[1].textSeen, "44");
}

TEST_F(WindowKit, UndoLeavesTheLastEventSeeingTheRestoredText) {
    Preset(编辑框1, "");
    FocusBox(编辑框1);
    ui::TypeAscii("7");
    events.clear();
    ui::PressKey('Z', false, true);
    // The platform may report an undo more than once; what matters is that
    // the last event sees the text the user sees.
    ASSERT_FALSE(events.empty());
    std::printf("an undo raised %u ContentChanged\n", static_cast<unsigned>(events.size()));
    EXPECT_EQ(events.back().textSeen, ui::WindowText(ui::Control(编辑框1)));
    EXPECT_EQ(events.back().textSeen, "");
}

TEST_F(WindowKit, EventsRaisedWhileHeldAreLostNotReplayed) {
    HoldEvents();
    WriteContent(MainWindow, 编辑框3, "1");
    WriteContent(MainWindow, 编辑框1, "2");
    ResumeEvents();
    ui::Pump(200);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(ui::WindowText(ui::Control(编辑框3)), "1") << "the write itself still happened";
    WriteContent(MainWindow, 编辑框3, "3");
    EXPECT_EQ(events.size(), 1u) << "and events flow again afterwards";
}

TEST_F(WindowKit, ReadContentGivesNoneForEmptyAndTheWholeOfALongText) {
    Preset(编辑框3, "");
    EXPECT_EQ(ReadContent(MainWindow, 编辑框3), nullptr);
    ReleaseText(nullptr);  // accepted, does nothing

    std::string longText;
    for (int i = 0; i < 4000; ++i) longText += static_cast<char>('0' + i % 10);
    Preset(编辑框3, longText.c_str());
    char* text = ReadContent(MainWindow, 编辑框3);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text), longText) << "including what is scrolled out of view";
    ReleaseText(text);
    ReleaseText(const_cast<char*>(kEmptyText));  // the constant empty text is left alone
}

TEST_F(WindowKit, HasFocusFollowsTheKeyboardFocusOnly) {
    const ControlId boxes[] = {编辑框1, 编辑框2, 编辑框3};
    for (ControlId focused : boxes) {
        FocusBox(focused);
        for (ControlId box : boxes) EXPECT_EQ(HasFocus(MainWindow, box), box == focused ? 1 : 0);
    }
    // Another window active: no box has the focus.
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(ui::Activate(other));
    for (ControlId box : boxes) EXPECT_EQ(HasFocus(MainWindow, box), 0);
    DestroyWindow(other);
    ui::Pump();
}

// The fatal path, seen from the box it shows: a thread of the dying process
// reads the box, reports its texts on stderr and presses OK.
DWORD WINAPI AnswerFatalBox(void*) {
    for (int i = 0; i < 400; ++i) {
        HWND box = FindWindowA(nullptr, "\xB4\xED\xCE\xF3");  // the caption
        if (box != nullptr) {
            char text[512] = {};
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            std::string escaped;
            for (const char* p = text; *p; ++p) {
                char hex[4];
                wsprintfA(hex, "%02X", static_cast<unsigned char>(*p));
                escaped += hex;
            }
            fprintf(stderr, "box:%s\n", escaped.c_str());
            fflush(stderr);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return 0;
        }
        Sleep(50);
    }
    return 0;
}

std::string Hex(const char* bytes) {
    std::string hex;
    for (; *bytes; ++bytes) {
        char pair[4];
        wsprintfA(pair, "%02X", static_cast<unsigned char>(*bytes));
        hex += pair;
    }
    return hex;
}

const char kBoxStart[] = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n";  // 运行时出错!
const char kInfo[] = "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";             // 错误信息：

TEST_F(WindowKit, AMissingWindowOrControlTakesTheFatalPath) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string control = Hex(kBoxStart) + Hex(kInfo) + Hex("\xD5\xD2\xB2\xBB\xB5\xBD\xBF\xD8\xBC\xFE 0x16010009\r\n");
    EXPECT_EXIT(
        {
            CreateThread(nullptr, 0, AnswerFatalBox, nullptr, 0, nullptr);
            WriteContent(MainWindow, 0x16010009, "1");
        },
        ::testing::ExitedWithCode(-1), "box:" + control);
    const std::string window = Hex(kBoxStart) + Hex(kInfo) + Hex("\xD5\xD2\xB2\xBB\xB5\xBD\xB4\xB0\xBF\xDA 0x52010009\r\n");
    EXPECT_EXIT(
        {
            CreateThread(nullptr, 0, AnswerFatalBox, nullptr, 0, nullptr);
            HasFocus(0x52010009, 编辑框1);
        },
        ::testing::ExitedWithCode(-1), "box:" + window);
}

TEST_F(WindowKit, AHeapThatCannotSupplyABlockTakesTheFatalPath) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // 分配 2147483632 字节内存失败!
    const std::string expected = Hex(kBoxStart) + Hex(kInfo) +
                                 Hex("\xB7\xD6\xC5\xE4 2147483632 \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!\r\n");
    EXPECT_EXIT(
        {
            CreateThread(nullptr, 0, AnswerFatalBox, nullptr, 0, nullptr);
            AllocateBlock(0x7FFFFFF0u);
        },
        ::testing::ExitedWithCode(-1), "box:" + expected);
}

}  // namespace
