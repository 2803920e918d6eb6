#pragma once
#include <functional>
#include <string>
#include <vector>

#include "controls/PaintOps.h"

namespace qv {

enum TFlatTabPosition { tpTop, tpBottom };

// Caption as measured: only the first "&" is taken out.
std::string DeleteFirstAmpersand(const std::string& caption);

// One rectangle per tab, left to right from the client's left edge, each 20 pixels wider than
// its caption; tabs are neither wrapped nor clipped.
std::vector<TRect> UpdateTabRects(const std::vector<std::string>& tabs,
                                  const std::function<int(const std::string&)>& textWidth, TFlatTabPosition position,
                                  int tabHeight, int tabSpacing, TRect client);

// ActiveTab as stored for a request: clamped into 0..count-1 (with no tabs a non-negative request
// gives -1, a negative one 0).
int ClampActiveTab(int index, int count);
inline int StoredTabHeight(int value) { return value < 0 ? 0 : value; }
inline int StoredTabSpacing(int value) { return value <= 0 ? 1 : value; }

// Captions as stored by a Tabs assignment: blanks trimmed at both ends.
std::vector<std::string> TrimmedTabs(const std::vector<std::string>& tabs);

// The first tab whose caption has c as accelerator, or -1.
int FindAcceleratorTab(char c, const std::vector<std::string>& tabs);

// A child's new top when the strip moves to `newPosition`: the page area moves by the strip height.
int ChildTopForTabPosition(int top, TFlatTabPosition newPosition, int tabHeight);

struct TTabPaintInput {
  TRect Client;
  std::vector<std::string> Tabs;
  std::vector<TRect> TabRects;
  int ActiveTab = 0;
  int TabHeight = 16;
  TFlatTabPosition TabPosition = tpTop;
  TColor ParentColor = 0; // all colours already RGB
  TColor Color = 0;
  TColor ColorBorder = 0;
  TColor ColorUnselectedTab = 0;
  TColor FontColor = 0;
  bool Enabled = true;
};

// The whole picture of the control, in drawing order, for one off-screen bitmap.
TPaintPlan TabPaintPlan(const TTabPaintInput& in);

} // namespace qv
