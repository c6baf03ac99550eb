#pragma once
#include <windows.h>

// The reference program's window: one fixed 284x268 window with three edit
// boxes, shown; `addControls`, when given, adds more before it shows. Null
// on failure.
using AddControls = void (*)(HWND window, HINSTANCE instance);
HWND CreateReferenceWindow(HINSTANCE instance, int show, AddControls addControls);

// The program's labels and link text as plain static controls, where its
// form puts them (reference_texts.cpp; it needs the form linked in).
void AddFormTexts(HWND window, HINSTANCE instance);
