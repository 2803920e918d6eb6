#include <gtest/gtest.h>

#include "PlanRaster.h"
#include "controls/FlatTabStrip.h"

namespace qv {

void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

namespace {

using qv::testing::PlanRaster;

int SevenPerChar(const std::string& s) { return 7 * static_cast<int>(s.size()); }
// Tab x ranges of the main window's captions at 4 pixels a character: 0..47, 52..115, 120..175,
// 180..263, 268..315, 320..371.
int FourPerChar(const std::string& s) { return 4 * static_cast<int>(s.size()); }

const TColor Parent = 0x111111, Body = clWhite, Border = QuorvelBorderBlue, Unselected = QuorvelTabBlue,
             FontColour = 0x010203;

TTabPaintInput MainWindowStrip(int active, TFlatTabPosition pos = tpTop) {
  TTabPaintInput in;
  in.Client = {0, 0, 452, 282};
  in.Tabs = {"Welcome", "My Computer", "Processor", "Operating System", "Devices", "More ..."};
  in.TabRects = UpdateTabRects(in.Tabs, FourPerChar, pos, 16, 4, in.Client);
  in.ActiveTab = active;
  in.TabPosition = pos;
  in.ParentColor = Parent;
  in.Color = Body;
  in.ColorBorder = Border;
  in.ColorUnselectedTab = Unselected;
  in.FontColor = FontColour;
  return in;
}

TEST(FlatTabRects, TwentyPixelsWiderThanTheCaptionAndSpacedApart) {
  auto rects = UpdateTabRects({"Welcome", "&Devices", "A&&B"}, SevenPerChar, tpTop, 16, 4, {0, 0, 452, 282});
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_EQ(rects[0], (TRect{0, 0, 69, 16}));
  EXPECT_EQ(rects[1], (TRect{73, 0, 142, 16}));  // measured without its ampersand
  EXPECT_EQ(rects[2], (TRect{146, 0, 187, 16})); // only the first ampersand goes: "A&B"
}

TEST(FlatTabRects, BottomStripAndOtherSpacings) {
  auto bottom = UpdateTabRects({"ab", "c"}, SevenPerChar, tpBottom, 16, 1, {0, 0, 452, 282});
  EXPECT_EQ(bottom[0], (TRect{0, 266, 34, 282}));
  EXPECT_EQ(bottom[1], (TRect{35, 266, 62, 282}));
  auto flat = UpdateTabRects({"ab"}, SevenPerChar, tpTop, 0, 4, {0, 0, 100, 50});
  EXPECT_EQ(flat[0], (TRect{0, 0, 34, 0}));
  EXPECT_TRUE(UpdateTabRects({}, SevenPerChar, tpTop, 16, 4, {0, 0, 100, 50}).empty());
}

TEST(FlatTabState, ActiveTabClampingAndStoredSizes) {
  struct Case {
    int Request, Count, Stored;
  } cases[] = {{99, 6, 5}, {-3, 6, 0}, {5, 6, 5}, {0, 6, 0}, {0, 0, -1}, {7, 0, -1}, {-1, 0, 0}};
  for (auto c : cases) EXPECT_EQ(ClampActiveTab(c.Request, c.Count), c.Stored) << c.Request << " of " << c.Count;
  EXPECT_EQ(StoredTabHeight(-1), 0);
  EXPECT_EQ(StoredTabHeight(0), 0);
  EXPECT_EQ(StoredTabSpacing(0), 1);
  EXPECT_EQ(StoredTabSpacing(-5), 1);
  EXPECT_EQ(StoredTabSpacing(2), 2);
}

TEST(FlatTabState, TrimAcceleratorsAndChildMoves) {
  EXPECT_EQ(TrimmedTabs({"  Welcome ", "\tMore ...", "   "}), (std::vector<std::string>{"Welcome", "More ...", ""}));
  std::vector<std::string> tabs{"Welcome", "My Computer", "&Devices", "Te&st&&", "x&"};
  EXPECT_EQ(FindAcceleratorTab('d', tabs), 2);
  EXPECT_EQ(FindAcceleratorTab('D', tabs), 2);
  EXPECT_EQ(FindAcceleratorTab('s', tabs), 3);
  EXPECT_EQ(FindAcceleratorTab('W', tabs), -1); // no ampersand, no accelerator
  EXPECT_EQ(FindAcceleratorTab('&', tabs), -1); // "&&" is a literal, and a trailing "&" marks nothing
  EXPECT_EQ(ChildTopForTabPosition(24, tpBottom, 16), 8);
  EXPECT_EQ(ChildTopForTabPosition(8, tpTop, 16), 24);
}

TEST(FlatTabPaint, SelectedTabIsOpenTowardsThePage) {
  PlanRaster px(452, 282);
  px.Run(TabPaintPlan(MainWindowStrip(1))); // "My Computer": x 52..115
  EXPECT_EQ(px.At(0, 16), Border);
  EXPECT_EQ(px.At(51, 16), Border);
  EXPECT_EQ(px.At(52, 16), Border);                                   // the tab's own left edge reaches the strip line
  for (int x = 53; x <= 114; ++x) ASSERT_EQ(px.At(x, 16), Body) << x; // the open edge
  EXPECT_EQ(px.At(115, 16), Border);                                  // right edge of the tab, then the strip goes on
  EXPECT_EQ(px.At(451, 16), Border);
  EXPECT_EQ(px.At(52, 0), Border);
  EXPECT_EQ(px.At(115, 0), Border);
  EXPECT_EQ(px.At(116, 0), Parent); // the rectangle's last column is left to the parent
  EXPECT_EQ(px.At(80, 8), Body);
  EXPECT_EQ(px.At(10, 8), Unselected);
  EXPECT_EQ(px.At(49, 8), Parent);  // gap between two tabs
  EXPECT_EQ(px.At(440, 8), Parent); // beyond the last tab
  // Page frame and fill.
  EXPECT_EQ(px.At(0, 200), Border);
  EXPECT_EQ(px.At(451, 200), Border);
  EXPECT_EQ(px.At(200, 281), Border);
  EXPECT_EQ(px.At(1, 17), Body);
  EXPECT_EQ(px.At(450, 280), Body);
}

TEST(FlatTabPaint, FirstTabDrawsNoStripSegmentToItsLeft) {
  auto plan = TabPaintPlan(MainWindowStrip(0));
  int stripLines = 0;
  for (const auto& op : plan)
    if (op.Kind == TPaintOp::Polyline && op.Points.size() == 2 && op.Points[0].Y == 16 && op.Points[1].Y == 16)
      ++stripLines;
  EXPECT_EQ(stripLines, 1);
  PlanRaster px(452, 282);
  px.Run(plan);
  EXPECT_EQ(px.At(0, 16), Border);
  EXPECT_EQ(px.At(1, 16), Body);
  EXPECT_EQ(px.At(46, 16), Body);
  EXPECT_EQ(px.At(47, 16), Border);
  EXPECT_EQ(px.At(48, 16), Border);
}

TEST(FlatTabPaint, CaptionColoursEnabledAndDisabled) {
  auto in = MainWindowStrip(0);
  PlanRaster on(452, 282);
  on.Run(TabPaintPlan(in));
  ASSERT_EQ(on.Texts.size(), 6u);
  EXPECT_EQ(on.Texts[0].Color, FontColour);
  EXPECT_EQ(on.Texts[1].Color, Body);
  EXPECT_EQ(on.Texts[0].Format, unsigned(tfSingleLine | tfCenter | tfVCenter));
  EXPECT_EQ(on.Texts[3].Rect, in.TabRects[3]);
  in.Enabled = false;
  PlanRaster off(452, 282);
  off.Run(TabPaintPlan(in));
  EXPECT_EQ(off.Texts[0].Color, Unselected); // "Welcome" in the tab blue on white
  EXPECT_EQ(off.Texts[5].Color, Body);       // the others white on the tab blue
}

TEST(FlatTabPaint, NoTabsShowsFrameAndPageOnly) {
  auto in = MainWindowStrip(0);
  in.Tabs.clear();
  in.TabRects.clear();
  PlanRaster px(452, 282);
  px.Run(TabPaintPlan(in));
  EXPECT_EQ(px.At(0, 0), Border);
  EXPECT_EQ(px.At(200, 0), Border);
  EXPECT_EQ(px.At(5, 5), Parent); // the strip area inside the frame keeps the parent colour
  EXPECT_EQ(px.At(5, 16), Parent);
  EXPECT_EQ(px.At(5, 17), Body);
  EXPECT_TRUE(px.Texts.empty());
}

TEST(FlatTabPaint, BottomStrip) {
  PlanRaster px(452, 282);
  px.Run(TabPaintPlan(MainWindowStrip(1, tpBottom)));
  EXPECT_EQ(px.At(0, 265), Border);  // strip line at B - H - 1
  EXPECT_EQ(px.At(80, 265), Body);   // open edge, now on top of the tab
  EXPECT_EQ(px.At(52, 281), Border); // the tab's bottom outline
  EXPECT_EQ(px.At(80, 281), Border);
  EXPECT_EQ(px.At(80, 270), Body);
  EXPECT_EQ(px.At(10, 270), Unselected);
  EXPECT_EQ(px.At(200, 0), Border); // page frame at the top now
  EXPECT_EQ(px.At(1, 1), Body);
  EXPECT_EQ(px.At(1, 264), Body);
  EXPECT_EQ(px.At(440, 270), Parent);
}

} // namespace
} // namespace qv
