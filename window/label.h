#pragma once
#include "window/window_kit.h"

bool CreateLabel(LoadedWindow& window, ControlRecord& label, HFONT font);
