#include "window/main_window.h"

#include "window/edit_box.h"
#include "window/hyperlink.h"
#include "window/keyboard.h"
#include "window/label.h"
#include "window/window_kit.h"

void OnLoadedWindowDestroyed();  // the frame's quit rule

namespace {

const char kWindowClass[] = "QuendrelMainWindow";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

LRESULT Default(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Control notifications go straight back to the control that sent them.
LRESULT OnCommand(LoadedWindow&, HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const HWND control = reinterpret_cast<HWND>(lParam);
    if (control != nullptr && GetParent(control) == hwnd) return SendMessageA(control, WM_COMMAND, wParam, lParam);
    return Default(hwnd, WM_COMMAND, wParam, lParam);
}

LRESULT OnEditColour(LoadedWindow&, HWND, WPARAM wParam, LPARAM) {
    const HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

LRESULT OnActivate(LoadedWindow& window, HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd, focus)) window.rememberedFocus = focus;
    }
    return Default(hwnd, WM_ACTIVATE, wParam, lParam);
}

// The window never keeps the focus itself: it passes it to the control
// that had it at deactivation, or to the first tab stop.
LRESULT OnSetFocus(LoadedWindow& window, HWND hwnd, WPARAM, LPARAM) {
    HWND target = window.rememberedFocus;
    window.rememberedFocus = nullptr;
    if (target == nullptr || !IsWindow(target) || !IsChild(hwnd, target)) target = FirstTabStop(window);
    if (target != nullptr) SetFocus(target);
    return 0;
}

LRESULT OnNcDestroy(LoadedWindow& window, HWND hwnd, WPARAM wParam, LPARAM lParam) {
    window.alive = false;
    const LRESULT result = Default(hwnd, WM_NCDESTROY, wParam, lParam);
    OnLoadedWindowDestroyed();
    return result;
}

LRESULT OnSetFont(LoadedWindow& window, HWND, WPARAM wParam, LPARAM) {
    window.font = reinterpret_cast<HFONT>(wParam);
    return 0;
}

LRESULT OnGetFont(LoadedWindow& window, HWND, WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(window.font); }

struct MessageHandler {
    UINT message;
    LRESULT (*handle)(LoadedWindow&, HWND, WPARAM, LPARAM);
};

const MessageHandler kHandlers[] = {
    {WM_COMMAND, OnCommand},   {WM_CTLCOLOREDIT, OnEditColour}, {WM_ACTIVATE, OnActivate},
    {WM_SETFOCUS, OnSetFocus}, {WM_NCDESTROY, OnNcDestroy},   {WM_SETFONT, OnSetFont},
    {WM_GETFONT, OnGetFont},
};

LoadedWindow* buildingWindow = nullptr;  // messages sent before CreateWindowEx returns

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LoadedWindow* window = FindLoadedWindowByHandle(hwnd);
    if (window == nullptr && buildingWindow != nullptr && buildingWindow->hwnd == nullptr) {
        buildingWindow->hwnd = hwnd;
        window = buildingWindow;
    }
    if (window == nullptr || window->hwnd != hwnd) return Default(hwnd, message, wParam, lParam);
    for (const MessageHandler& handler : kHandlers)
        if (handler.message == message) return handler.handle(*window, hwnd, wParam, lParam);
    return Default(hwnd, message, wParam, lParam);
}

bool RegisterWindowClass() {
    WNDCLASSEXA cls = {};
    if (GetClassInfoExA(GetModuleHandleA(nullptr), kWindowClass, &cls)) return true;
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = MainWindowProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = kWindowClass;
    return RegisterClassExA(&cls) != 0;
}

HICON LoadProgramIcon(int size) {
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "DEFAULT_ICON", IMAGE_ICON, size, size, 0));
}

bool CreateControl(LoadedWindow& window, ControlRecord& control, HFONT font) {
    switch (control.spec->kind) {
        case ControlKind::EditBox: return CreateEditBox(window, control, font);
        case ControlKind::Label: return CreateLabel(window, control, font);
        case ControlKind::Hyperlink: return CreateHyperlink(window, control, font);
    }
    return false;
}

bool CreateHiddenWindow(LoadedWindow& window) {
    const WindowSpec& spec = *window.spec;
    const int left = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), spec.outerWidth);
    const int top = CentredOrigin(GetSystemMetrics(SM_CYSCREEN), spec.outerHeight);
    buildingWindow = &window;
    window.alive = true;
    const HWND hwnd = CreateWindowExA(0, kWindowClass, spec.title, kWindowStyle, left, top, spec.outerWidth,
                                      spec.outerHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    buildingWindow = nullptr;
    if (hwnd == nullptr) {
        window.alive = false;
        return false;
    }
    window.hwnd = hwnd;
    RECT outer;
    GetWindowRect(hwnd, &outer);
    if (outer.right - outer.left != spec.outerWidth || outer.bottom - outer.top != spec.outerHeight)
        MoveWindow(hwnd, left, top, spec.outerWidth, spec.outerHeight, FALSE);
    return true;
}

// The build proper, between HoldEvents and ResumeEvents.
bool BuildHidden(LoadedWindow& window, HFONT font) {
    if (!RegisterWindowClass() || !CreateHiddenWindow(window)) return false;
    window.bigIcon = LoadProgramIcon(32);
    window.smallIcon = LoadProgramIcon(16);
    SendMessageA(window.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(window.bigIcon));
    SendMessageA(window.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(window.smallIcon));
    SendMessageA(window.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowPos(window.hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    const WindowSpec& spec = *window.spec;
    for (std::size_t i = 0; i < spec.controlCount; ++i)
        if (!CreateControl(window, window.controls[i], font)) return false;
    HWND above = HWND_TOP;
    for (std::size_t i = 0; i < spec.controlCount; ++i) {
        const HWND control = FindControlRecord(window, spec.stackingOrder[i])->hwnd;
        SetWindowPos(control, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = control;
    }
    for (std::size_t i = 0; i < spec.controlCount; ++i)
        ShowWindow(window.controls[i].hwnd, SW_SHOWNA);
    return true;
}

}  // namespace

int CentredOrigin(int screenExtent, int windowExtent) { return (screenExtent - windowExtent) / 2; }

bool BuildWindow(const WindowSpec& spec) {
    LoadedWindow* window = ReserveLoadedWindow(spec);
    if (window == nullptr) return false;
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HoldEvents();
    const bool built = BuildHidden(*window, font);
    ResumeEvents();
    if (!built) return false;
    ShowWindow(window->hwnd, SW_SHOW);
    return true;
}
