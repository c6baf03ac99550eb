// The start-up routine in process: it resets the x87 unit, enters the
// program's folder, builds the window and returns with the quit code.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/frame.h"
#include "app/x87.h"
#include "tests/win32/ui_driver.h"

namespace {

void SetControlWord(std::uint16_t word) { __asm__ __volatile__("fldcw %0" : : "m"(word)); }

std::string CurrentDirectory() {
    char path[MAX_PATH];
    GetCurrentDirectoryA(sizeof path, path);
    return path;
}

std::string ProgramFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

TEST(StartProgram, ResetsTheUnitEntersItsFolderAndReturnsTheQuitCode) {
    SetControlWord(0x027F);  // 53-bit precision, as another runtime might leave it
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\windows"));
    // The quit message waits in the queue: the build leaves it for the loop,
    // which then returns at once.
    PostQuitMessage(7);
    EXPECT_EQ(StartProgram(), 0);
    EXPECT_EQ(X87ControlWord(), 0x037F);
    EXPECT_EQ(QuitCode(), 7);
    EXPECT_EQ(CurrentDirectory(), ProgramFolder());
    EXPECT_TRUE(IsWindowVisible(ui::MainWindowHandle())) << "a quit from outside closes no window";
    ReleaseFrame();
    ReleaseFrame();  // a second call finds nothing left to release
}

}  // namespace
