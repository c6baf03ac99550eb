#include "window/child_window.h"

namespace {

bool Register(const OwnClass& own) {
    WNDCLASSEXA cls = {};
    if (GetClassInfoExA(GetModuleHandleA(nullptr), own.name, &cls)) return true;
    cls.cbSize = sizeof cls;
    cls.style = own.style;
    cls.lpfnWndProc = own.procedure;
    cls.cbWndExtra = own.extraBytes;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    cls.lpszClassName = own.name;
    return RegisterClassExA(&cls) != 0;
}

}  // namespace

bool CreateOwnChild(LoadedWindow& window, ControlRecord& control, const OwnClass& cls, HFONT font) {
    if (!Register(cls)) return false;
    const ControlSpec& spec = *control.spec;
    control.hwnd = CreateWindowExA(0, cls.name, spec.text, WS_CHILD | WS_CLIPSIBLINGS, spec.left, spec.top,
                                   spec.width, spec.height, window.hwnd,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(spec.id)),
                                   GetModuleHandleA(nullptr), const_cast<ControlSpec*>(&spec));
    if (control.hwnd == nullptr) return false;
    SendMessageA(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return true;
}
