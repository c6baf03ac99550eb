#include "window/edit_box.h"

namespace {

constexpr DWORD kEditStyle = WS_CHILD | WS_CLIPSIBLINGS | ES_LEFT | ES_AUTOHSCROLL;

// The parent hands every notification back to the box that sent it.
LRESULT OnChangeNotification(ControlRecord& box) {
    if (!box.settingContent) RaiseEvent(box, kContentChanged);
    return 0;
}

// A single-line edit draws its line at the top of its client area; shrinking
// the client area to one line, centred, leaves white strips above and below.
void CentreClientArea(const ControlRecord& box, RECT& client) {
    const int spare = (client.bottom - client.top) - box.lineHeight;
    if (spare <= 0) return;
    client.top += spare / 2;
    client.bottom -= spare - spare / 2;
}

void PaintStrips(const ControlRecord& box) {
    RECT window, client;
    GetWindowRect(box.hwnd, &window);
    GetClientRect(box.hwnd, &client);
    MapWindowPoints(box.hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const int edgeX = GetSystemMetrics(SM_CXEDGE), edgeY = GetSystemMetrics(SM_CYEDGE);
    const int width = window.right - window.left, height = window.bottom - window.top;
    const int clientTop = client.top - window.top, clientBottom = client.bottom - window.top;
    HDC dc = GetWindowDC(box.hwnd);
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    const RECT above = {edgeX, edgeY, width - edgeX, clientTop};
    const RECT below = {edgeX, clientBottom, width - edgeX, height - edgeY};
    FillRect(dc, &above, white);
    FillRect(dc, &below, white);
    ReleaseDC(box.hwnd, dc);
}

LRESULT CALLBACK EditBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlRecord* box = FindControlRecordByHandle(hwnd);
    if (box == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    const WNDPROC original = box->originalProc;
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && reinterpret_cast<HWND>(lParam) == hwnd)
        return OnChangeNotification(*box);
    const LRESULT result = CallWindowProcA(original, hwnd, message, wParam, lParam);
    if (message == WM_NCCALCSIZE) CentreClientArea(*box, reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]);
    if (message == WM_NCPAINT) PaintStrips(*box);
    // Clicks on the strips belong to the box, as they look part of it.
    if (message == WM_NCDESTROY) box->hwnd = nullptr;  // gone: the kit's operations now fail loudly
    if (message == WM_NCHITTEST && result != HTCLIENT && result != HTNOWHERE) return HTCLIENT;
    return result;
}

int LineHeight(HWND hwnd, HFONT font) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return metrics.tmHeight;
}

}  // namespace

bool CreateEditBox(LoadedWindow& window, ControlRecord& box, HFONT font) {
    const ControlSpec& spec = *box.spec;
    box.hwnd = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", spec.text, kEditStyle | (spec.tabStop ? WS_TABSTOP : 0),
                               spec.left, spec.top, spec.width, spec.height, window.hwnd,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(spec.id)), GetModuleHandleA(nullptr),
                               nullptr);
    if (box.hwnd == nullptr) return false;
    box.originalProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(box.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditBoxProc)));
    SendMessageA(box.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(box.hwnd, EM_LIMITTEXT, 0, 0);  // the platform's largest
    box.lineHeight = LineHeight(box.hwnd, font);
    SetWindowPos(box.hwnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}
