#pragma once
#include <windows.h>

#include "window/form.h"

// Opens the link's address through the shell, or else with the browser
// registered for .htm files. True when something was started.
bool OpenLink(const HyperlinkSettings& link);

// The shell call, replaceable so that tests can make it fail.
using ShellOpenFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
extern ShellOpenFunction ShellOpen;

// The fallback on its own: builds the registered command line for the
// target and runs it. Never runs a cut-off command.
bool OpenWithRegisteredBrowser(const char* target);
