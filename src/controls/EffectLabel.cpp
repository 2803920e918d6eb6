#include "controls/EffectLabel.h"

#include <algorithm>

namespace qv {

TPoint DirectionStep(TDirection d) {
  switch (d) {
    case drNone:
      return {0, 0};
    case drUp:
      return {0, -1};
    case drDown:
      return {0, 1};
    case drLeft:
      return {-1, 0};
    case drRight:
      return {1, 0};
    case drUpLeft:
      return {-1, -1};
    case drUpRight:
      return {1, -1};
    case drDownLeft:
      return {-1, 1};
    case drDownRight:
      return {1, 1};
  }
  return {0, 0};
}

int NormalizeAngle(int degrees) {
  int a = degrees % 360;
  return a < 0 ? a + 360 : a;
}

TRotatedPlacement RotatedTextPlacement(TRect c, int textW, int textH, int angle, double angleCos, double angleSin,
                                       TLabelAlign align, TVerticalAlignment valign) {
  const int wc = static_cast<int>(textW * angleCos), ws = static_cast<int>(textW * angleSin);
  const int hc = static_cast<int>(textH * angleCos), hs = static_cast<int>(textH * angleSin);
  int bw, bh, ox, oy;
  if (angle < 90) {
    bw = wc + hs, bh = ws + hc;
  } else if (angle < 180) {
    bw = hs - wc, bh = ws - hc;
  } else if (angle < 270) {
    bw = -wc - hs, bh = -ws - hc;
  } else {
    bw = wc - hs, bh = hc - ws;
  }
  bw = std::min(bw, c.Right);
  bh = std::min(bh, c.Bottom);
  TRect r{c.Left, c.Top, c.Left + bw, c.Top + bh};
  if (align == TLabelAlign::Center) r = OffsetRect(r, (c.Right - bw) / 2, 0);
  if (align == TLabelAlign::Right) r = OffsetRect(r, c.Right - bw, 0);
  if (valign == vaCenter) r = OffsetRect(r, 0, (c.Bottom - bh) / 2);
  if (valign == vaBottom) r = OffsetRect(r, 0, c.Bottom - bh);
  if (angle < 90) {
    ox = 0, oy = ws;
  } else if (angle < 180) {
    ox = -wc, oy = bh;
  } else if (angle < 270) {
    ox = bw, oy = -hc;
  } else {
    ox = -hs, oy = 0;
  }
  TRotatedPlacement p;
  p.BoxWidth = bw;
  p.BoxHeight = bh;
  p.Box = r;
  p.Origin = {r.Left + ox, r.Top + oy};
  return p;
}

TRect VerticallyAlignedRect(TRect r, int textHeight, TVerticalAlignment valign) {
  if (valign == vaTop) return r;
  int oldBottom = r.Bottom;
  r.Bottom = r.Top + textHeight;
  int d = oldBottom - r.Bottom;
  return OffsetRect(r, 0, valign == vaCenter ? d / 2 : d);
}

TLabelEffects ShadowPreset(TShadowStyle style, const TLabelEffects& current) {
  using enum TShadowStyle;
  if (style == ssCustom) return current;
  struct Row {
    TDirection HDir;
    int HDepth;
    TDirection SDir;
    int SDepth, SSize;
  };
  Row row{drNone, 0, drNone, 0, 0};
  switch (style) {
    case ssNone:
    case ssCustom:
      break;
    case ssRaised:
      row = {drUpLeft, 1, drNone, 0, 0};
      break;
    case ssRaisedColor:
    case ssRaisedShadow:
      row = {drUpLeft, 1, drDownRight, 1, 1};
      break;
    case ssRaisedThickShadow:
      row = {drUpLeft, 1, drDownRight, 1, 4};
      break;
    case ssRecessed:
      row = {drDownRight, 1, drNone, 0, 0};
      break;
    case ssRecessedColor:
    case ssRecessedShadow:
      row = {drDownRight, 1, drUpLeft, 1, 1};
      break;
    case ssShadow:
      row = {drNone, 0, drDownRight, 2, 1};
      break;
    case ssThickShadow:
      row = {drNone, 0, drDownRight, 1, 4};
      break;
  }
  TLabelEffects e;
  e.ShadowStyle = style;
  e.HighlightDirection = row.HDir;
  e.HighlightDepth = row.HDepth;
  e.ShadowDirection = row.SDir;
  e.ShadowDepth = row.SDepth;
  e.ShadowSize = row.SSize;
  e.HighlightColor = clBtnHighlight;
  e.ShadowColor = clBtnShadow;
  return e;
}

std::optional<TColor> ShadowPresetFontColor(TShadowStyle style) {
  if (style == TShadowStyle::ssRaisedColor || style == TShadowStyle::ssRecessedColor) return clBtnFace;
  return std::nullopt;
}

bool TLabelEffectsModel::SetShadowStyle(TShadowStyle style) {
  if (V.ShadowStyle == style) return false;
  V.ShadowStyle = style;
  if (style == TShadowStyle::ssCustom) return true;
  TLabelEffects p = ShadowPreset(style, V);
  ApplyingStyle = true;
  SetHighlightDirection(p.HighlightDirection);
  SetHighlightDepth(p.HighlightDepth);
  SetShadowDirection(p.ShadowDirection);
  SetShadowDepth(p.ShadowDepth);
  SetShadowSize(p.ShadowSize);
  SetHighlightColor(p.HighlightColor);
  SetShadowColor(p.ShadowColor);
  ApplyingStyle = false;
  return true;
}

std::vector<TLabelTextCopy> LabelTextCopies(const TLabelEffects& e, bool enabled, TColor fontColor) {
  if (!enabled) return {{{1, 1}, clBtnHighlight}, {{0, 0}, clBtnShadow}};
  std::vector<TLabelTextCopy> out;
  if (e.ShadowStyle != TShadowStyle::ssNone) {
    TPoint s = DirectionStep(e.ShadowDirection);
    for (int i = 0; i < e.ShadowSize; ++i)
      out.push_back({{s.X * (e.ShadowDepth + i), s.Y * (e.ShadowDepth + i)}, e.ShadowColor});
    TPoint h = DirectionStep(e.HighlightDirection);
    out.push_back({{h.X * e.HighlightDepth, h.Y * e.HighlightDepth}, e.HighlightColor});
  }
  out.push_back({{0, 0}, fontColor});
  return out;
}

} // namespace qv
