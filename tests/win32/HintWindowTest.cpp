#include "ControlsHost.h"

namespace qv {
namespace {

using testing::HostForm;
using testing::Pump;

class HintWindowTest : public HostForm {
protected:
  void SetUp() override {
    HostForm::SetUp();
    Form->SetBounds(0, 0, 200, 150);
    Hint = new TBalloonHint(Form); // found among the main window's components
    Hint->HintStyle = hsRoundRect;
    Hint->Transparency = 20;
    Hint->HintColor = clWhite;
    Hint->SetActive(true);
  }
  void TearDown() override {
    Hint->SetActive(false);
    HostForm::TearDown();
  }
  TRegionHint* Window() { return dynamic_cast<TRegionHint*>(Application().HintWindow()); }
  TBalloonHint* Hint = nullptr;
};

TEST_F(HintWindowTest, InstalledThroughTheApplicationsHintWindowClass) {
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(Application().HintPause, 500);
  EXPECT_EQ(Application().HintHidePause, 5000);
  EXPECT_EQ(Application().HintShortPause, 25);
  Hint->SetActive(false);
  EXPECT_EQ(dynamic_cast<TRegionHint*>(Application().HintWindow()), nullptr);
  Hint->SetActive(true);
  EXPECT_NE(Window(), nullptr);
  EXPECT_EQ(TRegionHint::FindHintSettings(), Hint);
}

TEST_F(HintWindowTest, ShapedPlacedAndBlendedWithTheScreen) {
  SetCursorPos(600, 400); // far from the form: the screen there is the bare black root
  TRegionHint* w = Window();
  ASSERT_NE(w, nullptr);
  w->Font = Hint->HintFont;
  w->ActivateHint({0, 0, 300, 0}, "Close");
  Pump();
  const THintLayout& l = w->Layout();
  EXPECT_EQ(l.Window.Left, 600); // below and to the right of the hot spot
  EXPECT_EQ(l.Window.Top, 400);
  EXPECT_EQ(l.Window.Width(), 60); // a short text: as wide as the arrow's base and offset
  EXPECT_EQ(l.Arrow.Tip, (TPoint{0, 0}));
  RECT wr;
  GetWindowRect(w->Handle(), &wr);
  EXPECT_EQ(wr.left, 600);
  EXPECT_EQ(wr.right - wr.left, l.Window.Width());
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(w->Handle(), rgn), ERROR);
  EXPECT_FALSE(PtInRegion(rgn, l.Window.Width() - 1, 0));                     // beside the arrow: cut away
  EXPECT_TRUE(PtInRegion(rgn, l.Window.Width() / 2, l.Window.Height() - 12)); // body
  DeleteObject(rgn);
  // 20 % of the black screen and 80 % of white: 204.
  EXPECT_EQ(w->HintImage().Pixel(30, 40), RGBColor(204, 204, 204));
  EXPECT_TRUE(IsWindowVisible(w->Handle()));
}

TEST_F(HintWindowTest, FlipsAboveNearTheBottomEdge) {
  int sh = GetSystemMetrics(SM_CYSCREEN);
  SetCursorPos(500, sh - 5);
  Hint->Transparency = 100;
  TRegionHint* w = Window();
  w->Font = Hint->HintFont;
  w->ActivateHint({0, 0, 300, 0}, "Start examining your system.");
  const THintLayout& l = w->Layout();
  EXPECT_FALSE(l.BelowCursor);
  EXPECT_EQ(l.Window.Bottom, sh - 5);
  EXPECT_EQ(l.Arrow.Tip.Y, l.Window.Height());      // pointing down at the cursor
  EXPECT_EQ(w->HintImage().Pixel(30, 20), clBlack); // fully see-through: only the screen
}

} // namespace
} // namespace qv
