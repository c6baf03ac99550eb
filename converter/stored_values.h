#pragma once

// The converter's three stored values: written only by the handlers, each
// conversion overwrites its two inputs and its result.
extern float centimetres;
extern float resolution;
extern float pixels;

constexpr double INCH_CM = 2.54;

void InitGlobals();
void ReleaseGlobals();
