#pragma once
#include <string>
#include <vector>

#include "controls/ColourShift.h"
#include "controls/FlatTabStrip.h"
#include "ui/Controls.h"

namespace qv {

// The flat tab strip that frames the pages. It keeps the selected index and raises OnTabChanged;
// showing the matching page is the owner's business.
class TFlatTabStrip : public TWinControl {
public:
  explicit TFlatTabStrip(TComponent* owner);

  const std::vector<std::string>& Tabs() const { return TabList; }
  void SetTabs(const std::vector<std::string>& tabs);
  int ActiveTab() const { return Active; }
  void SetActiveTab(int index);
  int TabHeight() const { return TabHeightValue; }
  void SetTabHeight(int v);
  int TabSpacing() const { return TabSpacingValue; }
  void SetTabSpacing(int v);
  TFlatTabPosition TabPosition() const { return Position; }
  void SetTabPosition(TFlatTabPosition p);
  TColor ColorBorder() const { return Border; }
  void SetColorBorder(TColor c);
  TColor ColorUnselectedTab() const { return Unselected; }
  void SetColorUnselectedTab(TColor c);
  TAdvColors AdvColorBorder() const { return AdvBorder; }
  void SetAdvColorBorder(TAdvColors v);
  bool UseAdvColors() const { return AdvColors; }
  void SetUseAdvColors(bool on);
  TNotifyEvent OnTabChanged;

  const std::vector<TRect>& TabRects() const { return Rects; }
  void UpdateTabRects();
  // The whole control into any DC (the back buffer of WM_PAINT, a memory bitmap).
  void PaintTo(TCanvas& canvas);

  void MouseDown(TMouseButton button, unsigned shift, int x, int y) override;
  void ParentColorChanged() override;
  bool SelectNextPage(bool forward) override;
  void Describe(AccessibleFacts& facts) const override;
  int AccessibleItemCount() const override { return static_cast<int>(TabList.size()); }
  void DescribeItem(int item, AccessibleFacts& facts) const override;
  bool DoAccessibleAction(int item) override;

protected:
  void PaintWindow(TCanvas& canvas) override;
  void BoundsChanged() override;
  bool DialogChar(char c) override;
  void KeyDown(WPARAM key) override;
  void FocusChanged(bool gained) override;
  void ApplyAdvColors();

private:
  std::vector<std::string> TabList;
  std::vector<TRect> Rects;
  int Active = 0;
  int TabHeightValue = 16;
  int TabSpacingValue = 4;
  TFlatTabPosition Position = tpTop;
  TColor Border = 8623776;
  TColor Unselected = 10053171;
  TAdvColors AdvBorder = 50;
  bool AdvColors = false;
};

} // namespace qv
