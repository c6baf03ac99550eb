#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

// The real main window in this process, as the program's start-up builds
// it, with the keyboard focus in the centimetre box.
bool OpenMainWindow();
double SecondsNow();
// Sets a box's text without running a conversion.
void PresetBox(DWORD box, const char* text);

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 != 0 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

inline double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}
