#include "controls/LinkLabel_win32.h"

#include <shellapi.h>

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

} // namespace qv
