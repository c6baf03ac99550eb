// Runs conversions against the stand-in window kit, with its recording off,
// so that callgrind can count the instructions of each: run it as
//
//   valgrind --tool=callgrind --toggle-collect='*DriveConversions*'
//            --compress-strings=no --compress-pos=no conversion_cost <case> <count>
//
// and split the count with callgrind_split. Without valgrind it checks the
// case's result and prints the time per conversion.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "converter/handlers.h"
#include "tests/support/fake_window_kit.h"
#include "window/form_ids.h"

namespace {

struct Case {
    const char* name;
    const char* centimetres;
    const char* resolution;
    const char* pixels;
    ControlId focused;   // the box being typed into
    void (*handler)();   // its ContentChanged
    ControlId result;    // the box the conversion writes
    const char* expected;
};

const Case kCases[] = {
    {"cm-5-at-96", "5", "96.01", "", 编辑框1, OnCentimetreBoxChanged, 编辑框3, "188.976"},
    {"cm-21-at-300", "21", "300", "", 编辑框1, OnCentimetreBoxChanged, 编辑框3, "2480.31"},
    {"cm-123456789-at-300", "123456789", "300", "", 编辑框1, OnCentimetreBoxChanged, 编辑框3, "1.45815e+010"},
    {"px-3508-at-300", "", "300", "3508", 编辑框3, OnPixelBoxChanged, 编辑框1, "29.7011"},
};

// Kept out of line so callgrind can collect exactly the conversions.
__attribute__((noinline)) void DriveConversions(void (*handler)(), long count) {
    for (long i = 0; i < count; ++i) handler();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: conversion_cost <case> <count>\ncases:");
        for (const Case& c : kCases) std::fprintf(stderr, " %s", c.name);
        std::fprintf(stderr, "\n");
        return 2;
    }
    const Case* chosen = nullptr;
    for (const Case& c : kCases)
        if (std::strcmp(c.name, argv[1]) == 0) chosen = &c;
    if (chosen == nullptr) {
        std::fprintf(stderr, "no case %s\n", argv[1]);
        return 2;
    }
    const long count = std::atol(argv[2]);
    fake_kit::SetRecording(false);
    fake_kit::Reset(chosen->centimetres, chosen->resolution, chosen->pixels, chosen->focused);

    // Lazy binding and the first growth of the stand-in's strings happen
    // here, outside what is counted.
    for (int i = 0; i < 10; ++i) chosen->handler();
    if (fake_kit::Content(chosen->result) != chosen->expected) {
        std::fprintf(stderr, "%s gave \"%s\", not \"%s\"\n", chosen->name, fake_kit::Content(chosen->result).c_str(),
                     chosen->expected);
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    DriveConversions(chosen->handler, count);
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("case %s conversions %ld result %s ns_per_conversion %.1f\n", chosen->name, count,
                fake_kit::Content(chosen->result).c_str(), elapsed.count() / static_cast<double>(count));
    return 0;
}
