#pragma once
#include <memory>

#include "controls/BalloonHint.h"
#include "ui/Application.h"

namespace qv {

// The hint settings of a window. While Active, every hint of the program is shown in a
// TRegionHint: shaped, with an arrow at the cursor, and blended with the screen beneath.
class TBalloonHint : public TComponent {
public:
  explicit TBalloonHint(TComponent* owner);
  ~TBalloonHint() override;

  bool Active() const { return IsActive; }
  void SetActive(bool on);
  // The old name the form calls.
  void Activate() { SetActive(true); }

  THintStyle HintStyle = hsElliptic;
  TArrowStyle ArrowStyle = asArrow;
  int ArrowWidth = 40, ArrowHeight = 21, ArrowOffsetHor = 20;
  TColor HintColor = clWhite;
  TFont HintFont{"Arial", -11};
  TAlignTXT AlignText = atCenter;
  TColor BorderColor = clBlack;
  int BorderWidth = 1, BorderHeight = 1;
  int RadiusWidth = 15, RadiusHeight = 15;
  TTransparencyStyle TransparencyStyle = tsConstant;
  int Transparency = 50;
  int EndTransparency = 100;
  TBitmap WallPaper;
  bool UseWallPaper = false;
  TShowHintEvent OnShowHint;

  // Published values; reading them returns the ones in use for the last hint shown.
  TDisplayedHint DisplayedHint() const { return DisplayedInUse; }
  THintDirection HintDirection() const { return DirectionInUse; }
  void SetDisplayedHint(TDisplayedHint d) { Displayed = DisplayedInUse = d; }
  void SetHintDirection(THintDirection d) { Direction = DirectionInUse = d; }
  void SetHintPause(int ms);
  void SetHintHidePause(int ms);
  void SetHintShortPause(int ms);

private:
  friend class TRegionHint;
  void ShowHintHook(std::string& text, bool& canShow, THintInfo& info);
  bool IsActive = false;
  TDisplayedHint Displayed = dhAuto, DisplayedInUse = dhAuto;
  THintDirection Direction = hdAuto, DirectionInUse = hdAuto;
  bool BelowCursor = true;
};

// The hint window itself: size, shape, place and background are worked out once per hint.
class TRegionHint : public THintWindow {
public:
  TRect CalcHintRect(int maxWidth, const std::string& text) override;
  void ActivateHint(const TRect& rect, const std::string& text) override;

  const TBitmap& HintImage() const { return Image; }
  const THintLayout& Layout() const { return Shape; }
  static TBalloonHint* FindHintSettings();

protected:
  void Paint(HDC dc, const TRect& client) override;

private:
  void MakeHintImage(const TBalloonHint& k, const TRect& window);
  UniqueGdiObject MakeRegion(const TBalloonHint& k) const;
  TBitmap Image;
  THintLayout Shape;
  UniqueGdiObject BodyRegion, ArrowRegion;
  TBalloonHint* Settings = nullptr;
};

// How far the current cursor's image reaches below its hot spot.
int CurrentCursorExtent();

} // namespace qv
