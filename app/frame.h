#pragma once
#include <cstdint>

#include "window/form_ids.h"

// The frame around the converter and the window: start, loop and end.
using ExitRoutine = void (*)();

void PrepareFrame();
void RegisterExitRoutine(ExitRoutine routine);
void LoadWindow(WindowId id);
void RunMessageLoop();
void ReleaseFrame();
std::int32_t StartProgram();
// The code of the quit message that ended the loop (0 until one came).
int QuitCode();
