// The link's colour states and hover tracking, read back from the pixels
// the link paints in the real main window.
#include <gtest/gtest.h>

#include "tests/win32/hyperlink/link_support.h"
#include "tests/win32/ui_driver.h"

namespace {

class LinkColours : public ::testing::Test {
protected:
    static void SetUpTestSuite() { link::EnsureMainWindow(); }

    void SetUp() override {
        link_ = link::MainLink();
        ASSERT_NE(link_, nullptr);
        ASSERT_TRUE(ui::Activate(ui::MainWindowHandle()));
        // No browser to fall back on, so a refused shell call is a failed open.
        registration_.SetHtmDefault(link::HtmRegistration::kClass);
        registration_.RemoveCommandKey();
        Leave();
    }
    void TearDown() override { Leave(); }

    void Leave() {
        if (GetCapture() == link_) link::PostMoveOutside(link_);
        ASSERT_NE(GetCapture(), link_);
    }
    void Press(INT_PTR shellResult) {
        link::FakeShell shell(shellResult);
        UpdateWindow(link_);
        link::SendPress(link_);
        ASSERT_EQ(shell.Calls().size(), 1u);
    }
    // Whether the link has asked for a repaint that has not happened yet.
    bool RepaintPending() { return GetUpdateRect(link_, nullptr, FALSE) != FALSE; }
    void Repaint() { InvalidateRect(link_, nullptr, FALSE); }

    HWND link_ = nullptr;
    link::HtmRegistration registration_;
};

TEST_F(LinkColours, TheNewLinkShowsTheNormalColour) { EXPECT_EQ(link::InitialLinkColour(), "normal"); }

TEST_F(LinkColours, HoverHoldsTheCaptureUntilThePointerLeaves) {
    Press(2);  // a failed open: not visited, whatever earlier tests did
    Repaint();
    ASSERT_EQ(link::LinkColourShown(link_), "normal");

    link::PostMoveInside(link_);
    EXPECT_EQ(GetCapture(), link_) << "entering takes the capture";
    EXPECT_EQ(link::LinkColourShown(link_), "hover");

    // Someone else took the capture: the next move inside takes it back.
    SetCapture(ui::MainWindowHandle());
    link::PostMoveInside(link_);
    EXPECT_EQ(GetCapture(), link_);
    EXPECT_EQ(link::LinkColourShown(link_), "hover");

    RECT client;
    GetClientRect(link_, &client);
    link::PostMove(link_, client.right - 1, client.bottom - 1);
    EXPECT_EQ(GetCapture(), link_) << "the last pixel row and column are inside";
    link::PostMove(link_, client.right, client.bottom / 2);
    EXPECT_EQ(GetCapture(), nullptr) << "one pixel past the right edge is outside";
    EXPECT_EQ(link::LinkColourShown(link_), "normal");

    link::PostMoveInside(link_);
    link::PostMove(link_, client.right / 2, -1);
    EXPECT_EQ(GetCapture(), nullptr) << "above the link is outside";
    EXPECT_EQ(link::LinkColourShown(link_), "normal");
}

TEST_F(LinkColours, ASuccessfulPressShowsTheVisitedColourOnceThePointerHasLeft) {
    link::PostMoveInside(link_);
    link::Capture(link_);
    {
        link::FakeShell shell(33);
        link::SendPress(link_);
        ASSERT_EQ(shell.Calls().size(), 1u);
        const link::ShellCall& call = shell.Calls()[0];
        EXPECT_EQ(call.owner, nullptr);
        EXPECT_EQ(call.verb, "open");
        EXPECT_EQ(call.file, link::MainLinkAddress());
        EXPECT_FALSE(call.parameters);
        EXPECT_FALSE(call.directory);
        EXPECT_EQ(call.show, SW_SHOWNORMAL);
    }
    EXPECT_TRUE(RepaintPending()) << "a successful open repaints";
    EXPECT_EQ(link::LinkColourShown(link_), "hover") << "the pointer is still over the link";

    link::PostMoveOutside(link_);
    EXPECT_EQ(link::LinkColourShown(link_), "visited");
    link::PostMoveInside(link_);
    EXPECT_EQ(link::LinkColourShown(link_), "hover") << "hover wins over visited";
    link::PostMoveOutside(link_);
    EXPECT_EQ(link::LinkColourShown(link_), "visited");
}

TEST_F(LinkColours, AFailedPressAfterASuccessShowsTheNormalColourAtTheNextRepaint) {
    link::PostMoveInside(link_);
    Press(33);
    link::PostMoveOutside(link_);
    ASSERT_EQ(link::LinkColourShown(link_), "visited");

    link::PostMoveInside(link_);
    link::Capture(link_);
    const struct {
        const char* what;
        INT_PTR result;
    } refusals[] = {{"result 32, the highest failure", 32}, {"file not found", 2}, {"out of memory", 0}};
    for (const auto& refusal : refusals) {
        Press(refusal.result);
        EXPECT_FALSE(RepaintPending()) << refusal.what << ": a failed open asks for no repaint";
        EXPECT_EQ(link::LinkColourShown(link_), "hover") << refusal.what;
    }
    link::PostMoveOutside(link_);
    EXPECT_EQ(link::LinkColourShown(link_), "normal") << "leaving repaints";

    // Pressed without hovering, as posted input can: the colour changes
    // only when something else repaints the link.
    Press(33);
    ASSERT_EQ(link::LinkColourShown(link_), "visited");
    Press(2);
    EXPECT_EQ(link::LinkColourShown(link_), "visited") << "nothing repainted it yet";
    Repaint();
    EXPECT_EQ(link::LinkColourShown(link_), "normal");

    // Another success and failure without leaving in between: the failure
    // still decides what shows once the pointer has gone.
    link::PostMoveInside(link_);
    Press(33);
    Press(2);
    link::PostMoveOutside(link_);
    EXPECT_EQ(link::LinkColourShown(link_), "normal");
}

}  // namespace
