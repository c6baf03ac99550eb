#pragma once
#include <cstdint>

// The program's only error report: one box, then the process ends at once
// with exit code -1. Never returns.
[[noreturn]] void ReportFatalError(const char* message, std::int32_t code);
