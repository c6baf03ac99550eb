#pragma once
#include "window/window_kit.h"

// The window's own keys, seen before the focused control gets them: Tab and
// Shift+Tab cycle the tab stops, Esc closes. True when the key was consumed.
bool OfferKeyToWindow(LoadedWindow& window, const MSG& message);
// The first visible, enabled tab stop in tab order, or nullptr.
HWND FirstTabStop(const LoadedWindow& window);
