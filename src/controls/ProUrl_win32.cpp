#include "controls/ProUrl_win32.h"

#include <shellapi.h>

#include "ui/Application.h"

namespace qv {

void LoadUrlCursors() {
  for (const TUrlCursor& c : UrlCursorTable())
    if (!ScreenCursor(c.Index))
      if (HCURSOR h = LoadCursorA(GetModuleHandleA(nullptr), c.ResourceName)) SetScreenCursor(c.Index, h);
}

std::function<void(const std::string&)> TProUrlLabel::OpenLink = [](const std::string& text) {
  if (text.empty()) return;
  HWND owner = Application().MainForm && Application().MainForm->HandleAllocated()
                   ? Application().MainForm->Handle()
                   : nullptr;
  ShellExecuteA(owner, "open", text.c_str(), nullptr, nullptr, SW_SHOW);
};

TProUrlLabel::TProUrlLabel(TComponent* owner) : TProLabel(owner) {
  LoadUrlCursors();
  Cursor = crHandPoint;
  TFont& f = FontForChange();
  f.Color = 0xFF0000;
  f.Style = fsUnderline;
}

void TProUrlLabel::ApplyState() {
  TFont f = Font();
  f.Color = State.FontColor();
  f.Style = State.Underlined() ? (f.Style | fsUnderline) : (f.Style & ~fsUnderline);
  Applying = true;
  SetFont(f);
  Applying = false;
}

void TProUrlLabel::FontChanged() {
  TProLabel::FontChanged();
  if (!Applying) State.FontChanged(Font().Color);
}

void TProUrlLabel::SetUnvisitedColor(TColor c) {
  State.SetUnvisitedColor(c);
  ApplyState();
}

void TProUrlLabel::SetVisitedColor(TColor c) {
  State.SetVisitedColor(c);
  ApplyState();
}

void TProUrlLabel::SetCanHover(bool on) {
  State.SetCanHover(on);
  ApplyState();
}

void TProUrlLabel::MouseDown(TMouseButton button, unsigned shift, int x, int y) {
  if (button != mbLeft) {
    TProLabel::MouseDown(button, shift, x, y);
    return;
  }
  TProLabel::MouseDown(button, shift, x, y);
  State.LeftPress();
  ApplyState();
}

void TProUrlLabel::MouseUp(TMouseButton button, unsigned shift, int x, int y) {
  if (button != mbLeft) {
    TProLabel::MouseUp(button, shift, x, y);
    return;
  }
  TProLabel::MouseUp(button, shift, x, y);
  auto open = State.LeftRelease(x, y, Width(), Height(), URL, Caption());
  ApplyState();
  if (open) OpenLink(*open);
}

void TProUrlLabel::MouseEnter() {
  TProLabel::MouseEnter();
  State.MouseEnter();
  ApplyState();
}

void TProUrlLabel::MouseLeave() {
  TProLabel::MouseLeave();
  State.MouseLeave();
  ApplyState();
}

} // namespace qv
