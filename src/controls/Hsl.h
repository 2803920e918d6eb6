#pragma once
#include "core/Colour.h"

namespace qv {

// Hue, saturation and lightness steps of the scaled form (hue uses HslScale - 1).
constexpr int HslScale = 240;

struct THsl {
  double Hue = 0;        // 0..1
  double Saturation = 0; // 0..1
  double Lightness = 0;  // 0..1
};

struct THslScaled {
  int H = 0;
  int S = 0;
  int L = 0;
  friend bool operator==(const THslScaled&, const THslScaled&) = default;
};

// The colour must already be RGB (system colours resolved by the caller).
THsl ColorToHsl(TColor rgb);
// One channel 0..255 for the hue h between the two lightness bounds m1 and m2.
int HueToChannel(double m1, double m2, double h);
TColor HslToColor(double h, double s, double l);

THslScaled ColorToHslScaled(TColor rgb);
TColor HslScaledToColor(int h, int s, int l);

} // namespace qv
