#pragma once
#include "window/window_kit.h"

// Creates one of the form's edit boxes, hidden, as a child of the window.
bool CreateEditBox(LoadedWindow& window, ControlRecord& box, HFONT font);
