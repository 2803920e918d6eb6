#include "controls/GradientBar.h"

#include <cstdlib>

#include "core/Errors.h"
#include "core/Rounding.h"

namespace qv {

TColor GradientColor(TColor startColor, TColor endColor, int count, int index, const SystemColorResolver& resolve) {
  if (index < 1 || index > count)
    throw ERangeError("ColorIndex can't be less than 1 or greater than " + std::to_string(count));
  TColor s = ColorToRGB(startColor, resolve), e = ColorToRGB(endColor, resolve);
  // A one-step gradient would divide by zero; it is simply the start colour.
  if (count == 1) return s;
  auto channel = [&](int from, int to) {
    return static_cast<uint8_t>((from + MulDiv(index - 1, to - from, count - 1)) & 0xFF);
  };
  return RGBColor(channel(RedOf(s), RedOf(e)), channel(GreenOf(s), GreenOf(e)), channel(BlueOf(s), BlueOf(e)));
}

bool IsHorizontal(TProgressDirection d) { return d == pdLeftToRight || d == pdRightToLeft; }

std::vector<TColor> GradientLines(TProgressDirection direction, TBarColorStyle style, int width, int height, TColor c1,
                                  TColor c2, TColor c3, const SystemColorResolver& resolve) {
  int length = IsHorizontal(direction) ? width : height;
  if (length <= 0) return {};
  int segment = style == cs3Colors ? length / 2 : length;
  bool reversed = direction == pdRightToLeft || direction == pdBottomToTop;
  TColor firstFrom = c1, firstTo = c2, secondFrom = c2, secondTo = c3;
  if (reversed) {
    if (style == cs3Colors) {
      firstFrom = c3, firstTo = c2, secondFrom = c2, secondTo = c1;
    } else {
      firstFrom = c2, firstTo = c1;
    }
  }
  std::vector<TColor> lines;
  for (int k = 1; k <= segment; ++k) lines.push_back(GradientColor(firstFrom, firstTo, segment, k, resolve));
  if (style == cs3Colors)
    for (int k = segment + 1; k <= length; ++k)
      lines.push_back(GradientColor(secondFrom, secondTo, length - segment, k - segment, resolve));
  return lines;
}

int BarUsableLength(TProgressDirection direction, int width, int height, bool showBorder) {
  return (IsHorizontal(direction) ? width : height) - (showBorder ? 2 : 0);
}

TRect BarInnerRect(int width, int height, bool showBorder) {
  return showBorder ? TRect{1, 1, width - 1, height - 1} : TRect{0, 0, width, height};
}

int BarFilledLength(int min, int max, int position, int usableLength) {
  if (!(min < position) || max == min) return 0;
  double range = std::abs(static_cast<double>(max) - min);
  return static_cast<int>(RoundHalfEven((static_cast<double>(position) - min) / range * usableLength));
}

std::optional<TRect> BarRestRect(TProgressDirection direction, TRect in, int rest) {
  if (rest <= 0) return std::nullopt;
  switch (direction) {
    case pdLeftToRight:
      return TRect{in.Right - rest, in.Top, in.Right, in.Bottom};
    case pdRightToLeft:
      return TRect{in.Left, in.Top, in.Left + rest, in.Bottom};
    case pdTopToBottom:
      return TRect{in.Left, in.Bottom - rest, in.Right, in.Bottom};
    case pdBottomToTop:
      return TRect{in.Left, in.Top, in.Right, in.Top + rest};
  }
  return std::nullopt;
}

std::vector<TPoint> TileOrigins(int width, int height, int tileW, int tileH) {
  std::vector<TPoint> out;
  if (tileW <= 0 || tileH <= 0) return out;
  for (int r = 0; r <= height / tileH; ++r)
    for (int c = 0; c <= width / tileW; ++c) out.push_back({c * tileW, r * tileH});
  return out;
}

bool AcceptsPosition(int value, int position, int min, int max) {
  return value != position && value <= max && value >= min;
}

std::string PositionText(int position, int max, bool percentage, const std::string& prefix, const std::string& suffix) {
  int number = position;
  // A percentage of a zero maximum has no meaning; it shows as 0.
  if (percentage) number = max == 0 ? 0 : static_cast<int>(RoundHalfEven(double(position) / max * 100));
  return prefix + std::to_string(number) + suffix;
}

TPoint PositionTextOrigin(int width, int height, int textWidth, int textHeight) {
  return {width / 2 - textWidth / 2, height / 2 - textHeight / 2};
}

TPaintPlan BarBorderPlan(int w, int h, TColor c1, TColor c2) {
  return {TPaintOp::Line({{w - 1, 0}, {0, 0}, {0, h}}, c1),
          TPaintOp::Line({{1, h - 1}, {w - 1, h - 1}, {w - 1, 0}}, c2)};
}

} // namespace qv
