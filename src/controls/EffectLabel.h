#pragma once
#include <optional>
#include <vector>

#include "controls/PaintOps.h"

namespace qv {

enum TDirection { drNone, drUp, drDown, drLeft, drRight, drUpLeft, drUpRight, drDownLeft, drDownRight };
enum class TShadowStyle {
  ssNone,
  ssCustom,
  ssRaised,
  ssRaisedColor,
  ssRaisedShadow,
  ssRaisedThickShadow,
  ssRecessed,
  ssRecessedColor,
  ssRecessedShadow,
  ssShadow,
  ssThickShadow
};
enum TVerticalAlignment { vaTop, vaCenter, vaBottom };
enum class TLabelAlign { Left, Right, Center };

// Unit step of a direction, y growing downwards.
TPoint DirectionStep(TDirection d);

// Degrees reduced to 0..359.
int NormalizeAngle(int degrees);

struct TRotatedPlacement {
  int BoxWidth = 0, BoxHeight = 0;
  TRect Box;     // the aligned bounding box of the turned text
  TPoint Origin; // where the turned text starts
};

// Bounding box and text origin of a caption textW x textH turned by `angle` degrees (0..359)
// counter-clockwise, aligned in the client rectangle. The products are cut towards zero.
TRotatedPlacement RotatedTextPlacement(TRect client, int textW, int textH, int angle, double angleCos, double angleSin,
                                       TLabelAlign align, TVerticalAlignment valign);

// The unturned text rectangle for a measured text height: the client rectangle shortened to the
// text and moved down by half the leftover (centre) or all of it (bottom).
TRect VerticallyAlignedRect(TRect client, int textHeight, TVerticalAlignment valign);

struct TLabelEffects {
  TShadowStyle ShadowStyle = TShadowStyle::ssNone;
  TDirection ShadowDirection = drNone;
  int ShadowDepth = 0;
  int ShadowSize = 0;
  TColor ShadowColor = clBtnShadow;
  TDirection HighlightDirection = drNone;
  int HighlightDepth = 0;
  TColor HighlightColor = clBtnHighlight;
  friend bool operator==(const TLabelEffects&, const TLabelEffects&) = default;
};

// The seven effect values a style stands for (ssCustom: `current` unchanged), and the font colour
// the two "colour" styles also set.
TLabelEffects ShadowPreset(TShadowStyle style, const TLabelEffects& current);
std::optional<TColor> ShadowPresetFontColor(TShadowStyle style);

// Effect properties with their rule: setting any of the seven by hand makes the style ssCustom;
// choosing a style applies its preset. Each setter says whether anything changed.
class TLabelEffectsModel {
public:
  const TLabelEffects& Values() const { return V; }
  bool SetShadowStyle(TShadowStyle style);
  bool SetShadowDirection(TDirection d) { return Set(V.ShadowDirection, d); }
  bool SetShadowDepth(int v) { return Set(V.ShadowDepth, v); }
  bool SetShadowSize(int v) { return Set(V.ShadowSize, v); }
  bool SetShadowColor(TColor c) { return Set(V.ShadowColor, c); }
  bool SetHighlightDirection(TDirection d) { return Set(V.HighlightDirection, d); }
  bool SetHighlightDepth(int v) { return Set(V.HighlightDepth, v); }
  bool SetHighlightColor(TColor c) { return Set(V.HighlightColor, c); }

private:
  template <typename T>
  bool Set(T& field, T value) {
    if (field == value) return false;
    field = value;
    if (!ApplyingStyle) V.ShadowStyle = TShadowStyle::ssCustom;
    return true;
  }
  TLabelEffects V;
  bool ApplyingStyle = false;
};

struct TLabelTextCopy {
  TPoint Offset; // from the text rectangle
  TColor Color;
  friend bool operator==(const TLabelTextCopy&, const TLabelTextCopy&) = default;
};

// Every copy of the caption a paint draws, in order: the shadow copies, the highlight, the face;
// a disabled label is drawn embossed and without effects.
std::vector<TLabelTextCopy> LabelTextCopies(const TLabelEffects& effects, bool enabled, TColor fontColor);

} // namespace qv
