#pragma once
#include <cmath>

#include "controls/EffectLabel.h"
#include "ui/StdCtrls.h"

namespace qv {

// A label that turns its text by any whole angle and draws it with a stepped shadow and an
// embossed highlight.
class TEffectLabel : public TLabel {
public:
  explicit TEffectLabel(TComponent* owner);

  int Angle() const { return AngleValue; }
  void SetAngle(int degrees);
  void SetOffsetX(int v);
  void SetOffsetY(int v);
  int OffsetX() const { return OffX; }
  int OffsetY() const { return OffY; }
  TVerticalAlignment VerticalAlignment = vaTop;
  bool AutoSizeOn() const { return AutoSize; }

  TLabelEffectsModel& Effects() { return EffectValues; }
  void SetShadowStyle(TShadowStyle style);
  bool ShowAccelChar = true;

  void Paint(TCanvas& canvas) override;

protected:
  // A copy of the canvas font turned by `angle` degrees (escapement in tenths, TrueType only).
  static UniqueGdiObject SelectRotatedFont(const TCanvas& canvas, int angle);

private:
  unsigned TextFormat() const;
  int AngleValue = 0;
  double AngleCos = 1, AngleSin = 0;
  int OffX = 0, OffY = 0;
  TLabelEffectsModel EffectValues;
};

} // namespace qv
