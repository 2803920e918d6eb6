#include "controls/EffectLabel_win32.h"

#include <numbers>

#include "controls/PaintOps.h"

namespace qv {

TEffectLabel::TEffectLabel(TComponent* owner) : TLabel(owner) {}

void TEffectLabel::SetAngle(int degrees) {
  int a = NormalizeAngle(degrees);
  if (a == AngleValue) return;
  AngleValue = a;
  double rad = a * std::numbers::pi / 180;
  AngleCos = std::cos(rad);
  AngleSin = std::sin(rad);
  if (a > 0 && AutoSize) AutoSize = false;
  Invalidate();
}

void TEffectLabel::SetOffsetX(int v) {
  if (v == OffX) return;
  OffX = v;
  if (v > 0) AutoSize = false;
  Invalidate();
}

void TEffectLabel::SetOffsetY(int v) {
  if (v == OffY) return;
  OffY = v;
  if (v > 0) AutoSize = false;
  Invalidate();
}

void TEffectLabel::SetShadowStyle(TShadowStyle style) {
  if (!EffectValues.SetShadowStyle(style)) return;
  if (auto c = ShadowPresetFontColor(style)) {
    TFont& f = FontForChange();
    f.Color = *c;
  }
  Invalidate();
}

unsigned TEffectLabel::TextFormat() const {
  unsigned f = tfExpandTabs;
  f |= Alignment == taRightJustify ? tfRight : Alignment == taCenter ? tfCenter : tfLeft;
  if (WordWrap) f |= tfWordBreak;
  if (!ShowAccelChar) f |= tfNoPrefix;
  return f;
}

UniqueGdiObject TEffectLabel::SelectRotatedFont(const TCanvas& canvas, int angle) {
  LOGFONTA lf{};
  GetObjectA(canvas.Font.Handle(), sizeof lf, &lf);
  lf.lfEscapement = angle * 10;
  lf.lfOrientation = angle * 10;
  lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  return UniqueGdiObject(CreateFontIndirectA(&lf));
}

void TEffectLabel::Paint(TCanvas& canvas) {
  TRect r = ClientRect();
  canvas.Font = Font();
  if (!Transparent) {
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = Color();
    canvas.FillRect(r);
  }
  canvas.Brush.Style = bsClear;
  const bool rotated = AngleValue != 0;
  const TLabelAlign align = Alignment == taRightJustify ? TLabelAlign::Right
                            : Alignment == taCenter     ? TLabelAlign::Center
                                                        : TLabelAlign::Left;
  const unsigned format = TextFormat();
  TPoint origin;
  UniqueGdiObject turned;
  if (rotated) {
    turned = SelectRotatedFont(canvas, AngleValue);
    SelectGuard font(canvas.Handle(), turned.Get());
    SIZE size{};
    GetTextExtentPoint32A(canvas.Handle(), Caption().c_str(), static_cast<int>(Caption().size()), &size);
    TRotatedPlacement p =
        RotatedTextPlacement(r, size.cx, size.cy, AngleValue, AngleCos, AngleSin, align, VerticalAlignment);
    origin = p.Origin;
  } else if (VerticalAlignment != vaTop) {
    TRect calc = r;
    canvas.DrawText(Caption(), calc, format | tfCalcRect);
    r = VerticallyAlignedRect(r, calc.Height(), VerticalAlignment);
  }
  r = OffsetRect(r, OffX, OffY);
  origin = {origin.X + OffX, origin.Y + OffY};

  for (const TLabelTextCopy& copy : LabelTextCopies(EffectValues.Values(), Enabled(), Font().Color)) {
    if (rotated) {
      SelectGuard font(canvas.Handle(), turned.Get());
      SetBkMode(canvas.Handle(), TRANSPARENT);
      SetTextColor(canvas.Handle(), ToColorRef(copy.Color));
      TextOutA(canvas.Handle(), origin.X + copy.Offset.X, origin.Y + copy.Offset.Y, Caption().c_str(),
               static_cast<int>(Caption().size()));
    } else {
      canvas.Font.Color = copy.Color;
      TRect at = OffsetRect(r, copy.Offset.X, copy.Offset.Y);
      canvas.DrawText(Caption(), at, format);
    }
  }
}

} // namespace qv
