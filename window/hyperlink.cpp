#include "window/hyperlink.h"

#include "window/child_window.h"
#include "window/open_link.h"

namespace {

const char kHyperlinkClass[] = "QuendrelHyperlink";
constexpr int kSpecSlot = 0;
constexpr int kFontSlot = sizeof(LONG_PTR);
constexpr int kStateSlot = 2 * sizeof(LONG_PTR);
constexpr LONG_PTR kHovering = 1;
constexpr LONG_PTR kVisited = 2;

const ControlSpec& SpecOf(HWND hwnd) { return *reinterpret_cast<const ControlSpec*>(GetWindowLongPtrA(hwnd, kSpecSlot)); }
bool Has(HWND hwnd, LONG_PTR flag) { return (GetWindowLongPtrA(hwnd, kStateSlot) & flag) != 0; }
void Set(HWND hwnd, LONG_PTR flag, bool on) {
    const LONG_PTR state = GetWindowLongPtrA(hwnd, kStateSlot);
    SetWindowLongPtrA(hwnd, kStateSlot, on ? state | flag : state & ~flag);
}

// Painting covers the background itself, so nothing is erased first.
void Repaint(HWND hwnd) { InvalidateRect(hwnd, nullptr, FALSE); }

const char* ShownText(const ControlSpec& spec) {
    if (spec.text[0] != '\0') return spec.text;
    return spec.link->linkKind != 0 ? spec.link->webAddress : spec.link->mailAddress;
}

COLORREF TextColour(HWND hwnd, const HyperlinkSettings& link) {
    if (Has(hwnd, kHovering)) return link.hoverColour;
    return Has(hwnd, kVisited) ? link.visitedColour : link.normalColour;
}

LRESULT OnPaint(HWND hwnd, WPARAM, LPARAM) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
    const ControlSpec& spec = SpecOf(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(GetWindowLongPtrA(hwnd, kFontSlot)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TextColour(hwnd, *spec.link));
    DrawTextA(dc, ShownText(spec), -1, &client, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOCLIP | DT_NOPREFIX);
    SelectObject(dc, old);
    EndPaint(hwnd, &paint);
    return 0;
}

// The capture tells the link when the pointer has left it.
LRESULT OnMouseMove(HWND hwnd, WPARAM, LPARAM lParam) {
    if (!Has(hwnd, kHovering)) {
        Set(hwnd, kHovering, true);
        Repaint(hwnd);
        SetCapture(hwnd);
        return 0;
    }
    RECT client;
    GetClientRect(hwnd, &client);
    const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (!PtInRect(&client, point)) {
        Set(hwnd, kHovering, false);
        ReleaseCapture();
        Repaint(hwnd);
    } else if (GetCapture() != hwnd) {
        SetCapture(hwnd);
    }
    return 0;
}

LRESULT OnLeftButtonDown(HWND hwnd, WPARAM, LPARAM) {
    const bool opened = OpenLink(*SpecOf(hwnd).link);
    Set(hwnd, kVisited, opened);
    if (opened) Repaint(hwnd);
    return 0;
}

// The second press of a double click arrives as this and opens nothing.
LRESULT OnDoubleClick(HWND, WPARAM, LPARAM) { return 0; }
LRESULT OnEraseBackground(HWND, WPARAM, LPARAM) { return 1; }

LRESULT OnSetFont(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    SetWindowLongPtrA(hwnd, kFontSlot, static_cast<LONG_PTR>(wParam));
    if (LOWORD(lParam)) Repaint(hwnd);
    return 0;
}

LRESULT OnGetFont(HWND hwnd, WPARAM, LPARAM) { return GetWindowLongPtrA(hwnd, kFontSlot); }

LRESULT OnNcCreate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    SetWindowLongPtrA(hwnd, kSpecSlot,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    return DefWindowProcA(hwnd, WM_NCCREATE, wParam, lParam);
}

struct MessageHandler {
    UINT message;
    LRESULT (*handle)(HWND, WPARAM, LPARAM);
};

const MessageHandler kHandlers[] = {
    {WM_NCCREATE, OnNcCreate},     {WM_PAINT, OnPaint},       {WM_ERASEBKGND, OnEraseBackground},
    {WM_MOUSEMOVE, OnMouseMove},   {WM_LBUTTONDOWN, OnLeftButtonDown},
    {WM_LBUTTONDBLCLK, OnDoubleClick}, {WM_SETFONT, OnSetFont}, {WM_GETFONT, OnGetFont},
};

LRESULT CALLBACK HyperlinkProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    for (const MessageHandler& handler : kHandlers)
        if (handler.message == message) return handler.handle(hwnd, wParam, lParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

// Double clicks are told apart, so that the second press can be ignored.
bool CreateHyperlink(LoadedWindow& window, ControlRecord& link, HFONT font) {
    return CreateOwnChild(window, link, OwnClass{kHyperlinkClass, HyperlinkProc, 3 * sizeof(LONG_PTR), CS_DBLCLKS},
                          font);
}
