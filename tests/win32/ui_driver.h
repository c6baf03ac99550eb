#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Drives the program's own window from inside the test process: messages
// go through the program's loop handling, keys through the system's input.
namespace ui {
// Handles waiting messages for a while, as the message loop would.
void Pump(DWORD milliseconds = 50);
// Pumps until the condition holds or the time is up; says which.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMilliseconds = 5000);
void PressKey(WORD key, bool shift = false, bool control = false);
void TypeAscii(const char* text);
std::string WindowText(HWND hwnd);
// Brings the window to the front and waits until it is active.
bool Activate(HWND hwnd);
// The bytes of a box's text, as ReadContent would see them.
HWND Control(DWORD id);
HWND MainWindowHandle();
}  // namespace ui
