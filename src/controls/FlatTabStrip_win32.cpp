#include "controls/FlatTabStrip_win32.h"

#include "controls/PaintOps_win32.h"
#include "ui/Accessible.h"

namespace qv {

TFlatTabStrip::TFlatTabStrip(TComponent* owner) : TWinControl(owner) {
  OwnColor = 14805739;
  ParentColor = true;
  TabStop = true;
  SetBounds(0, 0, 289, 193);
}

void TFlatTabStrip::UpdateTabRects() {
  HDC dc = GetDC(nullptr);
  TCanvas canvas(dc);
  canvas.Font = Font();
  Rects = qv::UpdateTabRects(
      TabList, [&](const std::string& s) { return canvas.TextWidth(s); }, Position, TabHeightValue, TabSpacingValue,
      ClientRect());
  ReleaseDC(nullptr, dc);
}

void TFlatTabStrip::SetTabs(const std::vector<std::string>& tabs) {
  TabList = tabs;
  if (!TabList.empty()) {
    if (Active > static_cast<int>(TabList.size()) - 1) Active = static_cast<int>(TabList.size()) - 1;
    TabList = TrimmedTabs(TabList);
  } else {
    Active = 0;
  }
  UpdateTabRects();
  Invalidate();
}

void TFlatTabStrip::SetActiveTab(int index) {
  Active = ClampActiveTab(index, static_cast<int>(TabList.size()));
  if (OnTabChanged) OnTabChanged(this);
  Invalidate();
  if (Active < 0) return;
  AnnounceEvent(EVENT_OBJECT_SELECTION, *this, Active);
  if (Focused()) AnnounceEvent(EVENT_OBJECT_FOCUS, *this, Active);
}

void TFlatTabStrip::SetTabHeight(int v) {
  TabHeightValue = StoredTabHeight(v);
  UpdateTabRects();
  Invalidate();
}

void TFlatTabStrip::SetTabSpacing(int v) {
  TabSpacingValue = StoredTabSpacing(v);
  UpdateTabRects();
  Invalidate();
}

void TFlatTabStrip::SetTabPosition(TFlatTabPosition p) {
  if (p == Position) return;
  for (TControl* c : Controls()) c->SetTop(ChildTopForTabPosition(c->Top(), p, TabHeightValue));
  Position = p;
  UpdateTabRects();
  Invalidate();
}

void TFlatTabStrip::SetColorBorder(TColor c) {
  Border = c;
  Invalidate();
}

void TFlatTabStrip::SetColorUnselectedTab(TColor c) {
  Unselected = c;
  Invalidate();
}

void TFlatTabStrip::SetAdvColorBorder(TAdvColors v) {
  AdvBorder = v;
  ApplyAdvColors();
  Invalidate();
}

void TFlatTabStrip::SetUseAdvColors(bool on) {
  if (on == AdvColors) return;
  AdvColors = on;
  ParentColor = on;
  ApplyAdvColors();
  Invalidate();
}

void TFlatTabStrip::ApplyAdvColors() {
  if (AdvColors) Border = ShiftLightness(Color(), Border, AdvBorder, true, WindowsSystemColors());
}

void TFlatTabStrip::ParentColorChanged() {
  if (AdvColors) {
    ParentColor = true;
    ApplyAdvColors();
  }
  Invalidate();
}

void TFlatTabStrip::BoundsChanged() {
  UpdateTabRects();
  Invalidate();
}

void TFlatTabStrip::PaintTo(TCanvas& canvas) {
  TTabPaintInput in;
  in.Client = ClientRect();
  in.Tabs = TabList;
  in.TabRects = Rects;
  in.ActiveTab = Active;
  in.TabHeight = TabHeightValue;
  in.TabPosition = Position;
  in.ParentColor = ColorToRGB(Parent() ? Parent()->Color() : Color());
  in.Color = ColorToRGB(Color());
  in.ColorBorder = ColorToRGB(Border);
  in.ColorUnselectedTab = ColorToRGB(Unselected);
  in.FontColor = ColorToRGB(Font().Color);
  in.Enabled = Enabled();
  canvas.Font = Font();
  RunPaintPlan(canvas, TabPaintPlan(in));
}

void TFlatTabStrip::PaintWindow(TCanvas& canvas) {
  // The framework already composes the window in a back buffer and copies it in one go.
  PaintTo(canvas);
  TForm* form = Form();
  if (Focused() && form->FocusCuesShown() && Active >= 0 && Active < static_cast<int>(Rects.size())) {
    const TRect& tab = Rects[Active];
    RunPaintPlan(canvas, FocusMarkPlan({tab.Left + 2, tab.Top + 2, tab.Right - 3, tab.Bottom - 1}, Border));
  }
}

void TFlatTabStrip::MouseDown(TMouseButton button, unsigned shift, int x, int y) {
  // The cursor's position now, not the message's: every button counts.
  POINT pt;
  GetCursorPos(&pt);
  TPoint p = ScreenToClient({pt.x, pt.y});
  for (size_t i = 0; i < Rects.size(); ++i)
    if (Rects[i].Contains(p) && static_cast<int>(i) != Active) {
      SetActiveTab(static_cast<int>(i));
      SetFocus();
    }
  TWinControl::MouseDown(button, shift, x, y);
}

bool TFlatTabStrip::DialogChar(char c) {
  if (TabList.empty()) return false;
  int i = FindAcceleratorTab(c, TabList);
  if (i < 0) return false;
  if (i != Active) {
    SetActiveTab(i);
    SetFocus();
  }
  return true;
}

void TFlatTabStrip::KeyDown(WPARAM key) {
  const int last = static_cast<int>(TabList.size()) - 1;
  if (key == VK_LEFT && Active > 0) SetActiveTab(Active - 1);
  if (key == VK_RIGHT && Active < last) SetActiveTab(Active + 1);
}

bool TFlatTabStrip::SelectNextPage(bool forward) {
  const int count = static_cast<int>(TabList.size());
  if (count == 0) return false;
  SetActiveTab((Active + (forward ? 1 : count - 1)) % count);
  // The focus was on the page that went away: it moves to the strip.
  HWND focus = GetFocus();
  if (focus && IsChild(Handle(), focus) && !IsWindowVisible(focus)) SetFocus();
  return true;
}

void TFlatTabStrip::FocusChanged(bool gained) {
  Invalidate();
  if (gained && Active >= 0) AnnounceEvent(EVENT_OBJECT_FOCUS, *this, Active);
}

void TFlatTabStrip::Describe(AccessibleFacts& facts) const {
  facts.Role = ROLE_SYSTEM_PAGETABLIST;
  facts.Name = AccessibleName;
}

void TFlatTabStrip::DescribeItem(int item, AccessibleFacts& facts) const {
  facts.Role = ROLE_SYSTEM_PAGETAB;
  facts.Name = PlainCaption(TabList[static_cast<size_t>(item)]);
  if (item < static_cast<int>(Rects.size())) facts.Bounds = Rects[static_cast<size_t>(item)];
  facts.State = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
  if (item == Active) facts.State |= STATE_SYSTEM_SELECTED | (Focused() ? STATE_SYSTEM_FOCUSED : 0);
  facts.DefaultAction = "Switch";
}

bool TFlatTabStrip::DoAccessibleAction(int item) {
  if (item < 0 || !Enabled()) return false;
  if (item != Active) SetActiveTab(item);
  return true;
}

} // namespace qv
