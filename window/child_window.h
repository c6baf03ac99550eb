#pragma once
#include "window/window_kit.h"

// A child control of a class of the program's own that draws itself: the
// class is registered on first use, the control created hidden with the
// form's place and Title, its ControlSpec handed over in lpCreateParams.
struct OwnClass {
    const char* name;
    WNDPROC procedure;
    int extraBytes;
    UINT style;
};

bool CreateOwnChild(LoadedWindow& window, ControlRecord& control, const OwnClass& cls, HFONT font);
