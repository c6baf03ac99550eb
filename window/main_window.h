#pragma once
#include "window/form.h"

// Builds and shows a window of the form, events held meanwhile. False when
// the window or one of its controls could not be created.
bool BuildWindow(const WindowSpec& spec);

// Where a window of the given outer size is centred on a screen: integer
// division truncating toward zero, so 281 wide gives -1.
int CentredOrigin(int screenExtent, int windowExtent);
