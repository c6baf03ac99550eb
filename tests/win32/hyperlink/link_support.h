#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "window/open_link.h"

// Helpers shared by the hyperlink tests: the main window's link, its
// pixels, pointer moves posted to it and a stand-in for the shell.
namespace link {

constexpr COLORREF kNormal = RGB(0, 0, 255);
constexpr COLORREF kVisited = RGB(128, 0, 0);
constexpr COLORREF kHover = RGB(10, 36, 106);

// Loads the main window once per process and keeps the real pointer off it,
// so that only the moves a test posts reach the link.
void EnsureMainWindow();
HWND MainLink();
// The colour the link showed right after the window was loaded.
const std::string& InitialLinkColour();
// The address the form gives the main window's link.
const char* MainLinkAddress();

// What a window shows in its client area, read back from the screen.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    int Count(COLORREF colour) const;
    bool operator==(const Image& other) const {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
};
// Lets pending paints happen first.
Image Capture(HWND hwnd);
// The one link colour among the pixels, or a description of what was found.
std::string LinkColourShown(HWND link);
const char* ColourName(COLORREF colour);

// Handles whatever is waiting, without the sleeps of ui::Pump.
void Drain();
// Pointer moves as the system delivers them, posted to the link.
void PostMove(HWND link, int x, int y);
void PostMoveInside(HWND link);
void PostMoveOutside(HWND link);
void PostPress(HWND link);
// The same press handled at once, so that what it leaves to be painted can
// be seen before the loop paints it.
void SendPress(HWND link);

// Replaces the shell call for as long as it lives and records each call.
struct ShellCall {
    HWND owner;
    std::string verb;
    std::string file;
    bool parameters;
    bool directory;
    INT show;
};
class FakeShell {
public:
    explicit FakeShell(INT_PTR result);
    ~FakeShell();
    FakeShell(const FakeShell&) = delete;
    FakeShell& operator=(const FakeShell&) = delete;
    const std::vector<ShellCall>& Calls() const;
    void SetResult(INT_PTR result);
};

}  // namespace link

namespace link {

// Takes over HKEY_CLASSES_ROOT\.htm and a class of the tests' own for as
// long as it lives, and puts back what .htm held before.
class HtmRegistration {
public:
    static constexpr char kClass[] = "QuendrelTest.htm";
    HtmRegistration();
    ~HtmRegistration();
    HtmRegistration(const HtmRegistration&) = delete;
    HtmRegistration& operator=(const HtmRegistration&) = delete;

    // False when .htm has subkeys, which could not be put back afterwards.
    bool RemoveHtmKey();
    void SetHtmDefault(const std::string& value);
    // The command key of the tests' class: absent, present without a
    // default value, or with one of the given type and bytes.
    void RemoveCommandKey();
    void SetCommandKeyWithoutDefault();
    void SetCommand(DWORD type, const void* data, DWORD size);
    void SetCommand(const std::string& command);  // REG_SZ with its NUL

private:
    struct Value {
        std::string name;
        DWORD type;
        std::vector<BYTE> data;
    };
    bool htmExisted_ = false;
    bool htmHasSubkeys_ = false;
    std::vector<Value> htmValues_;
};

}  // namespace link
