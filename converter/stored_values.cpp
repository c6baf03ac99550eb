#include "converter/stored_values.h"

float centimetres = 0.0f;
float resolution = 0.0f;
float pixels = 0.0f;

// Static initialisation already gives the values their start of 0, and
// nothing here owns memory or a handle.
void InitGlobals() {}
void ReleaseGlobals() {}
