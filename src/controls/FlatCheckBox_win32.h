#pragma once
#include "controls/ColourShift.h"
#include "controls/FlatCheckBox.h"
#include "ui/StdCtrls.h"

namespace qv {

// The flat check box: an 11 x 11 box with a drawn mark beside its caption. One 100 ms timer,
// shared by all boxes, notices the pointer leaving the box it last entered.
class TFlatCheckBox : public TWinControl {
public:
  explicit TFlatCheckBox(TComponent* owner);
  ~TFlatCheckBox() override;

  bool Checked() const { return IsChecked; }
  void SetChecked(bool v);
  TCheckBoxLayout Layout() const { return LayoutValue; }
  void SetLayout(TCheckBoxLayout l);
  void SetCaption(const std::string& c) override;

  TColor ColorFocused = clWhite;
  TColor ColorDown = 12965593;
  TColor ColorCheck = clBlack;
  TColor ColorBorder = 8623776;
  void SetColors(TColor focused, TColor down, TColor check, TColor border);
  void SetAdvColorFocused(TAdvColors v);
  void SetAdvColorDown(TAdvColors v);
  void SetAdvColorBorder(TAdvColors v);
  void SetUseAdvColors(bool on);
  bool UseAdvColors() const { return AdvColors; }

  // State flags, for the window layer's tests.
  bool MouseInControl() const { return InControl; }
  bool MouseIsDown() const { return IsDown; }
  bool HasFocus() const { return Focus; }

  void DrawBox();
  void DrawCaption(TCanvas& canvas);
  // Pointer tracking: entering the box and leaving it (also run by the shared timer).
  void HoverEnter();
  void HoverLeave();

  void MouseDown(TMouseButton button, unsigned shift, int x, int y) override;
  void MouseUp(TMouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void ParentColorChanged() override;
  void Describe(AccessibleFacts& facts) const override;

  static TFlatCheckBox* HoverBox();
  static TTimer* HoverTimer();

protected:
  void PaintWindow(TCanvas& canvas) override;
  void FocusChanged(bool gained) override;
  void EnabledChanged() override;
  bool DialogChar(char c) override;
  void ApplyAdvColors();

private:
  void PaintBox(TCanvas& canvas);
  void StopWatching();
  TCheckBoxColors ResolvedColors() const;
  bool IsChecked = false;
  TCheckBoxLayout LayoutValue = checkboxLeft;
  TAdvColors AdvFocused = 10, AdvDown = 10, AdvBorder = 50;
  bool AdvColors = false;
  bool InControl = false;
  bool IsDown = false;
  bool Focus = false;
};

} // namespace qv
