#pragma once
#include <windows.h>

#include "window/form.h"

// What the window kit keeps at run time for a loaded window and its
// controls, and the one program-wide mute for events.

struct ControlRecord {
    const ControlSpec* spec;
    HWND hwnd;
    bool settingContent;  // WriteContent is replacing the text
    WNDPROC originalProc;  // edit boxes are subclassed
    int lineHeight;        // of the box's font, to centre the line
};

struct LoadedWindow {
    const WindowSpec* spec;
    HWND hwnd;
    bool alive;
    HWND rememberedFocus;  // the control that had the focus at deactivation
    HICON bigIcon;
    HICON smallIcon;
    HFONT font;  // a top-level window keeps its own: the system does not
    ControlRecord controls[kMaxControls];
};

// The loaded window with this identifier, or nullptr.
LoadedWindow* FindLoadedWindow(WindowId id);
LoadedWindow* FindLoadedWindowByHandle(HWND hwnd);
ControlRecord* FindControlRecord(LoadedWindow& window, ControlId id);
ControlRecord* FindControlRecordByHandle(HWND hwnd);
// A free record for a window about to be built.
LoadedWindow* ReserveLoadedWindow(const WindowSpec& spec);
bool AnyLoadedWindowAlive();

// For the window-kit operations: the live control, or the fatal error path.
ControlRecord& RequireLiveControl(WindowId window, ControlId control);

// Events are dropped while the count is above 0.
extern int EventHoldCount;
void HoldEvents();
void ResumeEvents();
void RaiseEvent(ControlRecord& control, int event);

// The loop's normal handling of one message: offered to the windows on the
// path up from its target, then translated and dispatched.
void DispatchLoopMessage(MSG& message);
// Releases what the kit keeps for the program (icons, classes).
void ReleaseWindowKit();
