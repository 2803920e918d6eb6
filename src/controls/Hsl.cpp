#include "controls/Hsl.h"

#include <algorithm>

#include "core/Rounding.h"

namespace qv {

namespace {

// Lightness beyond the 0..1 range (a lightness shift can ask for it) must not wrap a byte.
int ToChannel(double v) { return static_cast<int>(std::clamp<int64_t>(RoundHalfEven(v * 255), 0, 255)); }

} // namespace

THsl ColorToHsl(TColor rgb) {
  double r = RedOf(rgb) / 255.0, g = GreenOf(rgb) / 255.0, b = BlueOf(rgb) / 255.0;
  double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  THsl out;
  out.Lightness = (mx + mn) / 2;
  if (mx == mn) return out;
  double d = mx - mn;
  out.Saturation = out.Lightness < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
  double h;
  if (r == mx)
    h = (g - b) / d;
  else if (g == mx)
    h = 2 + (b - r) / d;
  else
    h = 4 + (r - g) / d;
  h /= 6;
  if (h < 0) h += 1;
  out.Hue = h;
  return out;
}

int HueToChannel(double m1, double m2, double h) {
  if (h < 0)
    h += 1;
  else if (h > 1)
    h -= 1;
  double v;
  if (6 * h < 1)
    v = m1 + (m2 - m1) * 6 * h;
  else if (2 * h < 1)
    v = m2;
  else if (3 * h < 2)
    v = m1 + (m2 - m1) * (2.0 / 3 - h) * 6;
  else
    v = m1;
  return ToChannel(v);
}

TColor HslToColor(double h, double s, double l) {
  if (s == 0) {
    auto c = static_cast<uint8_t>(ToChannel(l));
    return RGBColor(c, c, c);
  }
  double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
  double m1 = 2 * l - m2;
  return RGBColor(static_cast<uint8_t>(HueToChannel(m1, m2, h + 1.0 / 3)),
                  static_cast<uint8_t>(HueToChannel(m1, m2, h)),
                  static_cast<uint8_t>(HueToChannel(m1, m2, h - 1.0 / 3)));
}

THslScaled ColorToHslScaled(TColor rgb) {
  THsl hsl = ColorToHsl(rgb);
  return {static_cast<int>(RoundHalfEven((HslScale - 1) * hsl.Hue)),
          static_cast<int>(RoundHalfEven(HslScale * hsl.Saturation)),
          static_cast<int>(RoundHalfEven(HslScale * hsl.Lightness))};
}

TColor HslScaledToColor(int h, int s, int l) {
  return HslToColor(h / double(HslScale - 1), s / double(HslScale), l / double(HslScale));
}

} // namespace qv
