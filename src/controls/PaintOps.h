#pragma once
#include <string>
#include <vector>

#include "core/Colour.h"
#include "core/Geometry.h"

namespace qv {

// Text-format bits for TPaintOp::Text; the values are those of the platform's text-draw call.
enum : unsigned {
  tfLeft = 0x0,
  tfCenter = 0x1,
  tfRight = 0x2,
  tfVCenter = 0x4,
  tfBottom = 0x8,
  tfWordBreak = 0x10,
  tfSingleLine = 0x20,
  tfExpandTabs = 0x40,
  tfCalcRect = 0x400,
  tfNoPrefix = 0x800,
};

// One drawing step of an owner-drawn control, worked out by the portable layout code and carried
// out on a device context by the window layer. Lines and polylines leave their last point
// undrawn; rectangles exclude their right and bottom edges.
struct TPaintOp {
  enum TKind { FillRect, FrameRect, Polyline, Text };
  TKind Kind = FillRect;
  TColor Color = 0; // brush, pen or text colour
  TRect Rect;       // FillRect, FrameRect, Text
  std::vector<TPoint> Points;
  std::string Caption;
  unsigned Format = 0; // Text: tf* bits; drawn with a transparent background

  static TPaintOp Fill(TRect r, TColor c) { return {FillRect, c, r, {}, {}, 0}; }
  static TPaintOp Frame(TRect r, TColor c) { return {FrameRect, c, r, {}, {}, 0}; }
  static TPaintOp Line(std::vector<TPoint> pts, TColor c) { return {Polyline, c, {}, std::move(pts), {}, 0}; }
  static TPaintOp DrawText(TRect r, TColor c, std::string text, unsigned format) {
    return {Text, c, r, {}, std::move(text), format};
  }
  friend bool operator==(const TPaintOp&, const TPaintOp&) = default;
};

using TPaintPlan = std::vector<TPaintOp>;

inline TRect OffsetRect(TRect r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }
inline TRect InflateRect(TRect r, int dx, int dy) { return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy}; }

// The accelerator test of captions: an "&" before the last character, and the character after
// the first "&" equal to c, ignoring case ("&&" is a literal ampersand, not a marker).
bool IsAccel(char c, const std::string& caption);
// The caption as read aloud (markers taken out, "&&" one "&"), and its access key ('\0' for none).
std::string PlainCaption(const std::string& caption);
char AccelKey(const std::string& caption);

// The keyboard's focus mark: the frame of r dotted, every other pixel.
TPaintPlan FocusMarkPlan(TRect r, TColor color);

} // namespace qv
