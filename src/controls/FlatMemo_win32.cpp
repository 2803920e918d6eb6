#include "controls/FlatMemo_win32.h"

#include "controls/PaintOps_win32.h"

namespace qv {

TFlatMemo::TFlatMemo(TComponent* owner) : TMemo(owner) {
  ParentColor = true;
  SetBounds(0, 0, 185, 89);
}

TFlatMemo::~TFlatMemo() {
  DestroyHandle();
  if (ShownBrush) DeleteObject(ShownBrush);
}

void TFlatMemo::SetColorFocused(TColor c) {
  Focused_ = c;
  RedrawBorder();
}

void TFlatMemo::SetColorBorder(TColor c) {
  Border = c;
  RedrawBorder();
}

void TFlatMemo::SetColorFlat(TColor c) {
  Flat = c;
  ParentColor = false;
  RedrawBorder();
}

void TFlatMemo::SetParentColor(bool on) {
  if (on == ParentColor) return;
  ParentColor = on;
  if (on && Parent()) Flat = Parent()->Color();
  RedrawBorder();
}

void TFlatMemo::SetAdvColorFocused(TAdvColors v) {
  AdvFocused = v;
  if (AdvColors) {
    ApplyAdvColors();
    RedrawBorder();
  }
}

void TFlatMemo::SetAdvColorBorder(TAdvColors v) {
  AdvBorder = v;
  if (AdvColors) {
    ApplyAdvColors();
    RedrawBorder();
  }
}

void TFlatMemo::SetUseAdvColors(bool on) {
  if (on == AdvColors) return;
  AdvColors = on;
  SetParentColor(on);
  ApplyAdvColors();
  RedrawBorder();
}

void TFlatMemo::ApplyAdvColors() {
  if (!AdvColors) return;
  auto sys = WindowsSystemColors();
  Focused_ = ShiftLightness(Flat, Focused_, AdvFocused, false, sys);
  Border = ShiftLightness(Flat, Border, AdvBorder, true, sys);
}

void TFlatMemo::ParentColorChanged() {
  if (AdvColors) {
    if (Parent()) Flat = Parent()->Color();
    ApplyAdvColors();
  } else if (ParentColor && Parent()) {
    Flat = Parent()->Color();
  }
  RedrawBorder();
}

bool TFlatMemo::Highlighted() const {
  TWinControl* active = TWinControl::FromHandle(GetFocus());
  return FlatMemoHighlighted(false, Focused(), InControl, dynamic_cast<TFlatMemo*>(active) != nullptr);
}

void TFlatMemo::RedrawBorder() {
  if (!HandleAllocated()) return;
  RECT wr;
  GetWindowRect(Wnd, &wr);
  TColor band = Highlighted() ? Focused_ : Flat;
  if (ColorToRGB(band) != Shown) {
    // The text area follows the band: a new background for the edit's own painting.
    Shown = ColorToRGB(band);
    if (ShownBrush) DeleteObject(ShownBrush);
    ShownBrush = CreateSolidBrush(ToColorRef(Shown));
    InvalidateRect(Wnd, nullptr, TRUE);
  }
  HDC dc = GetWindowDC(Wnd);
  if (!dc) return;
  TCanvas canvas(dc);
  try {
    RunPaintPlan(canvas, FlatMemoBorderPlan(wr.right - wr.left, wr.bottom - wr.top, ScrollBars == ssBoth,
                                            ColorToRGB(Border), Shown));
  } catch (...) {
    ReleaseDC(Wnd, dc);
    throw;
  }
  ReleaseDC(Wnd, dc);
}

HBRUSH TFlatMemo::CtlColor(HDC dc) {
  if (!ShownBrush) {
    Shown = ColorToRGB(Highlighted() ? Focused_ : Flat);
    ShownBrush = CreateSolidBrush(ToColorRef(Shown));
  }
  SetTextColor(dc, ToColorRef(Font().Color));
  SetBkColor(dc, ToColorRef(Shown));
  return ShownBrush;
}

void TFlatMemo::MouseEnter() {
  TMemo::MouseEnter();
  if (!GetActiveWindow()) return;
  InControl = true;
  RedrawBorder();
}

void TFlatMemo::MouseLeave() {
  TMemo::MouseLeave();
  InControl = false;
  RedrawBorder();
}

void TFlatMemo::FocusChanged(bool gained) {
  TMemo::FocusChanged(gained);
  RedrawBorder();
  // The other memos may lose a hover highlight now that a memo holds the focus.
  if (Parent())
    for (TControl* c : Parent()->Controls())
      if (auto* m = dynamic_cast<TFlatMemo*>(c); m && m != this) m->RedrawBorder();
}

void TFlatMemo::EnabledChanged() {
  TMemo::EnabledChanged();
  RedrawBorder();
}

void TFlatMemo::CreateHandle() {
  TMemo::CreateHandle();
  // The edit was made before our procedure saw it: ask for the non-client size again.
  if (Wnd)
    SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

LRESULT TFlatMemo::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCCALCSIZE: {
      LRESULT r = TMemo::HandleMessage(msg, wp, lp);
      RECT* rc = reinterpret_cast<RECT*>(lp);
      InflateRect(rc, -FlatMemoBorder, -FlatMemoBorder);
      return r;
    }
    case WM_NCPAINT: {
      LRESULT r = TMemo::HandleMessage(msg, wp, lp);
      RedrawBorder();
      return r;
    }
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL: {
      // The edit scrolls its pixels at once but paints the uncovered lines only when no input is
      // waiting: while keys keep coming (typing, a paste of many lines) it would show copies of
      // old lines, or nothing but the caret. Paint before the next message instead.
      LRESULT r = TMemo::HandleMessage(msg, wp, lp);
      if (Wnd) UpdateWindow(Wnd);
      return r;
    }
  }
  return TMemo::HandleMessage(msg, wp, lp);
}

} // namespace qv
