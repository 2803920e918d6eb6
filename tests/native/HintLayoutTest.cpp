#include <gtest/gtest.h>

#include "controls/BalloonHint.h"

namespace qv {

void PrintTo(const THintSize& s, std::ostream* os) { *os << s.W << " x " << s.H << ", text x " << s.TextX; }
void PrintTo(const THintPlacement& p, std::ostream* os) {
  *os << "(" << p.Window.Left << ", " << p.Window.Top << ", " << p.Window.Right << ", " << p.Window.Bottom << ") dir "
      << p.Direction << (p.BelowCursor ? " below" : " above");
}
void PrintTo(const THintArrow& a, std::ostream* os) {
  *os << "tip (" << a.Tip.X << ", " << a.Tip.Y << ") base (" << a.Base1.X << ", " << a.Base1.Y << ")-(" << a.Base2.X
      << ", " << a.Base2.Y << ") text y " << a.TextY;
}

namespace {

TEST(HintShape, HalfAxesOfTheEnclosingEllipse) {
  EXPECT_EQ(EllipseHalfAxes(15, 15), (THalfAxes{9, 12}));   // the rounded corners of the main window
  EXPECT_EQ(EllipseHalfAxes(102, 16), (THalfAxes{55, 21})); // wide: b = 20.6 rounds up
  EXPECT_EQ(EllipseHalfAxes(10, 30), (THalfAxes{10, 18}));  // tall: a = 9.95 rounds up
  EXPECT_EQ(EllipseHalfAxes(0, 0), (THalfAxes{0, 0}));
  EXPECT_EQ(EllipseHalfAxes(5, 0), (THalfAxes{2, 0})); // a flat box keeps a real root
}

TEST(HintShape, AllowanceByStyle) {
  // Text 100 x 14 with a one-pixel border: a 102 x 16 box, text at x 1.
  const THintSize box{102, 16, 1};
  struct Case {
    THintStyle Style;
    THintSize Expected;
  } cases[] = {
      {hsRectangle, {104, 18, 2}},
      {hsElliptic, {112, 44, 6}},     // 2a + 2 by 2b + 2, text centred: (112 - 100) div 2
      {hsCutAngleRect, {119, 33, 9}}, // + radius + 2, text + 17 div 2
      {hsRoundRect, {122, 42, 11}},   // + 20 x 26 for the 15 x 15 corners, text + a + 1
  };
  for (auto c : cases) EXPECT_EQ(HintShapeAllowance(c.Style, box, 100, 15, 15), c.Expected) << c.Style;
  EXPECT_EQ(HintShapeAllowance(hsCutAngleRect, box, 100, 16, 4), (THintSize{120, 22, 10}));
}

TEST(HintShape, ArrowAllowance) {
  // Wide enough: only the height grows.
  EXPECT_EQ(HintArrowAllowance({122, 42, 11}, 100, 40, 21, 20), (THintSize{122, 63, 11}));
  // Narrower than the arrow's base plus offset: widened, text centred.
  EXPECT_EQ(HintArrowAllowance({42, 42, 11}, 20, 40, 21, 20), (THintSize{60, 63, 20}));
  EXPECT_EQ(HintArrowAllowance({60, 42, 11}, 20, 40, 21, 20), (THintSize{60, 63, 11})); // equal is enough
  EXPECT_EQ(HintArrowAllowance({42, 42, 11}, 21, 40, 21, 20), (THintSize{60, 63, 19})); // 39 div 2
}

TEST(HintPlacement, TableWithFlips) {
  const int W = 122, H = 63, SW = 1024, SH = 768;
  struct Case {
    THintDirection Dir;
    TPoint Cursor;
    int BelowOffset;
    THintPlacement Expected;
    const char* Why;
  } cases[] = {
      {hdAuto, {100, 100}, 0, {Bounds(100, 100, W, H), hdAuto, true}, "below right of the hot spot"},
      {hdAuto, {100, 100}, 19, {Bounds(100, 119, W, H), hdAuto, true}, "below the cursor image"},
      {hdAuto, {1000, 100}, 0, {Bounds(902, 100, W, H), hdAuto, true}, "shifted to end at the screen edge"},
      {hdAuto, {902, 100}, 0, {Bounds(902, 100, W, H), hdAuto, true}, "ending exactly at the edge is fine"},
      {hdAuto, {100, 740}, 19, {Bounds(100, 677, W, H), hdAuto, false}, "above, ending at the hot spot"},
      {hdAuto, {100, 705}, 0, {Bounds(100, 705, W, H), hdAuto, true}, "bottom exactly at the screen edge"},
      {hdUpRight, {500, 300}, 0, {Bounds(500, 237, W, H), hdUpRight, true}, "as asked"},
      {hdUpRight, {1000, 300}, 0, {Bounds(878, 237, W, H), hdUpLeft, true}, "flips to the left"},
      {hdUpRight, {5, 5}, 0, {Bounds(5, 5, W, H), hdDownRight, true}, "flips below"},
      {hdUpRight, {1000, 5}, 0, {Bounds(878, 5, W, H), hdDownLeft, true}, "flips both ways"},
      {hdUpLeft, {500, 300}, 0, {Bounds(378, 237, W, H), hdUpLeft, true}, "as asked"},
      {hdUpLeft, {5, 300}, 0, {Bounds(5, 237, W, H), hdUpRight, true}, "flips to the right"},
      {hdUpLeft, {500, 5}, 0, {Bounds(378, 5, W, H), hdDownLeft, true}, "flips below"},
      {hdUpLeft, {5, 5}, 0, {Bounds(5, 5, W, H), hdDownRight, true}, "flips both ways"},
      {hdDownRight, {500, 300}, 7, {Bounds(500, 307, W, H), hdDownRight, true}, "as asked"},
      {hdDownRight, {1000, 300}, 0, {Bounds(878, 300, W, H), hdDownLeft, true}, "flips to the left"},
      {hdDownRight, {100, 740}, 0, {Bounds(100, 677, W, H), hdUpRight, true}, "flips above"},
      {hdDownRight, {1000, 740}, 0, {Bounds(878, 677, W, H), hdUpLeft, true}, "flips both ways"},
      {hdDownLeft, {500, 300}, 0, {Bounds(378, 300, W, H), hdDownLeft, true}, "as asked"},
      {hdDownLeft, {5, 300}, 0, {Bounds(5, 300, W, H), hdDownRight, true}, "flips to the right"},
      {hdDownLeft, {500, 740}, 0, {Bounds(378, 677, W, H), hdUpLeft, true}, "flips above"},
      {hdDownLeft, {5, 740}, 0, {Bounds(5, 677, W, H), hdUpRight, true}, "flips both ways"},
  };
  for (const auto& c : cases) EXPECT_EQ(PlaceHint(c.Dir, W, H, c.Cursor, c.BelowOffset, SW, SH), c.Expected) << c.Why;
}

TEST(HintArrow, TriangleByDirection) {
  // 122 x 63 window, arrow 40 wide and 21 high, 20 from the side; text 14 high.
  // Upper base line 63 - 42 div 2 = 42, lower 21.
  struct Case {
    THintDirection Dir;
    bool Below;
    int CursorX;
    THintArrow Expected;
  } cases[] = {
      {hdAuto, true, 10, {{10, 0}, {20, 42}, {60, 42}, 35}},    // nearer the left side
      {hdAuto, true, 100, {{100, 0}, {102, 42}, {62, 42}, 35}}, // nearer the right side
      {hdAuto, true, 61, {{61, 0}, {41, 42}, {81, 42}, 35}},    // exactly in the middle
      {hdAuto, false, 10, {{10, 63}, {20, 21}, {60, 21}, 14}},  // above the cursor, pointing down
      {hdUpRight, true, 0, {{0, 63}, {20, 21}, {60, 21}, 14}},
      {hdUpLeft, true, 122, {{122, 63}, {102, 21}, {62, 21}, 14}},
      {hdDownRight, true, 0, {{0, 0}, {20, 42}, {60, 42}, 35}},
      {hdDownLeft, true, 122, {{122, 0}, {102, 42}, {62, 42}, 35}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(HintArrowTriangle(c.Dir, c.Below, 122, 63, c.CursorX, 40, 21, 20, 14), c.Expected) << c.Dir;
  // Odd heights: the halvings cut towards zero (64 - 43 div 2 = 43).
  EXPECT_EQ(HintArrowTriangle(hdDownRight, true, 122, 64, 0, 40, 21, 20, 15).Base1, (TPoint{20, 43}));
  EXPECT_EQ(HintArrowTriangle(hdUpRight, true, 122, 64, 0, 40, 21, 20, 15).TextY, 21 - 7);
  EXPECT_EQ(HintTextYWithoutArrow(44, 14), 14);
  EXPECT_EQ(HintTextYWithoutArrow(45, 15), 14);
}

TEST(HintArrow, BodyLeavesRoomOnTheArrowSide) {
  EXPECT_EQ(HintBodyRect(122, 63, true, true, 21), (TRect{0, 21, 122, 63}));
  EXPECT_EQ(HintBodyRect(122, 63, true, false, 21), (TRect{0, 0, 122, 42}));
  EXPECT_EQ(HintBodyRect(122, 63, false, true, 21), (TRect{0, 0, 122, 63}));
  EXPECT_TRUE(HintArrowPointsUp(hdAuto, true));
  EXPECT_FALSE(HintArrowPointsUp(hdAuto, false));
  EXPECT_TRUE(HintArrowPointsUp(hdDownLeft, false));
  EXPECT_FALSE(HintArrowPointsUp(hdUpRight, true));
  EXPECT_EQ(CutAngleOctagon({0, 0, 119, 33}, 15, 15),
            (std::vector<TPoint>{{15, 0}, {104, 0}, {119, 15}, {119, 18}, {104, 33}, {15, 33}, {0, 18}, {0, 15}}));
}

TEST(HintLayout, MainWindowHintBelowAButton) {
  THintLayoutInput in;
  in.HintStyle = hsRoundRect;
  in.TextWidth = 100;
  in.TextHeight = 14;
  in.Cursor = {40, 50};
  in.CursorExtent = 19; // ignored: an arrow anchors at the hot spot
  in.ScreenWidth = 1024;
  in.ScreenHeight = 768;
  THintLayout l = LayoutHint(in);
  EXPECT_EQ(l.Window, Bounds(40, 50, 122, 63));
  EXPECT_EQ(l.Displayed, dhCursorPoint);
  EXPECT_TRUE(l.BelowCursor);
  EXPECT_EQ(l.Arrow.Tip, (TPoint{0, 0}));
  EXPECT_EQ(l.Body, (TRect{0, 21, 122, 63}));
  EXPECT_EQ(l.TextRect, (TRect{11, 35, 111, 49}));

  in.ArrowStyle = asNone;
  l = LayoutHint(in);
  EXPECT_EQ(l.Displayed, dhOutCursorPoint);
  EXPECT_EQ(l.Window, Bounds(40, 69, 122, 42)); // just below the cursor image
  EXPECT_EQ(l.TextRect, (TRect{11, 13, 111, 27}));
}

TEST(HintBlend, FormulaAndGradients) {
  EXPECT_EQ(BlendChannel(200, 100, 20), 120); // the main window: 80 % wallpaper
  EXPECT_EQ(BlendChannel(200, 100, 0), 100);
  EXPECT_EQ(BlendChannel(200, 100, 100), 200);
  EXPECT_EQ(BlendChannel(255, 0, 33), 84); // 84.15 cut off
  EXPECT_EQ(BlendChannel(1, 0, 50), 0);
  EXPECT_EQ(BlendChannel(255, 255, 37), 255);
  struct Case {
    TTransparencyStyle Style;
    int X, Y, T;
  } cases[] = {
      {tsConstant, 7, 9, 50},    {tsHGradient, 0, 9, 50},  {tsHGradient, 100, 0, 100},
      {tsHGradient, 1, 0, 50},   {tsHGradient, 3, 0, 52},  {tsHGradient, 5, 0, 52}, // 0.5, 1.5, 2.5 to even
      {tsVGradient, 99, 20, 60}, {tsVGradient, 0, 40, 70}, {tsNone, 3, 3, 0},
  };
  for (auto c : cases) EXPECT_EQ(TransparencyAt(c.Style, 50, 100, 100, 100, c.X, c.Y), c.T) << c.Style << " " << c.X;
}

TEST(HintCursor, ExtentFromTheMask) {
  std::vector<uint32_t> colour(32, 0xFFFFFFFFu);
  colour[18] = 0xFFFF7FFFu; // one opaque pixel
  EXPECT_EQ(CursorExtent(colour, 0), 18);
  EXPECT_EQ(CursorExtent(colour, 5), 13);
  colour[3] = 0;
  EXPECT_EQ(CursorExtent(colour, 0), 18); // the lowest row counts
  EXPECT_EQ(CursorExtent(std::vector<uint32_t>(32, 0xFFFFFFFFu), 0), 32);
  std::vector<uint32_t> mono(64, 0xFFFFFFFFu); // transparent AND half, image drawn by XOR
  for (int r = 32; r < 64; ++r) mono[r] = 0;
  mono[32 + 20] = 0x00010000u;
  EXPECT_EQ(CursorExtent(mono, 2), 18);
}

TEST(HintText, JustifiedLines) {
  auto lines = JustifiedLines("one two three\r\n   \r\nfour five\r\nsix seven");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], (TJustifiedLine{"one two three", 0, true, 2}));
  EXPECT_EQ(lines[1], (TJustifiedLine{"four five", 2, true, 1}));  // the blank line keeps its row
  EXPECT_EQ(lines[2], (TJustifiedLine{"six seven", 3, false, 1})); // last line left-aligned
  auto single = JustifiedLines("nospaces\nlast line\n");
  ASSERT_EQ(single.size(), 2u);
  EXPECT_FALSE(single[0].Justify); // nothing to spread over
  EXPECT_FALSE(single[1].Justify);
  EXPECT_TRUE(JustifiedLines("").empty());
}

} // namespace
} // namespace qv
