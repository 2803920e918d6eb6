#pragma once
#include <cstdint>

namespace qv {

// Red in the low byte, then green, then blue; a top byte of 0x80 names a system colour by index.
using TColor = uint32_t;

constexpr TColor RGBColor(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<TColor>(r) | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
}
constexpr uint8_t RedOf(TColor c) { return static_cast<uint8_t>(c & 0xFF); }
constexpr uint8_t GreenOf(TColor c) { return static_cast<uint8_t>((c >> 8) & 0xFF); }
constexpr uint8_t BlueOf(TColor c) { return static_cast<uint8_t>((c >> 16) & 0xFF); }
constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == 0x80000000u; }

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBtnFace = 0x8000000F;
constexpr TColor clBtnShadow = 0x80000010;
constexpr TColor clBtnHighlight = 0x80000014;

// The window's own blues.
constexpr TColor QuorvelBorderBlue = 15357184; // 0, 85, 234
constexpr TColor QuorvelTabBlue = 14784891;    // 123, 153, 225
constexpr TColor QuorvelValueBlue = 12268288;  // 0, 51, 187

} // namespace qv
