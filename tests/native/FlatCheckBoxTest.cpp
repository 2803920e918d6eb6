#include <gtest/gtest.h>

#include "PlanRaster.h"
#include "controls/FlatCheckBox.h"

namespace qv {
namespace {

using qv::testing::PlanRaster;

TCheckBoxColors Colours() {
  TCheckBoxColors c;
  c.Color = 0xAAAAAA;
  c.ColorFocused = 0xBBBBBB;
  c.ColorDown = 0xCCCCCC;
  c.ColorCheck = QuorvelBorderBlue;
  c.ColorBorder = clBlack;
  c.BtnShadow = 0x808080;
  c.BtnHighlight = clWhite;
  return c;
}

TEST(FlatCheckBox, BoxAndCaptionRectangles) {
  TRect client{0, 0, 65, 15};
  EXPECT_EQ(CheckBoxRect(checkboxLeft, client), (TRect{1, 3, 12, 14}));
  EXPECT_EQ(CheckBoxRect(checkboxRight, client), (TRect{53, 3, 64, 14})); // x 53..63
  EXPECT_EQ(CheckCaptionRect(checkboxLeft, client), (TRect{16, 1, 64, 14}));
  EXPECT_EQ(CheckCaptionRect(checkboxRight, client), (TRect{1, 1, 49, 14})); // right edge 49
  // The box keeps its place in a taller control.
  EXPECT_EQ(CheckBoxRect(checkboxLeft, {0, 0, 75, 40}), (TRect{1, 3, 12, 14}));
}

TEST(FlatCheckBox, FillByState) {
  auto c = Colours();
  struct Case {
    bool Focus, In, Down;
    TColor Fill;
  } cases[] = {
      {false, false, false, c.Color},       {false, false, true, c.Color}, // pressed but not tracked: idle
      {true, false, false, c.ColorFocused}, {false, true, false, c.ColorFocused},
      {true, false, true, c.ColorDown},     {false, true, true, c.ColorDown},
  };
  for (auto k : cases) EXPECT_EQ(CheckBoxFill(k.Focus, k.In, k.Down, c), k.Fill) << k.Focus << k.In << k.Down;
}

TEST(FlatCheckBox, CheckMarkPixels) {
  TCheckBoxState s;
  s.Checked = true;
  auto c = Colours();
  PlanRaster px(20, 20);
  px.Run(CheckBoxBoxPlan({0, 0, 75, 15}, s, c));
  // Box at (1, 3); '#' is the frame, 'x' the mark, '.' the idle fill.
  const std::vector<std::string> expected = {
      "###########", "#.........#", "#.......x.#", "#......xx.#", "#.x...xxx.#", "#.xx.xxx..#",
      "#.xxxxx...#", "#..xxx....#", "#...x.....#", "#.........#", "###########",
  };
  auto frame = px.Picture({1, 3, 12, 14}, clBlack, '#');
  auto mark = px.Picture({1, 3, 12, 14}, QuorvelBorderBlue, 'x');
  for (size_t y = 0; y < expected.size(); ++y) {
    std::string row = frame[y];
    for (size_t x = 0; x < row.size(); ++x)
      if (mark[y][x] == 'x') row[x] = 'x';
    EXPECT_EQ(row, expected[y]) << "row " << y;
  }
  EXPECT_EQ(px.At(2, 4), c.Color);
  EXPECT_EQ(px.At(0, 0), 0x123456u); // nothing outside the box
}

TEST(FlatCheckBox, DisabledMarkAndEmbossedCaption) {
  TCheckBoxState s;
  s.Checked = true;
  s.Enabled = false;
  s.Layout = checkboxRight;
  auto c = Colours();
  PlanRaster px(65, 15);
  px.Run(CheckBoxBoxPlan({0, 0, 65, 15}, s, c));
  EXPECT_EQ(px.At(53 + 8, 3 + 2), c.BtnShadow);
  auto caption = CheckBoxCaptionPlan({0, 0, 65, 15}, "NUM", s, clBlack, c);
  ASSERT_EQ(caption.size(), 2u);
  EXPECT_EQ(caption[0], TPaintOp::DrawText({2, 2, 50, 15}, clWhite, "NUM", tfWordBreak | tfRight));
  EXPECT_EQ(caption[1], TPaintOp::DrawText({1, 1, 49, 14}, c.BtnShadow, "NUM", tfWordBreak | tfRight));
  s.Enabled = true;
  EXPECT_EQ(CheckBoxCaptionPlan({0, 0, 65, 15}, "NUM", s, clBlack, c),
            (TPaintPlan{TPaintOp::DrawText({1, 1, 49, 14}, clBlack, "NUM", tfWordBreak | tfRight)}));
}

TEST(FlatCheckBox, UncheckedBoxHasNoMark) {
  TCheckBoxState s;
  s.MouseInControl = true;
  auto plan = CheckBoxBoxPlan({0, 0, 75, 15}, s, Colours());
  ASSERT_EQ(plan.size(), 2u);
  EXPECT_EQ(plan[0], TPaintOp::Fill({1, 3, 12, 14}, Colours().ColorFocused));
  EXPECT_EQ(plan[1], TPaintOp::Frame({1, 3, 12, 14}, clBlack));
}

} // namespace
} // namespace qv
