#include "controls/LinkLabel_win32.h"

#include <shellapi.h>

#include <algorithm>

#include "controls/PaintOps_win32.h"
#include "ui/Accessible.h"
#include "ui/Application.h"

namespace qv {

void LoadUrlCursors() {
  for (const TUrlCursor& c : UrlCursorTable())
    if (!ScreenCursor(c.Index))
      if (HCURSOR h = LoadCursorA(GetModuleHandleA(nullptr), c.ResourceName)) SetScreenCursor(c.Index, h);
}

std::function<void(const std::string&)> TLinkLabel::OpenLink = [](const std::string& text) {
  if (text.empty()) return;
  HWND owner =
      Application().MainForm && Application().MainForm->HandleAllocated() ? Application().MainForm->Handle() : nullptr;
  ShellExecuteA(owner, "open", text.c_str(), nullptr, nullptr, SW_SHOW);
};

TLinkLabel::TLinkLabel(TComponent* owner) : TEffectLabel(owner) {
  LoadUrlCursors();
  Cursor = crHandPoint;
  TabStop = true;
  TFont& f = FontForChange();
  f.Color = 0xFF0000;
  f.Style = fsUnderline;
}

void TLinkLabel::ApplyState() {
  TFont f = Font();
  f.Color = State.FontColor();
  f.Style = State.Underlined() ? (f.Style | fsUnderline) : (f.Style & ~fsUnderline);
  Applying = true;
  SetFont(f);
  Applying = false;
}

void TLinkLabel::FontChanged() {
  TEffectLabel::FontChanged();
  if (!Applying) State.FontChanged(Font().Color);
}

void TLinkLabel::SetUnvisitedColor(TColor c) {
  State.SetUnvisitedColor(c);
  ApplyState();
}

void TLinkLabel::SetVisitedColor(TColor c) {
  State.SetVisitedColor(c);
  ApplyState();
}

void TLinkLabel::SetCanHover(bool on) {
  State.SetCanHover(on);
  ApplyState();
}

void TLinkLabel::MouseDown(TMouseButton button, unsigned shift, int x, int y) {
  if (button != mbLeft) {
    TEffectLabel::MouseDown(button, shift, x, y);
    return;
  }
  TEffectLabel::MouseDown(button, shift, x, y);
  State.LeftPress();
  ApplyState();
}

void TLinkLabel::MouseUp(TMouseButton button, unsigned shift, int x, int y) {
  if (button != mbLeft) {
    TEffectLabel::MouseUp(button, shift, x, y);
    return;
  }
  TEffectLabel::MouseUp(button, shift, x, y);
  auto open = State.LeftRelease(x, y, Width(), Height(), URL, Caption());
  ApplyState();
  if (open) OpenLink(*open);
}

void TLinkLabel::MouseEnter() {
  TEffectLabel::MouseEnter();
  State.MouseEnter();
  ApplyState();
}

void TLinkLabel::MouseLeave() {
  TEffectLabel::MouseLeave();
  State.MouseLeave();
  ApplyState();
}

void TLinkLabel::Paint(TCanvas& canvas) {
  TEffectLabel::Paint(canvas);
  TForm* form = Form();
  if (!Focused() || !form->FocusCuesShown()) return;
  // The focus mark around the text, in its colour.
  canvas.Font = Font();
  const int width = std::min(canvas.TextWidth(Caption()), Width());
  const int left = Alignment == taRightJustify ? Width() - width : Alignment == taCenter ? (Width() - width) / 2 : 0;
  RunPaintPlan(canvas,
               FocusMarkPlan({std::max(left - 1, 0), 0, std::min(left + width + 1, Width()), Height()}, Font().Color));
}

void TLinkLabel::KeyPress() {
  State.LeftPress();
  auto open = State.LeftRelease(0, 0, Width(), Height(), URL, Caption());
  ApplyState();
  if (open) OpenLink(*open);
}

void TLinkLabel::Describe(AccessibleFacts& facts) const {
  facts.Role = ROLE_SYSTEM_LINK;
  facts.Name = AccessibleName.empty() ? Caption() : AccessibleName;
  facts.Value = AccessibleName.empty() ? URL : Caption();
  facts.State = STATE_SYSTEM_LINKED;
  facts.DefaultAction = "Jump";
}

bool TLinkLabel::DoAccessibleAction(int) {
  KeyPress();
  return true;
}

} // namespace qv
