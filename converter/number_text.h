#pragma once
#include <cstdint>

// Texts are NUL-terminated byte strings in code page 936; every text made
// here comes from the program heap and is given back with ReleaseText.

// Replaces the full-width forms of ASCII (and a few look-alikes) by ASCII.
char* FoldFullWidth(const char* text);
// Leading white space, one sign, digits; wraps modulo 2^32, never fails.
std::int32_t TextToInteger(const char* text);
// Six significant digits, ties away from zero; zero gives +0, NaN a
// positive quiet NaN.
double RoundToSixDigits(float value);
// The "%.6g" layout with three exponent digits and the 1.#INF texts.
char* FormatSixDigits(double value);
char* SingleToText(float value);
