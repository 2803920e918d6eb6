#include "controls/FlatCheckBox_win32.h"

#include "controls/PaintOps.h"
#include "controls/PaintOps_win32.h"
#include "ui/Accessible.h"
#include "ui/Application.h"

namespace qv {

namespace {

TTimer* SharedTimer = nullptr;
TFlatCheckBox* Watched = nullptr;
int LiveBoxes = 0;

} // namespace

TFlatCheckBox* TFlatCheckBox::HoverBox() { return Watched; }
TTimer* TFlatCheckBox::HoverTimer() { return SharedTimer; }

TFlatCheckBox::TFlatCheckBox(TComponent* owner) : TWinControl(owner) {
  if (LiveBoxes++ == 0) {
    SharedTimer = new TTimer(nullptr);
    SharedTimer->SetInterval(100);
  }
  OwnColor = 14805739;
  ParentColor = true;
  TabStop = true;
  SetBounds(0, 0, 121, 17);
}

TFlatCheckBox::~TFlatCheckBox() {
  StopWatching();
  if (--LiveBoxes == 0) {
    delete SharedTimer;
    SharedTimer = nullptr;
  }
}

TCheckBoxColors TFlatCheckBox::ResolvedColors() const {
  TCheckBoxColors c;
  c.Color = ColorToRGB(Color());
  c.ColorFocused = ColorToRGB(ColorFocused);
  c.ColorDown = ColorToRGB(ColorDown);
  c.ColorCheck = ColorToRGB(ColorCheck);
  c.ColorBorder = ColorToRGB(ColorBorder);
  c.BtnShadow = ColorToRGB(clBtnShadow);
  c.BtnHighlight = ColorToRGB(clBtnHighlight);
  return c;
}

void TFlatCheckBox::PaintBox(TCanvas& canvas) {
  TCheckBoxState s{LayoutValue, IsChecked, Enabled(), Focus, InControl, IsDown};
  RunPaintPlan(canvas, CheckBoxBoxPlan(ClientRect(), s, ResolvedColors()));
}

void TFlatCheckBox::DrawBox() {
  PaintDirect(*this, [this](TCanvas& c) { PaintBox(c); });
}

void TFlatCheckBox::DrawCaption(TCanvas& canvas) {
  TCheckBoxState s{LayoutValue, IsChecked, Enabled(), Focus, InControl, IsDown};
  canvas.Font = Font();
  RunPaintPlan(canvas, CheckBoxCaptionPlan(ClientRect(), Caption(), s, ColorToRGB(Font().Color), ResolvedColors()));
}

void TFlatCheckBox::PaintWindow(TCanvas& canvas) {
  TWinControl::PaintWindow(canvas); // the background in the control's colour
  PaintBox(canvas);
  DrawCaption(canvas);
  // The focus mark around the caption, in the colour of the check mark.
  TForm* form = Form();
  if (!Focused() || !form->FocusCuesShown()) return;
  canvas.Font = Font();
  const int width = canvas.TextWidth(PlainCaption(Caption()));
  const TRect text = CheckCaptionRect(LayoutValue, ClientRect());
  const int left = LayoutValue == checkboxLeft ? text.Left : text.Right - width;
  RunPaintPlan(canvas, FocusMarkPlan({left - 2, 0, left + width + 2, Height()}, ColorCheck));
}

void TFlatCheckBox::SetChecked(bool v) {
  if (v == IsChecked) return;
  IsChecked = v;
  Click();
  DrawBox();
  AnnounceEvent(EVENT_OBJECT_STATECHANGE, *this);
}

void TFlatCheckBox::SetLayout(TCheckBoxLayout l) {
  LayoutValue = l;
  Invalidate();
}

void TFlatCheckBox::SetCaption(const std::string& c) {
  TWinControl::SetCaption(c);
  Invalidate();
}

void TFlatCheckBox::SetColors(TColor focused, TColor down, TColor check, TColor border) {
  ColorFocused = focused;
  ColorDown = down;
  ColorCheck = check;
  ColorBorder = border;
  Invalidate();
}

void TFlatCheckBox::SetAdvColorFocused(TAdvColors v) {
  AdvFocused = v;
  ApplyAdvColors();
  Invalidate();
}
void TFlatCheckBox::SetAdvColorDown(TAdvColors v) {
  AdvDown = v;
  ApplyAdvColors();
  Invalidate();
}
void TFlatCheckBox::SetAdvColorBorder(TAdvColors v) {
  AdvBorder = v;
  ApplyAdvColors();
  Invalidate();
}

void TFlatCheckBox::SetUseAdvColors(bool on) {
  if (on == AdvColors) return;
  AdvColors = on;
  ParentColor = on;
  ApplyAdvColors();
  Invalidate();
}

void TFlatCheckBox::ApplyAdvColors() {
  if (!AdvColors) return;
  auto sys = WindowsSystemColors();
  ColorFocused = ShiftLightness(Color(), ColorFocused, AdvFocused, false, sys);
  ColorDown = ShiftLightness(Color(), ColorDown, AdvDown, true, sys);
  ColorBorder = ShiftLightness(Color(), ColorBorder, AdvBorder, true, sys);
}

void TFlatCheckBox::ParentColorChanged() {
  if (AdvColors) {
    ParentColor = true;
    ApplyAdvColors();
  }
  Invalidate();
}

void TFlatCheckBox::StopWatching() {
  if (Watched != this) return;
  if (SharedTimer) SharedTimer->SetEnabled(false);
  Watched = nullptr;
}

void TFlatCheckBox::HoverEnter() {
  if (Enabled() && !InControl) {
    InControl = true;
    DrawBox();
  }
}

void TFlatCheckBox::HoverLeave() {
  // While the left button is held the box keeps its pressed look; the next tick after the release
  // notices the pointer is gone.
  if (Enabled() && InControl && !IsDown) {
    InControl = false;
    StopWatching();
    DrawBox();
  }
}

void TFlatCheckBox::MouseMove(unsigned shift, int x, int y) {
  TWinControl::MouseMove(shift, x, y);
  POINT pt;
  GetCursorPos(&pt);
  if (Application().ControlAtPos({pt.x, pt.y}, true) != this || Watched == this) return;
  if (Watched) Watched->HoverLeave();
  if (!GetActiveWindow()) return;
  SharedTimer->SetEnabled(false);
  Watched = this;
  SharedTimer->OnTimer = [](TTimer*) {
    POINT p;
    GetCursorPos(&p);
    if (Watched && Application().ControlAtPos({p.x, p.y}, true) != Watched) Watched->HoverLeave();
  };
  SharedTimer->SetEnabled(true);
  HoverEnter();
}

void TFlatCheckBox::MouseDown(TMouseButton button, unsigned shift, int x, int y) {
  if (button != mbLeft || !Enabled()) return;
  SetFocus();
  IsDown = true;
  DrawBox();
  TWinControl::MouseDown(button, shift, x, y);
}

void TFlatCheckBox::MouseUp(TMouseButton button, unsigned shift, int x, int y) {
  if (button != mbLeft || !Enabled()) return;
  IsDown = false;
  if (InControl) SetChecked(!IsChecked);
  DrawBox();
  // The toggle above is the click; the framework must not make another one of the release.
  Pressed = false;
  TWinControl::MouseUp(button, shift, x, y);
}

void TFlatCheckBox::FocusChanged(bool gained) {
  if (!Enabled()) return;
  if (gained) {
    Focus = true;
  } else {
    InControl = false;
    Focus = false;
  }
  DrawBox();
  if (TForm* form = Form(); form && form->FocusCuesShown()) Invalidate(); // the focus mark
}

void TFlatCheckBox::EnabledChanged() {
  if (!Enabled()) {
    InControl = false;
    IsDown = false;
    StopWatching();
  }
  Invalidate();
}

bool TFlatCheckBox::DialogChar(char c) {
  if (IsAccel(c, Caption()) && Showing() && Enabled()) {
    SetFocus();
    SetChecked(!IsChecked);
    return true;
  }
  if (c == ' ' && Focus) SetChecked(!IsChecked);
  return false;
}

void TFlatCheckBox::Describe(AccessibleFacts& facts) const {
  facts.Role = ROLE_SYSTEM_CHECKBUTTON;
  facts.Name = PlainCaption(Caption());
  if (IsChecked) facts.State |= STATE_SYSTEM_CHECKED;
}

} // namespace qv
