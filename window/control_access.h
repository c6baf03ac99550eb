#pragma once
#include <cstdint>
#include "window/form_ids.h"

// The four operations through which the converter talks to the edit boxes.
// A text handed out here belongs to the caller until it calls ReleaseText;
// an empty box is handed out as no text at all (nullptr).
std::int32_t HasFocus(WindowId window, ControlId control);
char* ReadContent(WindowId window, ControlId control);
// Copies the text (nullptr means ""); the box's ContentChanged runs exactly
// once before this returns.
void WriteContent(WindowId window, ControlId control, const char* text);
void ReleaseText(char* text);

// The program's one empty text. ReleaseText leaves it alone.
extern const char kEmptyText[];
