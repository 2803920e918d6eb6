#pragma once
#include "controls/ColourShift.h"
#include "controls/FlatMemo.h"
#include "ui/StdCtrls.h"

namespace qv {

// The native multi-line edit with a flat border of its own: a one-pixel outline and a two-pixel
// band in the non-client area, the band and the text background switching between the flat and
// the focused colour.
class TFlatMemo : public TMemo {
public:
  explicit TFlatMemo(TComponent* owner);
  ~TFlatMemo() override;

  TColor ColorFocused() const { return Focused_; }
  TColor ColorBorder() const { return Border; }
  TColor ColorFlat() const { return Flat; }
  void SetColorFocused(TColor c);
  void SetColorBorder(TColor c);
  void SetColorFlat(TColor c); // also stops following the parent's colour
  void SetParentColor(bool on);
  void SetAdvColorFocused(TAdvColors v);
  void SetAdvColorBorder(TAdvColors v);
  void SetUseAdvColors(bool on);
  bool Highlighted() const;
  bool MouseInControl() const { return InControl; }

  void RedrawBorder();
  void MouseEnter() override;
  void MouseLeave() override;
  void ParentColorChanged() override;

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void CreateHandle() override;
  HBRUSH CtlColor(HDC dc) override;
  void FocusChanged(bool gained) override;
  void EnabledChanged() override;
  void ApplyAdvColors();

private:
  TColor Focused_ = clWhite;
  TColor Border = 0x8396A0;
  TColor Flat = 0xE1EAEB;
  TAdvColors AdvFocused = 10, AdvBorder = 50;
  bool AdvColors = false;
  bool InControl = false;
  TColor Shown = 0xFFFFFFFF; // background colour the edit currently paints
  HBRUSH ShownBrush = nullptr;
};

} // namespace qv
