#include "tests/win32/hyperlink/link_support.h"

#include <shellapi.h>

#include "app/frame.h"
#include "tests/win32/ui_driver.h"
#include "window/window_kit.h"

namespace link {

namespace {
std::string initialColour;
}

void EnsureMainWindow() {
    // The desktop's corner lies outside the window: a move the system makes
    // up from the real pointer leaves the link, never enters it.
    SetCursorPos(0, 0);
    if (ui::MainWindowHandle() == nullptr) {
        LoadWindow(MainWindow);
        ui::Pump(200);
        initialColour = LinkColourShown(MainLink());
    }
    ui::Pump(50);
}

HWND MainLink() { return ui::Control(超级链接框1); }

const std::string& InitialLinkColour() { return initialColour; }

const char* MainLinkAddress() {
    return FindControlSpec(*FindWindowSpec(MainWindow), 超级链接框1)->link->webAddress;
}

int Image::Count(COLORREF colour) const {
    int count = 0;
    for (COLORREF pixel : pixels) count += pixel == colour;
    return count;
}

Image Capture(HWND hwnd) {
    UpdateWindow(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    Image image;
    image.width = client.right;
    image.height = client.bottom;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, image.width, image.height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD* pixel = static_cast<const DWORD*>(bits);
    for (int i = 0; i < image.width * image.height; ++i)
        image.pixels.push_back(RGB((pixel[i] >> 16) & 0xFF, (pixel[i] >> 8) & 0xFF, pixel[i] & 0xFF));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, screen);
    return image;
}

const char* ColourName(COLORREF colour) {
    switch (colour) {
        case kNormal: return "normal";
        case kVisited: return "visited";
        case kHover: return "hover";
    }
    return "other";
}

std::string LinkColourShown(HWND link) {
    const Image image = Capture(link);
    std::string shown;
    for (COLORREF colour : {kNormal, kVisited, kHover}) {
        // A glyph stem gives a handful of pixels in the exact text colour
        // even where the edges are smoothed.
        if (image.Count(colour) < 4) continue;
        if (!shown.empty()) shown += "+";
        shown += ColourName(colour);
    }
    return shown.empty() ? "no link colour" : shown;
}

void Drain() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchLoopMessage(message);
}

void PostMove(HWND link, int x, int y) {
    PostMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    Drain();
}

void PostMoveInside(HWND link) {
    RECT client;
    GetClientRect(link, &client);
    PostMove(link, client.right / 2, client.bottom / 2);
}

// Below the link: with the capture held the link still gets the move.
void PostMoveOutside(HWND link) {
    RECT client;
    GetClientRect(link, &client);
    PostMove(link, client.right / 2, client.bottom + 20);
}

void PostPress(HWND link) {
    RECT client;
    GetClientRect(link, &client);
    const LPARAM point = MAKELPARAM(client.right / 2, client.bottom / 2);
    PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(link, WM_LBUTTONUP, 0, point);
    Drain();
}

void SendPress(HWND link) {
    RECT client;
    GetClientRect(link, &client);
    const LPARAM point = MAKELPARAM(client.right / 2, client.bottom / 2);
    SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(link, WM_LBUTTONUP, 0, point);
}

namespace {
INT_PTR fakeResult = 0;
std::vector<ShellCall> calls;
ShellOpenFunction replaced = nullptr;

HINSTANCE WINAPI FakeShellOpen(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                               INT show) {
    calls.push_back({owner, verb != nullptr ? verb : "(none)", file != nullptr ? file : "(none)",
                     parameters != nullptr, directory != nullptr, show});
    return reinterpret_cast<HINSTANCE>(fakeResult);
}
}  // namespace

FakeShell::FakeShell(INT_PTR result) {
    fakeResult = result;
    calls.clear();
    replaced = ShellOpen;
    ShellOpen = FakeShellOpen;
}

FakeShell::~FakeShell() { ShellOpen = replaced; }

const std::vector<ShellCall>& FakeShell::Calls() const { return calls; }

void FakeShell::SetResult(INT_PTR result) { fakeResult = result; }

}  // namespace link

namespace link {

namespace {
const char kHtm[] = ".htm";
const std::string kCommandKey = std::string(HtmRegistration::kClass) + "\\shell\\open\\command";

void SetDefault(const char* key, DWORD type, const void* data, DWORD size) {
    HKEY handle;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(handle, nullptr, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(handle);
}
}  // namespace

HtmRegistration::HtmRegistration() {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kClass);
    HKEY htm;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kHtm, 0, KEY_READ, &htm) != ERROR_SUCCESS) return;
    htmExisted_ = true;
    DWORD subkeys = 0;
    RegQueryInfoKeyA(htm, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr);
    htmHasSubkeys_ = subkeys != 0;
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD nameLength = sizeof name;
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueA(htm, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        Value value{name, type, std::vector<BYTE>(size)};
        nameLength = sizeof name;
        RegEnumValueA(htm, i, name, &nameLength, nullptr, &type, value.data.data(), &size);
        value.data.resize(size);
        htmValues_.push_back(value);
    }
    RegCloseKey(htm);
}

HtmRegistration::~HtmRegistration() {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kClass);
    if (!htmExisted_) {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kHtm);
        return;
    }
    HKEY htm;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, kHtm, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &htm, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegDeleteValueA(htm, nullptr);  // the tests' own default goes when .htm had none
    for (const Value& value : htmValues_)
        RegSetValueExA(htm, value.name.empty() ? nullptr : value.name.c_str(), 0, value.type, value.data.data(),
                       static_cast<DWORD>(value.data.size()));
    RegCloseKey(htm);
}

bool HtmRegistration::RemoveHtmKey() {
    if (htmHasSubkeys_) return false;
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kHtm);
    return true;
}

void HtmRegistration::SetHtmDefault(const std::string& value) {
    SetDefault(kHtm, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void HtmRegistration::RemoveCommandKey() { RegDeleteTreeA(HKEY_CLASSES_ROOT, kClass); }

void HtmRegistration::SetCommandKeyWithoutDefault() {
    RemoveCommandKey();
    HKEY handle;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, kCommandKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                        nullptr) == ERROR_SUCCESS)
        RegCloseKey(handle);
}

void HtmRegistration::SetCommand(DWORD type, const void* data, DWORD size) {
    SetCommandKeyWithoutDefault();
    SetDefault(kCommandKey.c_str(), type, data, size);
}

void HtmRegistration::SetCommand(const std::string& command) {
    SetCommand(REG_SZ, command.c_str(), static_cast<DWORD>(command.size() + 1));
}

}  // namespace link
