#include <gtest/gtest.h>

#include "PlanRaster.h"
#include "controls/GradientBar.h"
#include "core/Errors.h"
#include "core/Rounding.h"

namespace qv {
namespace {

using qv::testing::PlanRaster;

const TColor Red = RGBColor(255, 0, 0), Blue = RGBColor(0, 0, 255), Green = RGBColor(0, 255, 0);
TColor Grey(int v) { return RGBColor(uint8_t(v), uint8_t(v), uint8_t(v)); }
TColor Resolve(int index) { return index == 15 ? Grey(192) : Grey(0); }

TEST(ProgressBarGradient, MulDivRoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(1, 255, 2), 128);
  EXPECT_EQ(MulDiv(1, -255, 2), -128);
  EXPECT_EQ(MulDiv(3, 5, 2), 8);
  EXPECT_EQ(MulDiv(-3, 5, 2), -8);
  EXPECT_EQ(MulDiv(1, 1, 3), 0);
  EXPECT_EQ(MulDiv(0, 7, 0), -1);
}

TEST(ProgressBarGradient, GradientColor) {
  auto r = SystemColorResolver(Resolve);
  // 255 - 127.5 and 127.5, both rounded away from zero.
  EXPECT_EQ(GradientColor(Red, Blue, 3, 2, r), RGBColor(127, 0, 128));
  EXPECT_EQ(GradientColor(Red, Blue, 3, 1, r), Red);
  EXPECT_EQ(GradientColor(Red, Blue, 3, 3, r), Blue);
  EXPECT_EQ(GradientColor(Grey(0), Grey(100), 5, 3, r), Grey(50));
  EXPECT_EQ(GradientColor(Grey(0), Grey(100), 4, 2, r), Grey(33));  // 33.3
  EXPECT_EQ(GradientColor(Grey(0), Grey(100), 4, 3, r), Grey(67));  // 66.7
  EXPECT_EQ(GradientColor(clBtnFace, clBlack, 2, 1, r), Grey(192)); // system colour resolved
  EXPECT_EQ(GradientColor(Red, Blue, 1, 1, r), Red);                // one step: no division by zero
}

TEST(ProgressBarGradient, IndexOutsideTheRangeRaisesTheRangeError) {
  auto r = SystemColorResolver(Resolve);
  struct Case {
    int Count, Index;
    const char* Message;
  } cases[] = {{3, 0, "ColorIndex can't be less than 1 or greater than 3"},
               {3, 4, "ColorIndex can't be less than 1 or greater than 3"},
               {150, -1, "ColorIndex can't be less than 1 or greater than 150"},
               {0, 1, "ColorIndex can't be less than 1 or greater than 0"}};
  for (auto c : cases) {
    try {
      GradientColor(Red, Blue, c.Count, c.Index, r);
      ADD_FAILURE() << "no error for index " << c.Index;
    } catch (const ERangeError& e) {
      EXPECT_EQ(e.Message(), c.Message);
    }
  }
}

TEST(ProgressBarGradient, LinesBySegmentAndDirection) {
  auto r = SystemColorResolver(Resolve);
  // Two colours over 5 columns: the start colour first, the end colour last.
  auto two = GradientLines(pdLeftToRight, cs2Colors, 5, 3, Grey(0), Grey(100), Red, r);
  EXPECT_EQ(two, (std::vector<TColor>{Grey(0), Grey(25), Grey(50), Grey(75), Grey(100)}));
  // Right to left: laid out from the left with the colours swapped, so the bar's start (the
  // right end) shows BarColor1.
  auto back = GradientLines(pdRightToLeft, cs2Colors, 5, 3, Grey(0), Grey(100), Red, r);
  EXPECT_EQ(back.front(), Grey(100));
  EXPECT_EQ(back.back(), Grey(0));
  // Three colours over 6 columns: 3 + 3.
  auto three = GradientLines(pdLeftToRight, cs3Colors, 6, 3, Red, Green, Blue, r);
  // Falling channels lose the half (255 - 127.5 = 127), rising ones gain it (128).
  EXPECT_EQ(three, (std::vector<TColor>{Red, RGBColor(127, 128, 0), Green, Green, RGBColor(0, 127, 128), Blue}));
  // Odd length: the first segment takes the smaller half.
  auto odd = GradientLines(pdTopToBottom, cs3Colors, 2, 5, Red, Green, Blue, r);
  ASSERT_EQ(odd.size(), 5u);
  EXPECT_EQ(odd[1], Green);
  EXPECT_EQ(odd[2], Green);
  EXPECT_EQ(odd[4], Blue);
  auto up = GradientLines(pdBottomToTop, cs3Colors, 2, 6, Red, Green, Blue, r);
  EXPECT_EQ(up.front(), Blue);
  EXPECT_EQ(up.back(), Red);
  // A bar too short for its first segment still gets its lines.
  EXPECT_EQ(GradientLines(pdLeftToRight, cs3Colors, 1, 3, Red, Green, Blue, r), (std::vector<TColor>{Green}));
  EXPECT_TRUE(GradientLines(pdLeftToRight, cs2Colors, 0, 3, Red, Green, Blue, r).empty());
}

TEST(ProgressBarFill, FilledLengthAndRest) {
  struct Case {
    int Min, Max, Position, Length, Filled;
    const char* Why;
  } cases[] = {
      {0, 100, 50, 298, 149, "the main window's bars, half full"},
      {0, 100, 100, 298, 298, "full"},
      {0, 100, 0, 298, 0, "position at Min shows nothing"},
      {50, 50, 50, 298, 0, "Min equal to Max shows nothing"},
      {0, 100, 1, 150, 2, "1.5 goes to the even 2"},
      {0, 100, 1, 250, 2, "2.5 goes to the even 2"},
      {0, 100, 3, 50, 2, "1.5 goes to 2"},
      {100, 0, 50, 100, 0, "Min above Position"},
      {-100, 100, 0, 200, 100, "the range, not Max alone"},
      {0, 100, 150, 100, 150, "beyond Max the fill is longer than the bar"},
  };
  for (auto c : cases) EXPECT_EQ(BarFilledLength(c.Min, c.Max, c.Position, c.Length), c.Filled) << c.Why;

  EXPECT_EQ(BarUsableLength(pdLeftToRight, 300, 16, true), 298);
  EXPECT_EQ(BarUsableLength(pdBottomToTop, 300, 16, true), 14);
  EXPECT_EQ(BarUsableLength(pdTopToBottom, 300, 16, false), 16);
  TRect in = BarInnerRect(300, 16, true);
  EXPECT_EQ(in, (TRect{1, 1, 299, 15}));
  EXPECT_EQ(BarInnerRect(300, 16, false), (TRect{0, 0, 300, 16}));
  // 300 wide at 50 %: background from x 150 to 298 inclusive.
  EXPECT_EQ(BarRestRect(pdLeftToRight, in, 298 - 149), (TRect{150, 1, 299, 15}));
  EXPECT_EQ(BarRestRect(pdRightToLeft, in, 149), (TRect{1, 1, 150, 15}));
  EXPECT_EQ(BarRestRect(pdTopToBottom, {1, 1, 19, 99}, 10), (TRect{1, 89, 19, 99}));
  EXPECT_EQ(BarRestRect(pdBottomToTop, {1, 1, 19, 99}, 10), (TRect{1, 1, 19, 11}));
  EXPECT_FALSE(BarRestRect(pdLeftToRight, in, 0));
  EXPECT_FALSE(BarRestRect(pdLeftToRight, in, -2));
}

TEST(ProgressBarFill, TilesCoverTheBarInclusively) {
  auto tiles = TileOrigins(300, 16, 128, 8);
  // Columns 0..300/128 = 0..2 and rows 0..16/8 = 0..2: the last row lies wholly outside and is clipped.
  ASSERT_EQ(tiles.size(), 9u);
  EXPECT_EQ(tiles[0], (TPoint{0, 0}));
  EXPECT_EQ(tiles[2], (TPoint{256, 0}));
  EXPECT_EQ(tiles[8], (TPoint{256, 16}));
  EXPECT_EQ(TileOrigins(300, 25, 500, 142), (std::vector<TPoint>{{0, 0}})); // the bar texture: one copy
  EXPECT_TRUE(TileOrigins(300, 25, 0, 142).empty());
}

TEST(ProgressBarText, PositionTextAndOrigin) {
  EXPECT_EQ(PositionText(37, 200, true, "", "%"), "18%"); // 18.5 goes to the even 18
  EXPECT_EQ(PositionText(39, 200, true, "", "%"), "20%"); // 19.5 goes to 20
  EXPECT_EQ(PositionText(37, 200, false, "", "%"), "37%");
  EXPECT_EQ(PositionText(5, 10, true, "at ", " pct"), "at 50 pct");
  EXPECT_EQ(PositionText(0, 0, true, "", "%"), "0%");
  EXPECT_EQ(PositionTextOrigin(300, 25, 20, 13), (TPoint{140, 6}));
  EXPECT_EQ(PositionTextOrigin(300, 16, 21, 13), (TPoint{140, 2}));
  EXPECT_EQ(PositionTextOrigin(10, 10, 31, 13), (TPoint{-10, -1})); // halves cut towards zero
}

TEST(ProgressBarText, SetPositionIgnoresOutOfRangeAndSameValues) {
  EXPECT_FALSE(AcceptsPosition(101, 50, 0, 100));
  EXPECT_FALSE(AcceptsPosition(-1, 50, 0, 100));
  EXPECT_FALSE(AcceptsPosition(50, 50, 0, 100));
  EXPECT_TRUE(AcceptsPosition(100, 50, 0, 100));
  EXPECT_TRUE(AcceptsPosition(0, 50, 0, 100));
}

TEST(ProgressBarBorder, TopLeftInFirstColourBottomRightInSecond) {
  PlanRaster px(8, 5);
  px.Run(BarBorderPlan(8, 5, 0xAA, 0xBB));
  const std::vector<std::string> expected = {"aaaaaaaa", "a......b", "a......b", "a......b", "abbbbbbb"};
  auto a = px.Picture({0, 0, 8, 5}, 0xAA, 'a');
  auto b = px.Picture({0, 0, 8, 5}, 0xBB, 'b');
  for (size_t y = 0; y < 5; ++y) {
    std::string row = a[y];
    for (size_t x = 0; x < 8; ++x)
      if (b[y][x] == 'b') row[x] = 'b';
    EXPECT_EQ(row, expected[y]) << y;
  }
}

} // namespace
} // namespace qv
