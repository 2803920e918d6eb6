#include "controls/FlatTabStrip.h"

namespace qv {

std::string DeleteFirstAmpersand(const std::string& caption) {
  std::string s = caption;
  if (auto i = s.find('&'); i != std::string::npos) s.erase(i, 1);
  return s;
}

std::vector<TRect> UpdateTabRects(const std::vector<std::string>& tabs,
                                  const std::function<int(const std::string&)>& textWidth, TFlatTabPosition position,
                                  int tabHeight, int tabSpacing, TRect client) {
  std::vector<TRect> rects;
  int x = client.Left;
  int y = position == tpTop ? client.Top : client.Bottom - tabHeight;
  for (const auto& caption : tabs) {
    int width = textWidth(DeleteFirstAmpersand(caption));
    TRect r{x, y, x + width + 20, position == tpTop ? tabHeight : y + tabHeight};
    rects.push_back(r);
    x += width + 20 + tabSpacing;
  }
  return rects;
}

int ClampActiveTab(int index, int count) {
  // One test or the other, never both: with no tabs a request of 0 or more becomes -1.
  if (index > count - 1) return count - 1;
  if (index < 0) return 0;
  return index;
}

std::vector<std::string> TrimmedTabs(const std::vector<std::string>& tabs) {
  std::vector<std::string> out;
  for (const auto& t : tabs) {
    size_t b = t.find_first_not_of(" \t");
    size_t e = t.find_last_not_of(" \t");
    out.push_back(b == std::string::npos ? std::string() : t.substr(b, e - b + 1));
  }
  return out;
}

int FindAcceleratorTab(char c, const std::vector<std::string>& tabs) {
  for (size_t i = 0; i < tabs.size(); ++i)
    if (IsAccel(c, tabs[i])) return static_cast<int>(i);
  return -1;
}

int ChildTopForTabPosition(int top, TFlatTabPosition newPosition, int tabHeight) {
  return newPosition == tpBottom ? top - tabHeight : top + tabHeight;
}

TPaintPlan TabPaintPlan(const TTabPaintInput& in) {
  TPaintPlan plan;
  const int L = in.Client.Left, T = in.Client.Top, R = in.Client.Right, B = in.Client.Bottom;
  const int H = in.TabHeight;
  const bool top = in.TabPosition == tpTop;

  plan.push_back(TPaintOp::Fill(in.Client, in.ParentColor));
  if (in.Tabs.empty()) {
    plan.push_back(TPaintOp::Frame(in.Client, in.ColorBorder));
  } else {
    int stripY = top ? T + H : B - H - 1;
    bool hasActive = in.ActiveTab >= 0 && in.ActiveTab < static_cast<int>(in.TabRects.size());
    if (hasActive) {
      const TRect& a = in.TabRects[in.ActiveTab];
      if (a.Left != L) plan.push_back(TPaintOp::Line({{L, stripY}, {a.Left, stripY}}, in.ColorBorder));
      plan.push_back(TPaintOp::Line({{a.Right - 1, stripY}, {R, stripY}}, in.ColorBorder));
    } else {
      plan.push_back(TPaintOp::Line({{L, stripY}, {R, stripY}}, in.ColorBorder));
    }
    if (top)
      plan.push_back(TPaintOp::Line({{L, T + H}, {L, B - 1}, {R - 1, B - 1}, {R - 1, T + H}}, in.ColorBorder));
    else
      plan.push_back(TPaintOp::Line({{L, B - H - 1}, {L, T}, {R - 1, T}, {R - 1, B - H - 1}}, in.ColorBorder));
  }
  plan.push_back(
      TPaintOp::Fill(top ? TRect{L + 1, T + H + 1, R - 1, B - 1} : TRect{L + 1, T + 1, R - 1, B - H - 1}, in.Color));

  for (size_t i = 0; i < in.Tabs.size() && i < in.TabRects.size(); ++i) {
    const TRect& q = in.TabRects[i];
    TColor caption;
    if (static_cast<int>(i) == in.ActiveTab) {
      caption = in.Enabled ? in.FontColor : in.ColorUnselectedTab;
      if (top) {
        plan.push_back(TPaintOp::Fill({q.Left, q.Top, q.Right - 1, q.Bottom + 1}, in.Color));
        plan.push_back(TPaintOp::Line(
            {{q.Left, q.Bottom}, {q.Left, q.Top}, {q.Right - 1, q.Top}, {q.Right - 1, q.Bottom}}, in.ColorBorder));
      } else {
        plan.push_back(TPaintOp::Fill({q.Left, q.Top - 1, q.Right - 1, q.Bottom}, in.Color));
        plan.push_back(TPaintOp::Line(
            {{q.Left, q.Top - 1}, {q.Left, q.Bottom - 1}, {q.Right - 1, q.Bottom - 1}, {q.Right - 1, q.Top - 1}},
            in.ColorBorder));
      }
    } else {
      caption = in.Color;
      plan.push_back(TPaintOp::Fill(q, in.ColorUnselectedTab));
    }
    plan.push_back(TPaintOp::DrawText(q, caption, in.Tabs[i], tfSingleLine | tfCenter | tfVCenter));
  }
  return plan;
}

} // namespace qv
