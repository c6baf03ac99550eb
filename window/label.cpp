#include "window/label.h"

#include "window/child_window.h"

namespace {

const char kLabelClass[] = "QuendrelLabel";
constexpr int kSpecSlot = 0;
constexpr int kFontSlot = sizeof(LONG_PTR);

const ControlSpec* SpecOf(HWND hwnd) {
    return reinterpret_cast<const ControlSpec*>(GetWindowLongPtrA(hwnd, kSpecSlot));
}

// The whole area in button face, looked up now so it follows the colour
// scheme, then the text over it, transparent and not clipped.
void Paint(HWND hwnd) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const ControlSpec* spec = SpecOf(hwnd);
    if (spec != nullptr && spec->text[0] != '\0') {
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(GetWindowLongPtrA(hwnd, kFontSlot)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        const UINT layout = spec->wordWrap ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
        DrawTextA(dc, spec->text, -1, &client, layout | DT_LEFT | DT_NOCLIP | DT_NOPREFIX);
        SelectObject(dc, old);
    }
    EndPaint(hwnd, &paint);
}

LRESULT CALLBACK LabelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrA(hwnd, kSpecSlot,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
            break;
        case WM_PAINT:
            Paint(hwnd);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting covers the background
        case WM_SETFONT:
            SetWindowLongPtrA(hwnd, kFontSlot, static_cast<LONG_PTR>(wParam));
            if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_GETFONT:
            return GetWindowLongPtrA(hwnd, kFontSlot);
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

bool CreateLabel(LoadedWindow& window, ControlRecord& label, HFONT font) {
    return CreateOwnChild(window, label, OwnClass{kLabelClass, LabelProc, 2 * sizeof(LONG_PTR), 0}, font);
}
