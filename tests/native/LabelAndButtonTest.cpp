#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "PlanRaster.h"
#include "controls/EffectLabel.h"
#include "controls/FlatMemo.h"
#include "controls/ImageButton.h"
#include "controls/LinkLabel.h"

namespace qv {

void PrintTo(const TLabelTextCopy& c, std::ostream* os) {
  *os << "(" << c.Offset.X << ", " << c.Offset.Y << ") " << c.Color;
}

namespace {

using qv::testing::PlanRaster;

TRotatedPlacement Turned(TRect client, int w, int h, int angle, TLabelAlign align = TLabelAlign::Left,
                         TVerticalAlignment valign = vaTop) {
  double rad = angle * std::numbers::pi / 180;
  return RotatedTextPlacement(client, w, h, angle, std::cos(rad), std::sin(rad), align, valign);
}

TEST(EffectLabel, AnglesAreReducedToOneTurn) {
  struct Case {
    int In, Out;
  } cases[] = {{-90, 270}, {720, 0}, {450, 90}, {359, 359}, {360, 0}, {-360, 0}, {-1, 359}, {0, 0}};
  for (auto c : cases) EXPECT_EQ(NormalizeAngle(c.In), c.Out) << c.In;
}

TEST(EffectLabel, RotationBoxesByQuadrant) {
  const TRect client{0, 0, 200, 100};
  struct Case {
    int Angle, W, H;
    TLabelAlign Align;
    TVerticalAlignment VAlign;
    int BoxW, BoxH;
    TPoint Origin;
    const char* Why;
  } cases[] = {
      {90, 60, 13, TLabelAlign::Left, vaTop, 13, 60, {0, 60}, "H wide, W high, origin bottom-left"},
      {90, 60, 13, TLabelAlign::Center, vaCenter, 13, 60, {93, 80}, "centred both ways: (200-13)/2, (100-60)/2"},
      {180, 60, 13, TLabelAlign::Left, vaTop, 60, 13, {60, 13}, "upside down: origin bottom-right"},
      {180, 60, 13, TLabelAlign::Right, vaTop, 60, 13, {200, 13}, "right-aligned"},
      {270, 60, 13, TLabelAlign::Left, vaBottom, 13, 60, {13, 40}, "reading downwards: origin top-right"},
      {60, 10, 10, TLabelAlign::Left, vaTop, 13, 13, {0, 8}, "5 + 8.66 and 8.66 + 5, cut towards zero"},
      {45, 100, 10, TLabelAlign::Left, vaTop, 77, 77, {0, 70}, "45 degrees"},
      {45, 300, 10, TLabelAlign::Left, vaTop, 200, 100, {0, 212}, "the box is limited to the client"},
  };
  for (const auto& c : cases) {
    TRotatedPlacement p = Turned(client, c.W, c.H, c.Angle, c.Align, c.VAlign);
    EXPECT_EQ(p.BoxWidth, c.BoxW) << c.Why;
    EXPECT_EQ(p.BoxHeight, c.BoxH) << c.Why;
    EXPECT_EQ(p.Origin, c.Origin) << c.Why;
  }
}

TEST(EffectLabel, UnturnedVerticalAlignment) {
  const TRect client{0, 0, 100, 40};
  EXPECT_EQ(VerticallyAlignedRect(client, 13, vaTop), client);
  EXPECT_EQ(VerticallyAlignedRect(client, 13, vaCenter), (TRect{0, 13, 100, 26}));
  EXPECT_EQ(VerticallyAlignedRect(client, 13, vaBottom), (TRect{0, 27, 100, 40}));
  // Taller than the label: centred, clipped equally at both ends (-11 / 2 = -5).
  EXPECT_EQ(VerticallyAlignedRect(client, 51, vaCenter), (TRect{0, -5, 100, 46}));
}

TEST(EffectLabel, TextCopiesByStyle) {
  using enum TShadowStyle;
  const TColor face = 0x123456;
  auto copies = [&](TShadowStyle s) { return LabelTextCopies(ShadowPreset(s, {}), true, face); };
  EXPECT_EQ(copies(ssThickShadow), (std::vector<TLabelTextCopy>{{{1, 1}, clBtnShadow},
                                                                {{2, 2}, clBtnShadow},
                                                                {{3, 3}, clBtnShadow},
                                                                {{4, 4}, clBtnShadow},
                                                                {{0, 0}, clBtnHighlight},
                                                                {{0, 0}, face}}));
  EXPECT_EQ(copies(ssShadow),
            (std::vector<TLabelTextCopy>{{{2, 2}, clBtnShadow}, {{0, 0}, clBtnHighlight}, {{0, 0}, face}}));
  EXPECT_EQ(copies(ssRaised), (std::vector<TLabelTextCopy>{{{-1, -1}, clBtnHighlight}, {{0, 0}, face}}));
  EXPECT_EQ(copies(ssRecessedShadow),
            (std::vector<TLabelTextCopy>{{{-1, -1}, clBtnShadow}, {{1, 1}, clBtnHighlight}, {{0, 0}, face}}));
  EXPECT_EQ(copies(ssNone), (std::vector<TLabelTextCopy>{{{0, 0}, face}}));
  // The home-page link: a custom style whose only effect is a black copy under the face.
  TLabelEffects link;
  link.ShadowStyle = ssCustom;
  link.HighlightColor = clBlack;
  EXPECT_EQ(LabelTextCopies(link, true, face), (std::vector<TLabelTextCopy>{{{0, 0}, clBlack}, {{0, 0}, face}}));
  // Disabled: embossed, effects ignored.
  EXPECT_EQ(LabelTextCopies(ShadowPreset(ssThickShadow, {}), false, face),
            (std::vector<TLabelTextCopy>{{{1, 1}, clBtnHighlight}, {{0, 0}, clBtnShadow}}));
  EXPECT_EQ(ShadowPresetFontColor(ssRaisedColor), clBtnFace);
  EXPECT_EQ(ShadowPresetFontColor(ssRecessedColor), clBtnFace);
  EXPECT_FALSE(ShadowPresetFontColor(ssRaisedShadow));
  EXPECT_EQ(DirectionStep(drUpRight), (TPoint{1, -1}));
  EXPECT_EQ(DirectionStep(drDownLeft), (TPoint{-1, 1}));
}

TEST(EffectLabel, HandSetValuesMakeTheStyleCustom) {
  using enum TShadowStyle;
  TLabelEffectsModel m;
  EXPECT_TRUE(m.SetShadowStyle(ssShadow));
  EXPECT_EQ(m.Values().ShadowDepth, 2);
  EXPECT_EQ(m.Values().ShadowStyle, ssShadow);
  EXPECT_FALSE(m.SetShadowDepth(2)); // same value: nothing changes, the style stays
  EXPECT_EQ(m.Values().ShadowStyle, ssShadow);
  EXPECT_TRUE(m.SetShadowDepth(3));
  EXPECT_EQ(m.Values().ShadowStyle, ssCustom);
  EXPECT_TRUE(m.SetShadowStyle(ssShadow));
  EXPECT_EQ(m.Values().ShadowDepth, 2);
  EXPECT_TRUE(m.SetShadowStyle(ssCustom)); // applies nothing
  EXPECT_EQ(m.Values().ShadowDepth, 2);
  EXPECT_TRUE(m.SetHighlightColor(clBlack));
  EXPECT_EQ(m.Values().ShadowStyle, ssCustom);
}

TEST(LinkLabel, ColoursAndOpeningByState) {
  TUrlLinkState s;
  EXPECT_EQ(s.FontColor(), 0xFF0000u);
  EXPECT_TRUE(s.Underlined());
  s.LeftPress();
  EXPECT_EQ(s.FontColor(), s.ActivatedColor);
  EXPECT_EQ(s.LeftRelease(155, 15, 155, 15, "http://example.invalid/", "caption"),
            std::optional<std::string>("http://example.invalid/")); // the edges count as inside
  EXPECT_TRUE(s.Visited());
  EXPECT_FALSE(s.Pressed());
  EXPECT_EQ(s.FontColor(), s.VisitedColor);
  s.MouseLeave();
  s.MouseEnter();
  EXPECT_EQ(s.FontColor(), s.VisitedColor); // stays visited

  TUrlLinkState empty;
  empty.LeftPress();
  EXPECT_EQ(empty.LeftRelease(3, 3, 10, 10, "", "Who is it?"), std::optional<std::string>("Who is it?"));

  TUrlLinkState off;
  off.LeftPress();
  off.MouseLeave();
  EXPECT_EQ(off.FontColor(), off.UnvisitedColor); // leaving while held
  off.MouseEnter();
  EXPECT_EQ(off.FontColor(), off.ActivatedColor); // back on it
  EXPECT_EQ(off.LeftRelease(156, 3, 155, 15, "u", "c"), std::nullopt);
  EXPECT_EQ(off.LeftRelease(3, -1, 155, 15, "u", "c"), std::nullopt);
  EXPECT_EQ(off.FontColor(), off.UnvisitedColor);
  EXPECT_FALSE(off.Visited());
  EXPECT_EQ(off.LeftRelease(3, 3, 155, 15, "u", "c"), std::nullopt); // a release without a press
}

TEST(LinkLabel, HoverAndColourSetters) {
  TUrlLinkState s;
  s.SetCanHover(true);
  EXPECT_FALSE(s.Underlined());
  s.MouseEnter();
  EXPECT_TRUE(s.Underlined());
  EXPECT_EQ(s.FontColor(), s.HoveredColor);
  s.MouseLeave();
  EXPECT_FALSE(s.Underlined());
  EXPECT_EQ(s.FontColor(), s.UnvisitedColor);
  s.SetCanHover(false);
  EXPECT_TRUE(s.Underlined());

  TUrlLinkState v;
  v.LeftPress();
  v.LeftRelease(1, 1, 10, 10, "u", "c");
  v.SetUnvisitedColor(0x00FF00);
  EXPECT_EQ(v.FontColor(), v.VisitedColor); // nothing visible until the state changes
  v.SetVisitedColor(0x0000AA);
  EXPECT_EQ(v.FontColor(), 0x0000AAu);
  v.FontChanged(0x111111); // giving the font a colour sets the colour of the current state
  EXPECT_EQ(v.VisitedColor, 0x111111u);
  EXPECT_EQ(v.UnvisitedColor, 0x00FF00u);
  TUrlLinkState u;
  u.FontChanged(clBlack);
  EXPECT_EQ(u.UnvisitedColor, clBlack);
  u.LeftPress();
  u.FontChanged(0x222222); // not while pressed
  EXPECT_EQ(u.UnvisitedColor, clBlack);
}

TEST(LinkLabel, CursorTable) {
  const auto& t = UrlCursorTable();
  ASSERT_EQ(t.size(), 5u);
  EXPECT_EQ(t[0].Index, crHandPoint);
  EXPECT_STREQ(t[0].ResourceName, "PRO_HANDPOINT");
  EXPECT_EQ(t[4].Index, 15004);
  EXPECT_STREQ(t[4].ResourceName, "PRO_DRAGHAND");
}

TEST(ImageButton, StateRules) {
  TButtonImages all{true, true, true, true, true};
  TButtonImages none;
  EXPECT_EQ(ImageOnEnter(true, all), biOver);
  EXPECT_EQ(ImageOnEnter(false, all), std::nullopt); // hovering a disabled button changes nothing
  EXPECT_EQ(ImageOnEnter(true, none), std::nullopt);
  EXPECT_EQ(ImageOnLeave(true, all), biNormal);
  EXPECT_EQ(ImageOnLeave(false, all), std::nullopt);
  EXPECT_EQ(ImageOnPress(true, all), biDown);
  EXPECT_EQ(ImageOnPress(false, all), std::nullopt);
  EXPECT_EQ(ImageOnRelease(all, true), biUp);
  EXPECT_EQ(ImageOnRelease(all, false), biNormal); // dragged off before release
  TButtonImages noUp = all;
  noUp.Up = false;
  EXPECT_EQ(ImageOnRelease(noUp, true), biOver);
  EXPECT_EQ(ImageOnRelease(noUp, false), biOver);
  EXPECT_TRUE(PaintsDisabledImage(false, all));
  EXPECT_FALSE(PaintsDisabledImage(false, none)); // no disabled face: the current image
  EXPECT_FALSE(PaintsDisabledImage(true, all));
}

TEST(FlatMemo, HighlightRule) {
  struct Case {
    bool Designing, Focused, In, ActiveIsMemo, Highlighted;
  } cases[] = {
      {false, true, false, true, true},                                      // the focused memo stays highlighted
      {false, false, true, false, true},                                     // hover with no memo focused
      {false, false, true, true, false},                                     // hover while another memo holds the focus
      {false, false, false, false, false}, {true, true, true, false, false}, // never in the designer
  };
  for (auto c : cases)
    EXPECT_EQ(FlatMemoHighlighted(c.Designing, c.Focused, c.In, c.ActiveIsMemo), c.Highlighted)
        << c.Focused << c.In << c.ActiveIsMemo;
}

TEST(FlatMemo, ThreeRingsAndTheScrollCorner) {
  PlanRaster px(100, 60);
  px.Run(FlatMemoBorderPlan(100, 60, false, 0xB0, 0xF0));
  for (int x : {0, 50, 99}) EXPECT_EQ(px.At(x, 0), 0xB0u);
  EXPECT_EQ(px.At(0, 30), 0xB0u);
  EXPECT_EQ(px.At(1, 30), 0xF0u);
  EXPECT_EQ(px.At(2, 30), 0xF0u);
  EXPECT_EQ(px.At(3, 30), 0x123456u); // the client area starts 3 pixels in
  EXPECT_EQ(px.At(97, 57), 0xF0u);
  EXPECT_EQ(px.At(96, 56), 0x123456u);
  PlanRaster both(100, 60);
  both.Run(FlatMemoBorderPlan(100, 60, true, 0xB0, 0xF0));
  EXPECT_EQ(both.At(81, 41), 0xF0u); // 16 x 16 corner inside the rings
  EXPECT_EQ(both.At(96, 56), 0xF0u);
  EXPECT_EQ(both.At(80, 41), 0x123456u);
  EXPECT_EQ(both.At(81, 40), 0x123456u);
}

} // namespace
} // namespace qv
