#include "controls/ColourShift.h"

#include "controls/Hsl.h"

namespace qv {

TColor ColorToRGB(TColor color, const SystemColorResolver& resolve) {
  if (IsSystemColor(color)) return resolve ? resolve(static_cast<int>(color & 0xFF)) & 0xFFFFFF : 0;
  return color & 0xFFFFFF;
}

TColor ShiftLightness(TColor base, TColor current, TAdvColors amount, bool darker, const SystemColorResolver& resolve) {
  if (amount == 0) return current;
  THslScaled hsl = ColorToHslScaled(ColorToRGB(base, resolve));
  hsl.L += 10;
  if (darker) {
    hsl.L -= amount;
    if (hsl.L < 0) hsl.L = 0;
  } else {
    hsl.L += amount;
    if (hsl.L > 100) hsl.L = 100;
  }
  return HslScaledToColor(hsl.H, hsl.S, hsl.L);
}

TColor ClassicSystemColor(int index) {
  switch (index) {
    case 5:
      return clWhite; // window
    case 8:
      return clBlack; // window text
    case 15:
      return RGBColor(192, 192, 192); // button face
    case 16:
      return RGBColor(128, 128, 128); // button shadow
    case 18:
      return clBlack; // button text
    case 20:
      return clWhite; // button highlight
    default:
      return RGBColor(192, 192, 192);
  }
}

} // namespace qv
