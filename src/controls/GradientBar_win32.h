#pragma once
#include <string>

#include "controls/GradientBar.h"
#include "ui/Controls.h"

namespace qv {

// A windowless progress bar composed off screen: a tiled picture, a solid colour or a gradient
// for the filled part, a background for the rest, a sunken border and the position text. The
// full-length bar is kept in BarImage so that a new position costs no gradient work.
class TGradientBar : public TGraphicControl {
public:
  explicit TGradientBar(TComponent* owner);

  int Position() const { return Pos; }
  void SetPosition(int value);
  int Min() const { return MinValue; }
  int Max() const { return MaxValue; }
  void SetMin(int v);
  void SetMax(int v);

  void SetBackgroundColor(TColor c);
  void SetBarBitmap(const TBitmap& bmp);
  void SetBarColors(TColor c1, TColor c2, TColor c3);
  void SetBarColorStyle(TBarColorStyle s);
  void SetBorderColors(TColor c1, TColor c2);
  void SetDirection(TProgressDirection d);
  void SetPercentage(bool on);
  void SetPosTextPrefix(const std::string& s);
  void SetPosTextSuffix(const std::string& s);
  void SetShowBorder(bool on);
  void SetShowPosText(bool on);

  TColor BackgroundColor() const { return Background; }
  const TBitmap& BarBitmap() const { return BarPicture; }
  const std::string& PosTextSuffix() const { return Suffix; }

  void Paint(TCanvas& canvas) override;
  void Describe(AccessibleFacts& facts) const override;
  // How many times the full-length bar was rendered (the gradient or the tiles).
  int BarImageBuilds() const { return Builds; }

protected:
  void FontChanged() override;

private:
  void Repaint();
  void DrawBar();
  void BuildGradient();
  TColor Background = clBtnFace;
  TBitmap BarPicture;
  TColor Bar1 = 0x8000, Bar2 = 0xFFFF, Bar3 = 0xFF;
  TBarColorStyle Style = cs3Colors;
  TColor Border1 = clBtnShadow, Border2 = clBtnHighlight;
  TProgressDirection Dir = pdLeftToRight;
  int MaxValue = 100, MinValue = 0, Pos = 0;
  bool PercentageOn = false;
  std::string Prefix, Suffix;
  bool ShowBorderOn = true, ShowPosTextOn = true;
  TBitmap OffscreenImage;
  TBitmap BarImage;
  bool RebuildBarImage = true;
  int Builds = 0;
};

} // namespace qv
