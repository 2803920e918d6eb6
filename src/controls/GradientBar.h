#pragma once
#include <optional>
#include <string>
#include <vector>

#include "controls/ColourShift.h"
#include "controls/PaintOps.h"

namespace qv {

enum TBarColorStyle { cs1Color, cs2Colors, cs3Colors };
// Where the bar starts and which way it grows.
enum TProgressDirection { pdLeftToRight, pdRightToLeft, pdBottomToTop, pdTopToBottom };

// Colour `index` (1..count) of a gradient of `count` steps from start to end, each channel moved
// by MulDiv so that halves round away from zero. Raises ERangeError for an index outside 1..count.
TColor GradientColor(TColor startColor, TColor endColor, int count, int index, const SystemColorResolver& resolve);

// The colour of every line of the full-length gradient: columns for horizontal bars, rows for
// vertical ones, from the left or the top.
std::vector<TColor> GradientLines(TProgressDirection direction, TBarColorStyle style, int width, int height, TColor c1,
                                  TColor c2, TColor c3, const SystemColorResolver& resolve);

bool IsHorizontal(TProgressDirection direction);
int BarUsableLength(TProgressDirection direction, int width, int height, bool showBorder);
TRect BarInnerRect(int width, int height, bool showBorder);
// Pixels of the usable length that show the bar; 0 at or below Min and when Max equals Min.
int BarFilledLength(int min, int max, int position, int usableLength);
// The part of the inner rectangle left in the background colour, at the end the bar grows towards.
std::optional<TRect> BarRestRect(TProgressDirection direction, TRect inner, int rest);

// Top-left corners of the tiles that cover width x height with an image of tileW x tileH.
std::vector<TPoint> TileOrigins(int width, int height, int tileW, int tileH);

// SetPosition takes only a new value inside Min..Max.
bool AcceptsPosition(int value, int position, int min, int max);
std::string PositionText(int position, int max, bool percentage, const std::string& prefix, const std::string& suffix);
TPoint PositionTextOrigin(int width, int height, int textWidth, int textHeight);

// Top and left edges in c1, bottom and right in c2.
TPaintPlan BarBorderPlan(int width, int height, TColor c1, TColor c2);

} // namespace qv
