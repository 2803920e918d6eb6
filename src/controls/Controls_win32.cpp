#include "controls/Controls_win32.h"

#include <shellapi.h>

namespace qv {

// ---- TImageButton

void TImageButton::Paint(TCanvas& canvas) {
  const TBitmap* face = &PictureUp;
  if (!Enabled()) face = &PictureDisabled;
  else if (Pressed && MouseInside) face = &PictureDown;
  else if (MouseInside) face = &PictureOver;
  if (face->Empty()) face = &PictureUp;
  if (!face->Empty()) {
    canvas.Draw(0, 0, *face);
    return;
  }
  TRect r = ClientRect();
  canvas.Brush.Color = !Enabled() ? RGBColor(200, 205, 215) : MouseInside ? QuorvelTabBlue : QuorvelBorderBlue;
  canvas.Pen.Color = canvas.Brush.Color;
  canvas.RoundRect(r, 6, 6);
  canvas.Font = Font();
  canvas.Font.Color = clWhite;
  canvas.Brush.Style = bsClear;
  canvas.DrawText(Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TImageButton::MouseDown(TMouseButton button, unsigned shift, int x, int y) {
  if (button != mbLeft) return;
  TGraphicControl::MouseDown(button, shift, x, y);
  Invalidate();
}

void TImageButton::MouseUp(TMouseButton button, unsigned shift, int x, int y) {
  if (button != mbLeft) return;
  MouseInside = ClientRect().Contains({x, y});
  TGraphicControl::MouseUp(button, shift, x, y);
  Invalidate();
}

void TImageButton::MouseEnter() {
  TGraphicControl::MouseEnter();
  Invalidate();
}

void TImageButton::MouseLeave() {
  TGraphicControl::MouseLeave();
  Invalidate();
}

// ---- TFlatTabControl

TFlatTabControl::TFlatTabControl(TComponent* owner) : TWinControl(owner) { OwnColor = clWhite; }

std::vector<TRect> TFlatTabControl::TabRects() {
  std::vector<TRect> rects;
  HDC dc = GetDC(nullptr);
  TCanvas c(dc);
  c.Font = Font();
  int x = 0;
  for (const auto& t : Tabs) {
    int w = c.TextWidth(t) + 16;
    rects.push_back({x, 0, x + w, 20});
    x += w + 1;
  }
  ReleaseDC(nullptr, dc);
  return rects;
}

void TFlatTabControl::SetActiveTab(int index) {
  if (index < 0) index = 0;
  if (index >= static_cast<int>(Tabs.size())) index = static_cast<int>(Tabs.size()) - 1;
  Active = index;
  Invalidate();
  if (OnTabChanged) OnTabChanged(this);
}

void TFlatTabControl::PaintWindow(TCanvas& canvas) {
  canvas.Brush.Color = Color();
  canvas.FillRect(ClientRect());
  auto rects = TabRects();
  canvas.Font = Font();
  for (size_t i = 0; i < rects.size(); ++i) {
    bool active = static_cast<int>(i) == Active;
    canvas.Brush.Color = active ? Color() : UnselectedColor;
    canvas.Pen.Color = BorderColor;
    canvas.Rectangle({rects[i].Left, rects[i].Top + (active ? 0 : 2), rects[i].Right, rects[i].Bottom + 1});
    canvas.Brush.Style = bsClear;
    canvas.Font.Color = active || !Enabled() ? (Enabled() ? clBlack : clBtnShadow) : clWhite;
    TRect tr = rects[i];
    canvas.DrawText(Tabs[i], tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    canvas.Brush.Style = bsSolid;
  }
  canvas.Brush.Color = BorderColor;
  canvas.FrameRect({0, 20, Width(), Height()});
}

void TFlatTabControl::MouseDown(TMouseButton button, unsigned shift, int x, int y) {
  TWinControl::MouseDown(button, shift, x, y);
  auto rects = TabRects();
  for (size_t i = 0; i < rects.size(); ++i)
    if (rects[i].Contains({x, y})) SetActiveTab(static_cast<int>(i));
}

// ---- TFlatCheckBox

TFlatCheckBox::TFlatCheckBox(TComponent* owner) : TWinControl(owner) { ParentColor = true; }

void TFlatCheckBox::SetChecked(bool v) {
  if (v == IsChecked) return;
  IsChecked = v;
  Invalidate();
}

void TFlatCheckBox::Click() {
  SetChecked(!IsChecked);
  TWinControl::Click();
}

void TFlatCheckBox::PaintWindow(TCanvas& canvas) {
  canvas.Brush.Color = Color();
  canvas.FillRect(ClientRect());
  TRect box{0, 1, 13, 14};
  canvas.Brush.Color = clWhite;
  canvas.Pen.Color = QuorvelBorderBlue;
  canvas.Rectangle(box);
  if (IsChecked) {
    canvas.Pen.Color = clBlack;
    canvas.Polyline({{3, 7}, {5, 9}, {10, 4}});
    canvas.Polyline({{3, 8}, {5, 10}, {10, 5}});
  }
  canvas.Font = Font();
  canvas.Brush.Style = bsClear;
  canvas.TextOut(18, 1, Caption());
}

// ---- TVantuProgressBar

void TVantuProgressBar::SetPosition(int v) {
  if (v < 0 || v > 100 || v == Pos) return;
  Pos = v;
  Invalidate();
}

void TVantuProgressBar::Paint(TCanvas& canvas) {
  TRect r = ClientRect();
  canvas.Brush.Color = clWhite;
  canvas.FillRect(r);
  int fill = (r.Width() - 2) * Pos / 100;
  canvas.Brush.Color = QuorvelTabBlue;
  canvas.FillRect({1, 1, 1 + fill, r.Bottom - 1});
  canvas.Brush.Color = QuorvelBorderBlue;
  canvas.FrameRect(r);
  canvas.Font = Font();
  canvas.Brush.Style = bsClear;
  canvas.DrawText(std::to_string(Pos) + Suffix, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// ---- TFlatMemo

TFlatMemo::TFlatMemo(TComponent* owner) : TMemo(owner) {}

// ---- TProUrlLabel

TProUrlLabel::TProUrlLabel(TComponent* owner) : TLabel(owner) {}

void TProUrlLabel::Click() {
  TLabel::Click();
  if (!URL.empty()) ShellExecuteA(nullptr, "open", URL.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TProUrlLabel::MouseEnter() {
  TLabel::MouseEnter();
  Invalidate();
}

void TProUrlLabel::MouseLeave() {
  TLabel::MouseLeave();
  Invalidate();
}

// ---- TKeshHint

void TKeshHint::Activate() {
  Application().HintPause = 500;
  Application().HintHidePause = 5000;
  Application().HintShortPause = 25;
  Application().SetShowHint(true);
}

} // namespace qv
