#pragma once
#include <cstdint>

// The identifiers by which the converter names the window and its boxes.
using WindowId = std::uint32_t;
using ControlId = std::uint32_t;

constexpr WindowId MainWindow = 0x52010001u;
constexpr ControlId 编辑框1 = 0x16010002u;
constexpr ControlId 编辑框2 = 0x16010003u;
constexpr ControlId 编辑框3 = 0x16010004u;
constexpr ControlId 标签1 = 0x16010005u;
constexpr ControlId 标签2 = 0x16010006u;
constexpr ControlId 标签3 = 0x16010007u;
constexpr ControlId 标签4 = 0x16010008u;
constexpr ControlId 超级链接框1 = 0x16010033u;
