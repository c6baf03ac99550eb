#include "converter/handlers.h"

#include <cstdint>

#include "converter/number_text.h"
#include "converter/stored_values.h"
#include "window/control_access.h"

namespace {

// Reads a box as a whole number and gives its text back before the caller
// reads the next box.
float ReadBoxAsSingle(ControlId box) {
    char* text = ReadContent(MainWindow, box);
    const std::int32_t value = TextToInteger(text != nullptr ? text : kEmptyText);
    if (text != nullptr) ReleaseText(text);
    return static_cast<float>(value);
}

// The text is released only after the write (and its nested event) returned.
void ShowInBox(ControlId box, float value) {
    char* text = SingleToText(value);
    WriteContent(MainWindow, box, text);
    if (text != nullptr) ReleaseText(text);
}

}  // namespace

void OnCentimetreBoxChanged() {
    if (HasFocus(MainWindow, 编辑框1) != 1) return;
    RecomputePixels();
}

void OnResolutionBoxChanged() {
    if (HasFocus(MainWindow, 编辑框2) != 1) return;
    RecomputePixels();
}

// Each product and quotient is formed with a 64-bit significand and then
// rounded to double; the casts are the rounding points.
void RecomputePixels() {
    centimetres = ReadBoxAsSingle(编辑框1);
    resolution = ReadBoxAsSingle(编辑框2);
    const double product = static_cast<double>(static_cast<long double>(centimetres) * resolution);
    const double quotient = static_cast<double>(product / static_cast<long double>(INCH_CM));
    pixels = static_cast<float>(quotient);
    ShowInBox(编辑框3, pixels);
}

void OnPixelBoxChanged() {
    if (HasFocus(MainWindow, 编辑框3) != 1) return;
    pixels = ReadBoxAsSingle(编辑框3);
    resolution = ReadBoxAsSingle(编辑框2);
    const double quotient = static_cast<double>(static_cast<long double>(pixels) / resolution);
    const double product = static_cast<double>(quotient * static_cast<long double>(INCH_CM));
    centimetres = static_cast<float>(product);
    ShowInBox(编辑框1, centimetres);
}
