#include "controls/BalloonHint.h"

#include <algorithm>
#include <cmath>

#include "core/Rounding.h"

namespace qv {

THalfAxes EllipseHalfAxes(int w, int h) {
  auto r = [](double v) { return static_cast<int>(RoundHalfEven(v)); };
  // A very flat box can round a half-axis below half the side; the root then stays at 0.
  auto root = [](double v) { return std::sqrt(std::max(0.0, v)); };
  THalfAxes e;
  if (h < w) {
    e.A = r((std::sqrt((h / 2.0) * (h / 2.0) + double(w) * w) + h / 2.0) / 2);
    e.B = r(root(double(e.A) * e.A - double(w) * w / 4));
  } else {
    e.B = r((std::sqrt((w / 2.0) * (w / 2.0) + double(h) * h) + w / 2.0) / 2);
    e.A = r(root(double(e.B) * e.B - double(h) * h / 4));
  }
  return e;
}

THintSize HintShapeAllowance(THintStyle style, THintSize s, int textWidth, int radiusWidth, int radiusHeight) {
  switch (style) {
    case hsRectangle:
      s.W += 2, s.H += 2, s.TextX += 1;
      break;
    case hsElliptic: {
      THalfAxes e = EllipseHalfAxes(s.W, s.H);
      s.W = 2 * e.A + 2, s.H = 2 * e.B + 2;
      s.TextX = (2 * e.A + 2 - textWidth) / 2;
      break;
    }
    case hsCutAngleRect:
      s.W += radiusWidth + 2, s.H += radiusHeight + 2;
      s.TextX += (radiusWidth + 2) / 2;
      break;
    case hsRoundRect: {
      THalfAxes e = EllipseHalfAxes(radiusWidth, radiusHeight);
      s.W += 2 * e.A + 2, s.H += 2 * e.B + 2;
      s.TextX += e.A + 1;
      break;
    }
  }
  return s;
}

THintSize HintArrowAllowance(THintSize s, int textWidth, int arrowWidth, int arrowHeight, int arrowOffsetHor) {
  s.H += arrowHeight;
  if (arrowWidth + arrowOffsetHor > s.W) {
    s.W = arrowWidth + arrowOffsetHor;
    s.TextX = (s.W - textWidth) / 2;
  }
  return s;
}

THintPlacement PlaceHint(THintDirection direction, int w, int h, TPoint c, int belowOffset, int screenW, int screenH) {
  int left = 0, top = 0;
  auto below = [&] { top = c.Y + belowOffset; };
  auto above = [&] { top = c.Y - h; };
  auto toRight = [&] { left = c.X; };
  auto toLeft = [&] { left = c.X - w; };
  THintPlacement p;
  p.Direction = direction;
  switch (direction) {
    case hdAuto:
      below(), toRight();
      if (left + w > screenW) left = screenW - w;
      if (top + h > screenH) above(), p.BelowCursor = false;
      break;
    case hdUpRight:
      above(), toRight();
      if (left + w > screenW) toLeft(), p.Direction = hdUpLeft;
      if (top < 0) below(), p.Direction = p.Direction == hdUpLeft ? hdDownLeft : hdDownRight;
      break;
    case hdUpLeft:
      above(), toLeft();
      if (left < 0) toRight(), p.Direction = hdUpRight;
      if (top < 0) below(), p.Direction = p.Direction == hdUpRight ? hdDownRight : hdDownLeft;
      break;
    case hdDownRight:
      below(), toRight();
      if (left + w > screenW) toLeft(), p.Direction = hdDownLeft;
      if (top + h > screenH) above(), p.Direction = p.Direction == hdDownLeft ? hdUpLeft : hdUpRight;
      break;
    case hdDownLeft:
      below(), toLeft();
      if (left < 0) toRight(), p.Direction = hdDownRight;
      if (top + h > screenH) above(), p.Direction = p.Direction == hdDownRight ? hdUpRight : hdUpLeft;
      break;
  }
  p.Window = Bounds(left, top, w, h);
  return p;
}

bool HintArrowPointsUp(THintDirection direction, bool belowCursor) {
  return direction == hdDownRight || direction == hdDownLeft || (direction == hdAuto && belowCursor);
}

THintArrow HintArrowTriangle(THintDirection direction, bool belowCursor, int w, int h, int cursorX, int arrowWidth,
                             int arrowHeight, int arrowOffsetHor, int textHeight) {
  const int yU = h - (h - arrowHeight) / 2;
  const int yL = (h - arrowHeight) / 2;
  auto leftBase = [&](int y, THintArrow& a) {
    a.Base1 = {arrowOffsetHor, y};
    a.Base2 = {arrowOffsetHor + arrowWidth, y};
  };
  auto rightBase = [&](int y, THintArrow& a) {
    a.Base1 = {w - arrowOffsetHor, y};
    a.Base2 = {w - arrowOffsetHor - arrowWidth, y};
  };
  auto nearestBase = [&](int y, THintArrow& a) {
    int toLeft = cursorX, toRight = w - cursorX;
    if (toLeft < toRight)
      leftBase(y, a);
    else if (toLeft > toRight)
      rightBase(y, a);
    else
      a.Base1 = {(w - arrowWidth) / 2, y}, a.Base2 = {w - (w - arrowWidth) / 2, y};
  };
  THintArrow a;
  bool up = HintArrowPointsUp(direction, belowCursor);
  int y = up ? yU : yL;
  a.TextY = y - textHeight / 2;
  switch (direction) {
    case hdAuto:
      a.Tip = {cursorX, up ? 0 : h};
      nearestBase(y, a);
      break;
    case hdUpRight:
      a.Tip = {0, h}, leftBase(y, a);
      break;
    case hdUpLeft:
      a.Tip = {w, h}, rightBase(y, a);
      break;
    case hdDownRight:
      a.Tip = {0, 0}, leftBase(y, a);
      break;
    case hdDownLeft:
      a.Tip = {w, 0}, rightBase(y, a);
      break;
  }
  return a;
}

int HintTextYWithoutArrow(int h, int textHeight) { return h / 2 - textHeight / 2 - 1; }

TRect HintBodyRect(int w, int h, bool arrowShown, bool arrowUp, int arrowHeight) {
  TRect r{0, 0, w, h};
  if (arrowShown) {
    if (arrowUp)
      r.Top = arrowHeight;
    else
      r.Bottom = h - arrowHeight;
  }
  return r;
}

std::vector<TPoint> CutAngleOctagon(TRect b, int rw, int rh) {
  const int w = b.Right;
  return {{rw, b.Top},        {w - rw, b.Top}, {w, b.Top + rh},    {w, b.Bottom - rh},
          {w - rw, b.Bottom}, {rw, b.Bottom},  {0, b.Bottom - rh}, {0, b.Top + rh}};
}

int TransparencyAt(TTransparencyStyle style, int t0, int t1, int w, int h, int x, int y) {
  switch (style) {
    case tsNone:
      return 0;
    case tsConstant:
      return t0;
    case tsHGradient:
      return w == 0 ? t0 : static_cast<int>(RoundHalfEven(double(t1 - t0) / w * x)) + t0;
    case tsVGradient:
      return h == 0 ? t0 : static_cast<int>(RoundHalfEven(double(t1 - t0) / h * y)) + t0;
  }
  return t0;
}

int CursorExtent(const std::vector<uint32_t>& rows, int hotSpotY) {
  const int n = static_cast<int>(rows.size());
  for (int row = std::min(31, n - 1); row >= 0; --row)
    if (rows[row] != 0xFFFFFFFFu) return row - hotSpotY;
  for (int row = std::min(63, n - 1); row >= 31 && n > 32; --row)
    if (rows[row] != 0) return row - hotSpotY - 32;
  return 32;
}

THintLayout LayoutHint(const THintLayoutInput& in) {
  THintLayout out;
  out.HasArrow = in.ArrowStyle == asArrow;
  THintSize s{in.TextWidth + 2 * in.BorderWidth, in.TextHeight + 2 * in.BorderHeight, in.BorderWidth};
  s = HintShapeAllowance(in.HintStyle, s, in.TextWidth, in.RadiusWidth, in.RadiusHeight);
  if (out.HasArrow) s = HintArrowAllowance(s, in.TextWidth, in.ArrowWidth, in.ArrowHeight, in.ArrowOffsetHor);

  out.Displayed = in.DisplayedHint;
  if (out.Displayed == dhAuto) out.Displayed = out.HasArrow ? dhCursorPoint : dhOutCursorPoint;
  int belowOffset = out.Displayed == dhOutCursorPoint ? in.CursorExtent : 0;
  THintPlacement p = PlaceHint(in.HintDirection, s.W, s.H, in.Cursor, belowOffset, in.ScreenWidth, in.ScreenHeight);
  out.Window = p.Window;
  out.Direction = p.Direction;
  out.BelowCursor = p.BelowCursor;

  int textY;
  if (out.HasArrow) {
    out.Arrow = HintArrowTriangle(out.Direction, out.BelowCursor, s.W, s.H, in.Cursor.X - out.Window.Left,
                                  in.ArrowWidth, in.ArrowHeight, in.ArrowOffsetHor, in.TextHeight);
    textY = out.Arrow.TextY;
  } else {
    textY = HintTextYWithoutArrow(s.H, in.TextHeight);
  }
  out.Body = HintBodyRect(s.W, s.H, out.HasArrow, HintArrowPointsUp(out.Direction, out.BelowCursor), in.ArrowHeight);
  out.TextRect = {s.TextX, textY, s.TextX + in.TextWidth, textY + in.TextHeight};
  return out;
}

std::vector<TJustifiedLine> JustifiedLines(const std::string& caption) {
  std::vector<std::string> lines;
  std::string cur;
  for (size_t i = 0; i < caption.size(); ++i) {
    char ch = caption[i];
    if (ch == '\r' || ch == '\n') {
      lines.push_back(cur);
      cur.clear();
      if (ch == '\r' && i + 1 < caption.size() && caption[i + 1] == '\n') ++i;
    } else {
      cur += ch;
    }
  }
  lines.push_back(cur);
  if (!caption.empty() && (caption.back() == '\n' || caption.back() == '\r')) lines.pop_back();

  std::vector<TJustifiedLine> out;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& t = lines[i];
    if (t.find_first_not_of(' ') == std::string::npos) continue;
    TJustifiedLine l;
    l.Text = t;
    l.Row = static_cast<int>(i);
    l.Spaces = static_cast<int>(std::count(t.begin(), t.end(), ' '));
    l.Justify = i + 1 < lines.size() && l.Spaces > 0;
    out.push_back(l);
  }
  return out;
}

} // namespace qv
