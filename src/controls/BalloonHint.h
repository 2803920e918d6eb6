#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/Geometry.h"

namespace qv {

enum THintStyle { hsRectangle, hsElliptic, hsCutAngleRect, hsRoundRect };
enum TArrowStyle { asNone, asArrow };
enum TDisplayedHint { dhAuto, dhCursorPoint, dhOutCursorPoint };
enum THintDirection { hdAuto, hdUpRight, hdUpLeft, hdDownRight, hdDownLeft };
enum TAlignTXT { atLeft, atCenter, atRight, atJustified };
enum TTransparencyStyle { tsNone, tsConstant, tsHGradient, tsVGradient };

struct THalfAxes {
  int A = 0; // horizontal
  int B = 0; // vertical
  friend bool operator==(const THalfAxes&, const THalfAxes&) = default;
};

// Half-axes of the ellipse that holds a w x h box (rounded to nearest, halves to even).
THalfAxes EllipseHalfAxes(int w, int h);

struct THintSize {
  int W = 0, H = 0;
  int TextX = 0; // text x offset inside the window
  friend bool operator==(const THintSize&, const THintSize&) = default;
};

// The room a body shape needs around the bordered text box `box` (w x h, text x offset).
THintSize HintShapeAllowance(THintStyle style, THintSize box, int textWidth, int radiusWidth, int radiusHeight);
// The extra height for the arrow, and the width of the arrow's base with its offset.
THintSize HintArrowAllowance(THintSize size, int textWidth, int arrowWidth, int arrowHeight, int arrowOffsetHor);

struct THintPlacement {
  TRect Window;
  THintDirection Direction = hdAuto; // in use after the flips
  bool BelowCursor = true;
  friend bool operator==(const THintPlacement&, const THintPlacement&) = default;
};

// Places a w x h hint by the cursor (X, Y): "below" starts at Y + belowOffset, "above" ends at Y;
// a window that would leave the screen is shifted (hdAuto) or flipped to the other side.
THintPlacement PlaceHint(THintDirection direction, int w, int h, TPoint cursor, int belowOffset, int screenW,
                         int screenH);

struct THintArrow {
  TPoint Tip, Base1, Base2;
  int TextY = 0; // text y offset that centres the text in the body
  friend bool operator==(const THintArrow&, const THintArrow&) = default;
};

// Whether the arrow sits on the window's top edge (pointing up at a cursor above the window).
bool HintArrowPointsUp(THintDirection direction, bool belowCursor);
THintArrow HintArrowTriangle(THintDirection direction, bool belowCursor, int w, int h, int cursorXInWindow,
                             int arrowWidth, int arrowHeight, int arrowOffsetHor, int textHeight);
int HintTextYWithoutArrow(int h, int textHeight);
TRect HintBodyRect(int w, int h, bool arrowShown, bool arrowUp, int arrowHeight);
// The cut-corner body, clockwise from the top-left.
std::vector<TPoint> CutAngleOctagon(TRect body, int radiusWidth, int radiusHeight);

// Percent of the screen showing through at pixel (x, y) of a w x h hint.
int TransparencyAt(TTransparencyStyle style, int transparency, int endTransparency, int w, int h, int x, int y);
// One channel of the blend: (screen x T + cover x (100 - T)) / 100 in integers.
inline uint8_t BlendChannel(int screen, int cover, int t) {
  return static_cast<uint8_t>((screen * t + cover * (100 - t)) / 100);
}

// How far the cursor image reaches below its hot spot, from its mask: `rows` holds one 32-pixel
// row per entry, leftmost pixel in the top bit, a set bit white (32 rows for a colour cursor, 64
// for a monochrome one whose lower half is the image).
int CursorExtent(const std::vector<uint32_t>& rows, int hotSpotY);

struct THintLayoutInput {
  THintStyle HintStyle = hsElliptic;
  TArrowStyle ArrowStyle = asArrow;
  int ArrowWidth = 40, ArrowHeight = 21, ArrowOffsetHor = 20;
  TDisplayedHint DisplayedHint = dhAuto;
  THintDirection HintDirection = hdAuto;
  int BorderWidth = 1, BorderHeight = 1;
  int RadiusWidth = 15, RadiusHeight = 15;
  int TextWidth = 0, TextHeight = 0;
  TPoint Cursor;
  int CursorExtent = 32; // used only when the hint goes below the cursor image
  int ScreenWidth = 0, ScreenHeight = 0;
};

struct THintLayout {
  TRect Window; // screen coordinates
  THintDirection Direction = hdAuto;
  TDisplayedHint Displayed = dhAuto;
  bool BelowCursor = true;
  bool HasArrow = false;
  THintArrow Arrow;
  TRect Body;     // window coordinates
  TRect TextRect; // window coordinates
};

// Size, place and shape of one hint, everything but the pixels.
THintLayout LayoutHint(const THintLayoutInput& in);

struct TJustifiedLine {
  std::string Text;
  int Row = 0;          // counted from 0, blank lines included
  bool Justify = false; // spread the extra width over the spaces
  int Spaces = 0;
  friend bool operator==(const TJustifiedLine&, const TJustifiedLine&) = default;
};

// The lines a justified hint draws: split at line breaks only; blank lines (empty or spaces only)
// are skipped but keep their row; the last line stays left-aligned.
std::vector<TJustifiedLine> JustifiedLines(const std::string& caption);

} // namespace qv
