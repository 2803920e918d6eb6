#include "controls/ImageButton_win32.h"

#include <cctype>

#include "controls/PaintOps_win32.h"
#include "ui/Accessible.h"
#include "ui/Application.h"

namespace qv {

TImageButton::TImageButton(TComponent* owner) : TGraphicControl(owner) {
  ShowHint = true;
  SetBounds(0, 0, 50, 50);
}

const TBitmap& TImageButton::Image(TButtonImage which) const {
  switch (which) {
    case biNormal:
      return Normal;
    case biOver:
      return Over;
    case biDown:
      return Down;
    case biUp:
      return Up;
    case biDisabled:
      return Disabled;
  }
  return Normal;
}

TButtonImages TImageButton::Present() const {
  return {Normal.Width() > 0, Over.Width() > 0, Down.Width() > 0, Up.Width() > 0, Disabled.Width() > 0};
}

void TImageButton::DrawImage(TCanvas& canvas, const TBitmap& image) {
  canvas.Brush.Style = bsSolid;
  canvas.Brush.Color = clBtnFace;
  canvas.FillRect(ClientRect());
  canvas.Draw(0, 0, image);
  // The focus mark inside the face's edge, in the captions' white.
  TForm* form = Form();
  if (Focused() && form->FocusCuesShown())
    RunPaintPlan(canvas, FocusMarkPlan({3, 3, image.Width() - 3, image.Height() - 3}, clWhite));
}

void TImageButton::Paint(TCanvas& canvas) {
  if (Current.Empty()) Current.Assign(Normal);
  if (PaintsDisabledImage(Enabled(), Present())) {
    SetBounds(Left(), Top(), Disabled.Width(), Disabled.Height());
    DrawImage(canvas, Disabled);
  } else {
    DrawImage(canvas, Current);
  }
}

void TImageButton::ShowImage(TButtonImage which) {
  const TBitmap& image = Image(which);
  Current.Assign(image);
  SetBounds(Left(), Top(), image.Width(), image.Height());
  PaintDirect(*this, [this](TCanvas& c) { Paint(c); });
}

void TImageButton::SetBitmap(const TBitmap& bmp) {
  Normal.Assign(bmp);
  Current.Assign(bmp);
  SetBounds(Left(), Top(), bmp.Width(), bmp.Height());
  Invalidate();
}

void TImageButton::SetBitmapOver(const TBitmap& bmp) {
  Over.Assign(bmp);
  Invalidate();
}
void TImageButton::SetBitmapDown(const TBitmap& bmp) {
  Down.Assign(bmp);
  Invalidate();
}
void TImageButton::SetBitmapUp(const TBitmap& bmp) {
  Up.Assign(bmp);
  Invalidate();
}
void TImageButton::SetBitmapDisabled(const TBitmap& bmp) {
  Disabled.Assign(bmp);
  Invalidate();
}

void TImageButton::MouseEnter() {
  TGraphicControl::MouseEnter();
  if (auto img = ImageOnEnter(Enabled(), Present())) ShowImage(*img);
}

void TImageButton::MouseLeave() {
  TGraphicControl::MouseLeave();
  if (auto img = ImageOnLeave(Enabled(), Present())) ShowImage(*img);
}

void TImageButton::MouseDown(TMouseButton button, unsigned shift, int x, int y) {
  if (button != mbLeft || !Enabled()) return;
  Pressed = true;
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
  if (auto img = ImageOnPress(Enabled(), Present())) ShowImage(*img);
}

void TImageButton::MouseUp(TMouseButton button, unsigned shift, int x, int y) {
  if (button != mbLeft) return;
  // The click comes first, while the pressed image is still on show: a command that opens a
  // dialog runs before the release image is drawn.
  if (Pressed && ClientRect().Contains({x, y})) {
    PaintDirect(*this, [this](TCanvas& c) { Paint(c); });
    if (Enabled()) Click();
  }
  Pressed = false;
  if (!Enabled()) return;
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
  POINT pt;
  GetCursorPos(&pt);
  bool onButton = Application().ControlAtPos({pt.x, pt.y}, true) == this;
  const TBitmap& image = Image(ImageOnRelease(Present(), onButton));
  SetBounds(Left(), Top(), image.Width(), image.Height());
  PaintDirect(*this, [this, &image](TCanvas& c) { DrawImage(c, image); });
}

void TImageButton::KeyPress() {
  if (!Enabled()) return;
  if (auto img = ImageOnPress(Enabled(), Present())) ShowImage(*img);
  Click();
  if (!Enabled()) return;
  POINT pt;
  GetCursorPos(&pt);
  ShowImage(ImageOnRelease(Present(), Application().ControlAtPos({pt.x, pt.y}, true) == this));
}

bool TImageButton::DialogChar(char c) {
  if (!IsAccel(c, Caption()) || !Enabled()) return false;
  if (TForm* form = Form(); form && TabStop) form->FocusControl(this);
  KeyPress();
  return true;
}

void TImageButton::Describe(AccessibleFacts& facts) const {
  facts.Role = ROLE_SYSTEM_PUSHBUTTON;
  facts.Name = AccessibleName.empty() ? PlainCaption(Caption()) : AccessibleName;
  if (char key = AccelKey(Caption())) facts.Shortcut = std::string("Alt+") + static_cast<char>(std::toupper(key));
  facts.DefaultAction = "Press";
}

bool TImageButton::DoAccessibleAction(int) {
  KeyPress();
  return true;
}

} // namespace qv
