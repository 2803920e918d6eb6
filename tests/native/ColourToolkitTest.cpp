#include <gtest/gtest.h>

#include "controls/ColourShift.h"
#include "controls/Hsl.h"

namespace qv {

void PrintTo(const THslScaled& v, std::ostream* os) { *os << "(" << v.H << ", " << v.S << ", " << v.L << ")"; }

namespace {

TColor Grey(int v) { return RGBColor(uint8_t(v), uint8_t(v), uint8_t(v)); }

TColor FakeSystemColors(int index) {
  switch (index) {
    case 15:
      return Grey(192); // button face
    case 16:
      return Grey(128); // button shadow
    default:
      return RGBColor(1, 2, 3);
  }
}

struct ScaledCase {
  TColor Rgb;
  THslScaled Hsl;
  const char* Why;
};

TEST(ColourToolkit, ScaledHslRoundsOnThe240StepScale) {
  const ScaledCase cases[] = {
      {clWhite, {0, 0, 240}, "white"},
      {clBlack, {0, 0, 0}, "black"},
      {RGBColor(255, 0, 0), {0, 240, 120}, "red"},
      {RGBColor(0, 0, 255), {159, 240, 120}, "hue uses 239 steps: 2/3 of 239 is 159.3"},
      {RGBColor(0, 255, 255), {120, 240, 120}, "cyan: 119.5 goes to the even 120"},
      {RGBColor(255, 0, 255), {199, 240, 120}, "negative hue wraps round"},
      {RGBColor(255, 25, 16), {2, 240, 128}, "hue 1.5 goes up to 2"},
      {RGBColor(255, 31, 16), {2, 240, 128}, "hue 2.5 goes down to the even 2"},
      {RGBColor(97, 95, 95), {0, 2, 90}, "saturation 2.5 goes down to 2"},
      {RGBColor(33, 31, 31), {0, 8, 30}, "saturation 7.5 goes up to 8"},
      {RGBColor(200, 100, 100), {0, 114, 141}, "light half: 100 / 210, not 100 / 300"},
  };
  for (const auto& c : cases) EXPECT_EQ(ColorToHslScaled(c.Rgb), c.Hsl) << c.Why;
}

TEST(ColourToolkit, ScaledHslBackToRgb) {
  EXPECT_EQ(HslScaledToColor(0, 240, 120), RGBColor(255, 0, 0));
  EXPECT_EQ(HslScaledToColor(0, 0, 240), clWhite);
  EXPECT_EQ(HslScaledToColor(0, 0, 0), clBlack);
  // Hue 159 of 239 is not quite two thirds, so a trace of green remains.
  EXPECT_EQ(HslScaledToColor(159, 240, 120), RGBColor(0, 2, 255));
  // Greys: 100/240 of 255 is 106.25, 200/240 is exactly 212.5 and goes to the even 212.
  EXPECT_EQ(HslScaledToColor(0, 0, 100), Grey(106));
  EXPECT_EQ(HslScaledToColor(0, 0, 200), Grey(212));
}

TEST(ColourToolkit, HueToChannelWrapsOnceAndPicksTheSegment) {
  EXPECT_EQ(HueToChannel(0, 1, -0.9), HueToChannel(0, 1, 0.1));
  EXPECT_EQ(HueToChannel(0, 1, 1.1), HueToChannel(0, 1, 0.1));
  EXPECT_EQ(HueToChannel(0, 1, 0.1), 153); // rising: 0.6 of 255
  EXPECT_EQ(HueToChannel(0, 1, 0.4), 255); // plateau
  EXPECT_EQ(HueToChannel(0, 1, 0.6), 102); // falling: 0.4 of 255
  EXPECT_EQ(HueToChannel(0, 1, 0.9), 0);   // floor
  EXPECT_EQ(HueToChannel(0.2, 1, 0.9), 51);
}

TEST(ColourToolkit, ShiftLightness) {
  auto resolve = SystemColorResolver(FakeSystemColors);
  struct Case {
    TColor Base, Current;
    int Amount;
    bool Darker;
    TColor Expected;
    const char* Why;
  };
  const Case cases[] = {
      {clWhite, RGBColor(9, 8, 7), 0, false, RGBColor(9, 8, 7), "amount 0 keeps the current colour"},
      {clWhite, clBtnShadow, 0, true, clBtnShadow, "unchanged even when it is a system colour"},
      {clWhite, clBlack, 10, false, Grey(106), "lighter is capped at 100 of 240, not 240"},
      {clBlack, clBlack, 10, false, Grey(21), "black lighter: 0 + 10 + 10"},
      {clWhite, clBlack, 50, true, Grey(212), "white darker: 240 + 10 - 50"},
      {clBlack, clWhite, 50, true, clBlack, "darker stops at 0"},
      {Grey(128), clWhite, 100, false, Grey(106), "cap also for a mid grey"},
      {clBtnFace, clBlack, 50, true, Grey(150), "system base colour resolved first: 181 + 10 - 50"},
      {clWhite, clBlack, 5, true, clWhite, "past 240 the channels stop at 255"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ShiftLightness(c.Base, c.Current, c.Amount, c.Darker, resolve), c.Expected) << c.Why;
}

TEST(ColourToolkit, ColorToRgbResolvesOnlySystemColours) {
  auto resolve = SystemColorResolver(FakeSystemColors);
  EXPECT_EQ(ColorToRGB(clBtnFace, resolve), Grey(192));
  EXPECT_EQ(ColorToRGB(clBtnShadow, resolve), Grey(128));
  EXPECT_EQ(ColorToRGB(QuorvelBorderBlue, resolve), RGBColor(0, 85, 234));
  EXPECT_EQ(ColorToRGB(0x0000000F, resolve), RGBColor(15, 0, 0));
}

} // namespace
} // namespace qv
