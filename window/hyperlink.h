#pragma once
#include "window/window_kit.h"

bool CreateHyperlink(LoadedWindow& window, ControlRecord& link, HFONT font);
