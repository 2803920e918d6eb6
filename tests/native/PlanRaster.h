#pragma once
// A small raster for checking paint plans in native tests: fills, frames and one-pixel lines with
// the platform's rule that a line leaves its end point undrawn. Text ops are recorded, not drawn.
#include <cstdlib>
#include <string>
#include <vector>

#include "controls/PaintOps.h"

namespace qv::testing {

class PlanRaster {
public:
  PlanRaster(int w, int h, TColor background = 0x123456) : W(w), H(h), Px(size_t(w) * h, background) {}

  void Run(const TPaintPlan& plan) {
    for (const auto& op : plan) {
      switch (op.Kind) {
        case TPaintOp::FillRect:
          Fill(op.Rect, op.Color);
          break;
        case TPaintOp::FrameRect:
          if (op.Rect.Width() <= 0 || op.Rect.Height() <= 0) break;
          Fill({op.Rect.Left, op.Rect.Top, op.Rect.Right, op.Rect.Top + 1}, op.Color);
          Fill({op.Rect.Left, op.Rect.Bottom - 1, op.Rect.Right, op.Rect.Bottom}, op.Color);
          Fill({op.Rect.Left, op.Rect.Top, op.Rect.Left + 1, op.Rect.Bottom}, op.Color);
          Fill({op.Rect.Right - 1, op.Rect.Top, op.Rect.Right, op.Rect.Bottom}, op.Color);
          break;
        case TPaintOp::Polyline:
          for (size_t i = 1; i < op.Points.size(); ++i) Line(op.Points[i - 1], op.Points[i], op.Color);
          break;
        case TPaintOp::Text:
          Texts.push_back(op);
          break;
      }
    }
  }

  TColor At(int x, int y) const { return Px[size_t(y) * W + x]; }

  // Rows of characters: `mark` where the pixel has colour c, '.' elsewhere.
  std::vector<std::string> Picture(TRect r, TColor c, char mark = '#') const {
    std::vector<std::string> rows;
    for (int y = r.Top; y < r.Bottom; ++y) {
      std::string row;
      for (int x = r.Left; x < r.Right; ++x) row += At(x, y) == c ? mark : '.';
      rows.push_back(row);
    }
    return rows;
  }

  std::vector<TPaintOp> Texts;

private:
  void Set(int x, int y, TColor c) {
    if (x >= 0 && y >= 0 && x < W && y < H) Px[size_t(y) * W + x] = c;
  }
  void Fill(TRect r, TColor c) {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) Set(x, y, c);
  }
  // Bresenham; exact for the straight and 45-degree lines the controls draw.
  void Line(TPoint a, TPoint b, TColor c) {
    int dx = std::abs(b.X - a.X), dy = -std::abs(b.Y - a.Y);
    int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1, err = dx + dy;
    int x = a.X, y = a.Y;
    while (x != b.X || y != b.Y) {
      Set(x, y, c);
      int e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        x += sx;
      }
      if (e2 <= dx) {
        err += dx;
        y += sy;
      }
    }
  }
  int W, H;
  std::vector<TColor> Px;
};

} // namespace qv::testing
