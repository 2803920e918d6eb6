#include "ControlsHost.h"

namespace qv {
namespace {

using testing::HostForm;
using testing::Mouse;
using testing::Pump;

const TColor Blue = RGBColor(0, 85, 234), TabBlue = RGBColor(123, 153, 225), Green = RGBColor(0, 200, 0);

class FlatTabTest : public HostForm {
protected:
  void SetUp() override {
    HostForm::SetUp();
    Tab = new TFlatTabStrip(Root.get());
    Tab->ParentColor = false;
    Tab->SetColor(clWhite);
    Tab->SetFont(TFont("MS Sans Serif", -12));
    Tab->SetColorBorder(QuorvelBorderBlue);
    Tab->SetColorUnselectedTab(QuorvelTabBlue);
    Tab->SetBounds(10, 10, 452, 282);
    Tab->SetTabs({" Welcome ", "&Devices"});
    Tab->SetParent(Form);
    Tab->OnTabChanged = [this](TControl*) { ++Changes; };
    Pump();
  }
  TFlatTabStrip* Tab = nullptr;
  int Changes = 0;
};

TEST_F(FlatTabTest, FrameStripAndTheSelectedTabsOpenEdge) {
  Tab->SetActiveTab(1);
  TBitmap px;
  Print(*Tab, px);
  const TRect a = Tab->TabRects()[1], first = Tab->TabRects()[0];
  ASSERT_GT(a.Width(), 30);
  EXPECT_EQ(first.Left, 0);
  EXPECT_EQ(a.Left, first.Right + 4);
  EXPECT_EQ(px.Pixel(0, 16), Blue); // strip line left of the selected tab
  EXPECT_EQ(px.Pixel(a.Left, 16), Blue);
  for (int x = a.Left + 1; x <= a.Right - 2; ++x) ASSERT_EQ(px.Pixel(x, 16), clWhite) << x; // open edge
  EXPECT_EQ(px.Pixel(a.Right - 1, 16), Blue);
  EXPECT_EQ(px.Pixel(451, 16), Blue);
  EXPECT_EQ(px.Pixel(a.Left + 3, 0), Blue);        // the selected tab's top outline
  EXPECT_EQ(px.Pixel(first.Left + 2, 2), TabBlue); // unselected tab fill
  EXPECT_EQ(px.Pixel(first.Right + 1, 5), Green);  // gap between tabs: the parent's colour
  EXPECT_EQ(px.Pixel(440, 5), Green);              // after the last tab
  EXPECT_EQ(px.Pixel(0, 200), Blue);               // page frame
  EXPECT_EQ(px.Pixel(451, 200), Blue);
  EXPECT_EQ(px.Pixel(200, 281), Blue);
  EXPECT_EQ(px.Pixel(200, 200), clWhite); // page
}

TEST_F(FlatTabTest, DisabledStripShowsTheSelectedCaptionInTheTabBlue) {
  Tab->SetActiveTab(0);
  Tab->SetEnabled(false);
  TBitmap px;
  Print(*Tab, px);
  TRect q = Tab->TabRects()[0];
  int blue = 0, black = 0;
  for (int y = q.Top + 1; y < q.Bottom; ++y)
    for (int x = q.Left + 1; x < q.Right - 1; ++x) {
      TColor c = px.Pixel(x, y);
      blue += c == TabBlue;
      black += c == clBlack;
    }
  EXPECT_GT(blue, 10); // "Welcome" in 123, 153, 225 on white
  EXPECT_EQ(black, 0);
}

TEST_F(FlatTabTest, AnyButtonSelectsAndAssignmentsAlwaysNotify) {
  Tab->SetActiveTab(0);
  Changes = 0;
  TRect b = Tab->TabRects()[1];
  Mouse(Tab->Handle(), WM_RBUTTONDOWN, b.Left + 5, 5, MK_RBUTTON);
  Mouse(Tab->Handle(), WM_RBUTTONUP, b.Left + 5, 5);
  EXPECT_EQ(Tab->ActiveTab(), 1);
  EXPECT_EQ(Changes, 1);
  Mouse(Tab->Handle(), WM_LBUTTONDOWN, b.Left + 5, 5, MK_LBUTTON); // already selected: nothing
  Mouse(Tab->Handle(), WM_LBUTTONUP, b.Left + 5, 5);
  EXPECT_EQ(Changes, 1);
  Tab->SetActiveTab(99);
  EXPECT_EQ(Tab->ActiveTab(), 1);
  Tab->SetActiveTab(-3);
  EXPECT_EQ(Tab->ActiveTab(), 0);
  Tab->SetActiveTab(0);
  EXPECT_EQ(Changes, 4);
  // "d" typed as a dialog character picks the tab captioned with "&Devices".
  SendMessageA(Tab->Handle(), WM_CHAR, 'd', 0);
  EXPECT_EQ(Tab->ActiveTab(), 1);
  EXPECT_EQ(Tab->Tabs()[0], "Welcome"); // blanks trimmed
}

TEST_F(FlatTabTest, BottomStripMovesThePagesByTheStripHeight) {
  auto* page = new TPanel(Root.get());
  page->SetBounds(4, 24, 440, 250);
  page->SetParent(Tab);
  Tab->SetTabPosition(tpBottom);
  EXPECT_EQ(page->Top(), 8);
  TBitmap px;
  Print(*Tab, px);
  EXPECT_EQ(px.Pixel(0, 265), Blue);
  Tab->SetTabPosition(tpTop);
  EXPECT_EQ(page->Top(), 24);
}

class FlatCheckBoxTest : public HostForm {
protected:
  void SetUp() override {
    HostForm::SetUp();
    Box = new TFlatCheckBox(Root.get());
    Box->SetColor(clWhite);
    Box->SetColors(clWhite, clWhite, QuorvelBorderBlue, clBlack);
    Box->SetFont(TFont("MS Sans Serif", -12));
    Box->SetCaption("MMX");
    Box->SetBounds(20, 20, 75, 15);
    Box->SetParent(Form);
    Box->OnClick = [this](TControl*) { ++Clicks; };
    Box->OnMouseDown = [this](TControl*, TMouseButton, unsigned, int, int) { ++Downs; };
    Pump();
  }
  TFlatCheckBox* Box = nullptr;
  int Clicks = 0, Downs = 0;
};

TEST_F(FlatCheckBoxTest, CheckedBoxShowsTheMarkAndFrame) {
  Box->SetChecked(true);
  EXPECT_EQ(Clicks, 1);
  Box->SetChecked(true);
  EXPECT_EQ(Clicks, 1); // the same value raises nothing
  TBitmap px;
  Print(*Box, px);
  const std::vector<std::string> expected = {"###########", "#.........#", "#.......x.#", "#......xx.#",
                                             "#.x...xxx.#", "#.xx.xxx..#", "#.xxxxx...#", "#..xxx....#",
                                             "#...x.....#", "#.........#", "###########"};
  for (int y = 0; y < 11; ++y) {
    std::string row;
    for (int x = 0; x < 11; ++x) {
      TColor c = px.Pixel(1 + x, 3 + y);
      row += c == clBlack ? '#' : c == Blue ? 'x' : c == clWhite ? '.' : '?';
    }
    EXPECT_EQ(row, expected[size_t(y)]) << "row " << y;
  }
}

TEST_F(FlatCheckBoxTest, LeftClickTogglesRightClickIsIgnored) {
  HWND w = Box->Handle();
  Mouse(w, WM_MOUSEMOVE, 5, 7);
  ASSERT_TRUE(Box->MouseInControl()) << "the box did not see the pointer enter";
  Mouse(w, WM_RBUTTONDOWN, 5, 7, MK_RBUTTON);
  Mouse(w, WM_RBUTTONUP, 5, 7);
  EXPECT_FALSE(Box->Checked());
  EXPECT_EQ(Downs, 0);
  Mouse(w, WM_LBUTTONDOWN, 5, 7, MK_LBUTTON);
  EXPECT_TRUE(Box->MouseIsDown());
  EXPECT_EQ(Downs, 1);
  // Dragged off while held: the release still toggles.
  Mouse(w, WM_MOUSEMOVE, 200, 100, MK_LBUTTON);
  Mouse(w, WM_LBUTTONUP, 200, 100);
  EXPECT_TRUE(Box->Checked());
  EXPECT_EQ(Clicks, 1);
  EXPECT_FALSE(Box->MouseIsDown());
}

TEST_F(FlatCheckBoxTest, ClickWithoutATrackedPointerDoesNotToggle) {
  HWND w = Box->Handle();
  Mouse(w, WM_LBUTTONDOWN, 5, 7, MK_LBUTTON);
  Mouse(w, WM_LBUTTONUP, 5, 7);
  EXPECT_FALSE(Box->Checked());
  EXPECT_TRUE(Box->HasFocus());
}

class ProgressBarTest : public HostForm {
protected:
  void SetUp() override {
    HostForm::SetUp();
    Bar = new TGradientBar(Root.get());
    Bar->SetBounds(10, 10, 300, 16);
    Bar->SetParent(Form);
    Bar->SetBackgroundColor(clWhite);
    Bar->SetBorderColors(clBlack, clBlack);
    Bar->SetBarColorStyle(cs1Color);
    Bar->SetBarColors(RGBColor(200, 0, 0), clBlack, clBlack);
    Bar->SetShowPosText(false);
  }
  TGradientBar* Bar = nullptr;
};

TEST_F(ProgressBarTest, FilledLengthAndBorder) {
  Bar->SetPosition(50);
  TBitmap px(300, 16);
  Bar->Paint(px.Canvas());
  GdiFlush();
  for (int x = 1; x <= 149; ++x) ASSERT_EQ(px.Pixel(x, 8), RGBColor(200, 0, 0)) << x;
  for (int x = 150; x <= 298; ++x) ASSERT_EQ(px.Pixel(x, 8), clWhite) << x;
  for (int x = 0; x < 300; ++x) {
    ASSERT_EQ(px.Pixel(x, 0), clBlack) << x;
    ASSERT_EQ(px.Pixel(x, 15), clBlack) << x;
  }
  EXPECT_EQ(px.Pixel(0, 8), clBlack);
  EXPECT_EQ(px.Pixel(299, 8), clBlack);
}

TEST_F(ProgressBarTest, OutOfRangePositionsAreIgnoredAndTheTextIsCentred) {
  Bar->SetPosition(40);
  Bar->SetPosition(101);
  Bar->SetPosition(-1);
  EXPECT_EQ(Bar->Position(), 40);
  Bar->SetShowPosText(true);
  Bar->SetPosTextSuffix("%");
  Bar->SetFont(TFont("Arial", -11, 0, RGBColor(0, 0, 255)));
  TBitmap px(300, 16);
  Bar->Paint(px.Canvas());
  GdiFlush();
  int textLeft = 300, textRight = -1;
  for (int y = 1; y < 15; ++y)
    for (int x = 1; x < 299; ++x)
      if (px.Pixel(x, y) == RGBColor(0, 0, 255)) textLeft = std::min(textLeft, x), textRight = std::max(textRight, x);
  ASSERT_GE(textRight, 0) << "no position text";
  EXPECT_NEAR((textLeft + textRight) / 2.0, 150, 3);
}

TEST_F(ProgressBarTest, GradientIsRenderedOnceForPositionChanges) {
  Bar->SetBarColorStyle(cs2Colors);
  Bar->SetBarColors(clBlack, clWhite, clBlack);
  Pump();
  int builds = Bar->BarImageBuilds();
  ASSERT_GT(builds, 0);
  Bar->SetPosition(10);
  Bar->SetPosition(90);
  EXPECT_EQ(Bar->BarImageBuilds(), builds);
  TBitmap px(300, 16);
  Bar->Paint(px.Canvas()); // an ordinary paint renders again
  GdiFlush();
  EXPECT_EQ(Bar->BarImageBuilds(), builds + 1);
  EXPECT_EQ(px.Pixel(1, 5), RGBColor(1, 1, 1));         // index 2 of 300: 255 / 299 rounds to 1
  EXPECT_EQ(px.Pixel(150, 5), RGBColor(128, 128, 128)); // 150 x 255 / 299 = 127.9
}

class FlatMemoTest : public HostForm {
protected:
  TFlatMemo* MakeMemo(int left) {
    auto* m = new TFlatMemo(Root.get());
    m->SetColorBorder(RGBColor(200, 0, 0));
    m->SetColorFlat(RGBColor(0, 0, 200));
    m->SetColorFocused(RGBColor(250, 250, 0));
    m->SetBounds(left, 20, 120, 60);
    m->SetParent(Form);
    Pump();
    return m;
  }
};

TEST_F(FlatMemoTest, ThreeRingsInFlatAndFocusedColours) {
  TFlatMemo* m = MakeMemo(20);
  TFlatMemo* other = MakeMemo(200);
  m->RedrawBorder();
  HWND w = m->Handle();
  EXPECT_EQ(WindowPixel(w, 0, 30, true), RGBColor(200, 0, 0));
  EXPECT_EQ(WindowPixel(w, 60, 59, true), RGBColor(200, 0, 0));
  EXPECT_EQ(WindowPixel(w, 1, 30, true), RGBColor(0, 0, 200));
  EXPECT_EQ(WindowPixel(w, 2, 30, true), RGBColor(0, 0, 200));
  RECT client;
  GetClientRect(w, &client);
  EXPECT_EQ(client.bottom, 60 - 6); // three pixels off every side
  m->SetFocus();
  Pump();
  EXPECT_TRUE(m->Highlighted());
  EXPECT_EQ(WindowPixel(w, 0, 30, true), RGBColor(200, 0, 0));
  EXPECT_EQ(WindowPixel(w, 1, 30, true), RGBColor(250, 250, 0));
  EXPECT_EQ(WindowPixel(w, 2, 30, true), RGBColor(250, 250, 0));
  // The pointer over the second memo while the first holds the focus: no highlight there.
  Mouse(other->Handle(), WM_MOUSEMOVE, 20, 20);
  EXPECT_TRUE(other->MouseInControl());
  EXPECT_FALSE(other->Highlighted());
  EXPECT_EQ(WindowPixel(other->Handle(), 1, 30, true), RGBColor(0, 0, 200));
  EXPECT_TRUE(m->Highlighted());
}

TEST_F(FlatMemoTest, ParentColourAndFlatColour) {
  TFlatMemo* m = MakeMemo(20);
  EXPECT_FALSE(m->ParentColor); // setting ColorFlat turned it off
  m->SetParentColor(true);
  EXPECT_EQ(m->ColorFlat(), Green);
  m->SetColorFlat(clWhite);
  EXPECT_FALSE(m->ParentColor);
}

} // namespace
} // namespace qv
