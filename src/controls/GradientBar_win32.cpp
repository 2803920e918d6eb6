#include "controls/GradientBar_win32.h"

#include "controls/PaintOps_win32.h"
#include "ui/Accessible.h"

namespace qv {

TGradientBar::TGradientBar(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 200, 20); }

void TGradientBar::Repaint() {
  PaintDirect(*this, [this](TCanvas& c) { Paint(c); });
}

void TGradientBar::SetPosition(int value) {
  if (!AcceptsPosition(value, Pos, MinValue, MaxValue)) return;
  Pos = value;
  RebuildBarImage = false;
  Repaint();
  RebuildBarImage = true;
}

void TGradientBar::SetMin(int v) {
  MinValue = v;
  Repaint();
}
void TGradientBar::SetMax(int v) {
  MaxValue = v;
  Repaint();
}
void TGradientBar::SetBackgroundColor(TColor c) {
  Background = c;
  Repaint();
}
void TGradientBar::SetBarBitmap(const TBitmap& bmp) {
  BarPicture.Assign(bmp);
  Repaint();
}
void TGradientBar::SetBarColors(TColor c1, TColor c2, TColor c3) {
  Bar1 = c1, Bar2 = c2, Bar3 = c3;
  Repaint();
}
void TGradientBar::SetBarColorStyle(TBarColorStyle s) {
  Style = s;
  Repaint();
}
void TGradientBar::SetBorderColors(TColor c1, TColor c2) {
  Border1 = c1, Border2 = c2;
  Repaint();
}
void TGradientBar::SetDirection(TProgressDirection d) {
  Dir = d;
  Repaint();
}
void TGradientBar::SetPercentage(bool on) {
  PercentageOn = on;
  Repaint();
}
void TGradientBar::SetPosTextPrefix(const std::string& s) {
  Prefix = s;
  Repaint();
}
void TGradientBar::SetPosTextSuffix(const std::string& s) {
  Suffix = s;
  Repaint();
}
void TGradientBar::SetShowBorder(bool on) {
  ShowBorderOn = on;
  Repaint();
}
void TGradientBar::SetShowPosText(bool on) {
  ShowPosTextOn = on;
  Repaint();
}

void TGradientBar::FontChanged() {
  OffscreenImage.Canvas().Font = Font();
  Repaint();
}

void TGradientBar::BuildGradient() {
  const int w = Width(), h = Height();
  auto lines = GradientLines(Dir, Style, w, h, Bar1, Bar2, Bar3, WindowsSystemColors());
  // Lines are written straight into the rows of the 24-bit image.
  for (int y = 0; y < h; ++y) {
    uint8_t* row = BarImage.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      TColor c = IsHorizontal(Dir) ? lines[x] : lines[y];
      row[x * 3] = BlueOf(c);
      row[x * 3 + 1] = GreenOf(c);
      row[x * 3 + 2] = RedOf(c);
    }
  }
}

void TGradientBar::DrawBar() {
  const int w = Width(), h = Height();
  TCanvas& off = OffscreenImage.Canvas();
  if (!BarPicture.Empty()) {
    if (RebuildBarImage) {
      BarImage.SetSize(w, h);
      for (TPoint p : TileOrigins(w, h, BarPicture.Width(), BarPicture.Height()))
        BarImage.Canvas().Draw(p.X, p.Y, BarPicture);
      ++Builds;
    }
    off.Draw(0, 0, BarImage);
  } else if (Style == cs1Color) {
    off.Brush.Style = bsSolid;
    off.Brush.Color = Bar1;
    off.FillRect({0, 0, w, h});
  } else {
    if (RebuildBarImage) {
      BarImage.SetSize(w, h);
      BuildGradient();
      ++Builds;
    }
    off.Draw(0, 0, BarImage);
  }
  int length = BarUsableLength(Dir, w, h, ShowBorderOn);
  int filled = BarFilledLength(MinValue, MaxValue, Pos, length);
  if (auto rest = BarRestRect(Dir, BarInnerRect(w, h, ShowBorderOn), length - filled)) {
    off.Brush.Style = bsSolid;
    off.Brush.Color = Background;
    off.FillRect(*rest);
  }
}

void TGradientBar::Paint(TCanvas& canvas) {
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  OffscreenImage.SetSize(w, h);
  TCanvas& off = OffscreenImage.Canvas();
  off.Font = Font();
  DrawBar();
  if (ShowBorderOn) RunPaintPlan(off, BarBorderPlan(w, h, ColorToRGB(Border1), ColorToRGB(Border2)));
  if (ShowPosTextOn) {
    std::string text = PositionText(Pos, MaxValue, PercentageOn, Prefix, Suffix);
    TSize size = off.TextExtent(text);
    TPoint at = PositionTextOrigin(w, h, size.cx, size.cy);
    off.Brush.Style = bsClear;
    off.TextOut(at.X, at.Y, text);
  }
  canvas.Draw(0, 0, OffscreenImage);
}

void TGradientBar::Describe(AccessibleFacts& facts) const {
  facts.Role = ROLE_SYSTEM_PROGRESSBAR;
  facts.Name = AccessibleName;
  facts.Value = PositionText(Pos, MaxValue, PercentageOn, Prefix, Suffix);
}

} // namespace qv
