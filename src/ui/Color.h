#pragma once
#include <cstdint>

namespace ui {

// A Windows COLORREF, 0x00BBGGRR; 0x80000000 + n is system colour n.
using Color = std::uint32_t;

constexpr Color clBlack = 0x000000;
constexpr Color clWhite = 0xFFFFFF;
constexpr Color clGray = 0x808080;
constexpr Color clBtnFace = 0x8000000F;
constexpr Color clWindow = 0x80000005;
constexpr Color clWindowText = 0x80000008;

inline bool IsSystemColor(Color c) { return (c & 0xFF000000u) == 0x80000000u; }

}  // namespace ui
