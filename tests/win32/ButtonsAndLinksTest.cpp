#include "ControlsHost.h"

#include "app/BusyWindow_win32.h"
#include "app/MainWindow_win32.h"
#include "cpu/Cpuid.h"

namespace qv {
namespace {

using testing::HostForm;
using testing::Mouse;
using testing::Pump;

TBitmap Solid(int w, int h, TColor c) {
  TBitmap b(w, h);
  b.Canvas().Brush.Color = c;
  b.Canvas().FillRect({0, 0, w, h});
  return b;
}

const TColor NormalC = RGBColor(10, 10, 10), OverC = RGBColor(20, 20, 20), DownC = RGBColor(30, 30, 30),
             UpC = RGBColor(40, 40, 40), DisabledC = RGBColor(50, 50, 50);

class ImageButtonTest : public HostForm {
protected:
  void SetUp() override {
    HostForm::SetUp();
    Button = new TImageButton(Root.get());
    Button->SetBounds(30, 30, 10, 10);
    Button->SetBitmap(Solid(71, 23, NormalC));
    Button->SetBitmapOver(Solid(71, 23, OverC));
    Button->SetBitmapDown(Solid(71, 23, DownC));
    Button->SetBitmapUp(Solid(71, 23, UpC));
    Button->SetBitmapDisabled(Solid(71, 22, DisabledC));
    Button->SetParent(Form);
    Button->OnMouseDown = [this](TControl*, TMouseButton, unsigned, int, int) { Events += "down "; };
    Button->OnMouseUp = [this](TControl*, TMouseButton, unsigned, int, int) { Events += "up "; };
    Button->OnClick = [this](TControl*) {
      Events += "click ";
      ShownAtClick = FormPixel(35, 35);
    };
    Form->Update();
  }
  TColor FormPixel(int x, int y) { return WindowPixel(Form->Handle(), x, y); }
  TImageButton* Button = nullptr;
  std::string Events;
  TColor ShownAtClick = 0;
};

TEST_F(ImageButtonTest, TakesTheSizeOfItsPicture) {
  EXPECT_EQ(Button->Width(), 71);
  EXPECT_EQ(Button->Height(), 23);
  EXPECT_EQ(FormPixel(35, 35), NormalC);
}

TEST_F(ImageButtonTest, ClickComesBeforeTheReleaseImage) {
  HWND f = Form->Handle();
  Mouse(f, WM_MOUSEMOVE, 35, 35);
  EXPECT_EQ(FormPixel(35, 35), OverC);
  Mouse(f, WM_LBUTTONDOWN, 35, 35, MK_LBUTTON);
  EXPECT_EQ(FormPixel(35, 35), DownC);
  Mouse(f, WM_LBUTTONUP, 35, 35);
  EXPECT_EQ(Events, "down click up ");
  EXPECT_EQ(ShownAtClick, DownC);                       // the command runs under the pressed picture
  EXPECT_EQ(FormPixel(35, 35), UpC);                    // released over the button
  EXPECT_EQ(Button->CurrentImage().Pixel(0, 0), DownC); // a repaint would show the pressed one
}

TEST_F(ImageButtonTest, PressDragOffReleaseShowsTheNormalPictureWithoutAClick) {
  HWND f = Form->Handle();
  Mouse(f, WM_MOUSEMOVE, 35, 35);
  Mouse(f, WM_LBUTTONDOWN, 35, 35, MK_LBUTTON);
  Mouse(f, WM_MOUSEMOVE, 300, 250, MK_LBUTTON);
  Mouse(f, WM_LBUTTONUP, 300, 250);
  EXPECT_EQ(Events, "down up ");
  EXPECT_EQ(FormPixel(35, 35), NormalC);
}

TEST_F(ImageButtonTest, RightClickAndDisabledButtonDoNothing) {
  HWND f = Form->Handle();
  Mouse(f, WM_MOUSEMOVE, 35, 35);
  Mouse(f, WM_RBUTTONDOWN, 35, 35, MK_RBUTTON);
  Mouse(f, WM_RBUTTONUP, 35, 35);
  EXPECT_EQ(Events, "");
  EXPECT_EQ(FormPixel(35, 35), OverC);
  Mouse(f, WM_MOUSEMOVE, 300, 250);
  Button->SetEnabled(false);
  Form->Update();
  EXPECT_EQ(FormPixel(35, 35), DisabledC);
  EXPECT_EQ(Button->Height(), 22); // the disabled picture's size
  Mouse(f, WM_MOUSEMOVE, 35, 35);
  Mouse(f, WM_LBUTTONDOWN, 35, 35, MK_LBUTTON);
  Mouse(f, WM_LBUTTONUP, 35, 35);
  EXPECT_EQ(Events, "");
}

class UrlLabelTest : public HostForm {
protected:
  void SetUp() override {
    HostForm::SetUp();
    Saved = TLinkLabel::OpenLink;
    TLinkLabel::OpenLink = [this](const std::string& s) { Opened.push_back(s); };
    Link = new TLinkLabel(Root.get());
    Link->SetBounds(30, 100, 155, 15);
    Link->SetCaption("Who is it?");
    Link->SetFont(TFont("MS Sans Serif", -12, fsUnderline, QuorvelValueBlue));
    Link->SetUnvisitedColor(QuorvelValueBlue);
    Link->SetVisitedColor(clBlack);
    Link->SetParent(Form);
  }
  void TearDown() override {
    TLinkLabel::OpenLink = Saved;
    HostForm::TearDown();
  }
  std::function<void(const std::string&)> Saved;
  std::vector<std::string> Opened;
  TLinkLabel* Link = nullptr;
};

TEST_F(UrlLabelTest, PressDragOffReleaseOpensNothing) {
  HWND f = Form->Handle();
  Mouse(f, WM_MOUSEMOVE, 40, 105);
  Mouse(f, WM_LBUTTONDOWN, 40, 105, MK_LBUTTON);
  EXPECT_EQ(Link->Font().Color, RGBColor(255, 0, 0)); // activated: $0000FF, red
  Mouse(f, WM_MOUSEMOVE, 40, 200, MK_LBUTTON);
  Mouse(f, WM_LBUTTONUP, 40, 200);
  EXPECT_TRUE(Opened.empty());
  EXPECT_EQ(Link->Font().Color, QuorvelValueBlue);
  EXPECT_FALSE(Link->Link().Visited());
}

TEST_F(UrlLabelTest, ClickOpensTheCaptionWhenThereIsNoUrlThenTheUrl) {
  HWND f = Form->Handle();
  Mouse(f, WM_MOUSEMOVE, 40, 105);
  Mouse(f, WM_LBUTTONDOWN, 40, 105, MK_LBUTTON);
  Mouse(f, WM_LBUTTONUP, 40, 105);
  ASSERT_EQ(Opened.size(), 1u);
  EXPECT_EQ(Opened[0], "Who is it?");
  EXPECT_EQ(Link->Font().Color, clBlack); // visited
  Link->URL = "http://127.0.0.1/ipw.cgi?time=20&ip=127.0.0.1";
  Mouse(f, WM_LBUTTONDOWN, 40, 105, MK_LBUTTON);
  Mouse(f, WM_LBUTTONUP, 40, 105);
  ASSERT_EQ(Opened.size(), 2u);
  EXPECT_EQ(Opened[1], Link->URL);
  Mouse(f, WM_RBUTTONDOWN, 40, 105, MK_RBUTTON);
  Mouse(f, WM_RBUTTONUP, 40, 105);
  EXPECT_EQ(Opened.size(), 2u);
  EXPECT_EQ(Link->Font().Color, clBlack);
}

TEST_F(UrlLabelTest, HandCursorIsLoaded) {
  EXPECT_EQ(Link->Cursor, crHandPoint);
  for (const auto& c : UrlCursorTable()) EXPECT_NE(ScreenCursor(c.Index), nullptr) << c.ResourceName;
}

// The main window's indicators: a click toggles the box, and its handler puts the state back.
class MainWindowControlsTest : public ::testing::Test {
protected:
  void SetUp() override {
    Root = std::make_unique<TComponent>(nullptr);
    MainWindow = new TMainWindow(Root.get());
    Application().MainForm = MainWindow;
    MainWindow->BusyWindow = new TBusyWindow(Root.get());
    MainWindow->Show();
    SetForegroundWindow(MainWindow->Handle());
    MainWindow->TabStrip->SetEnabled(true);
    Pump();
  }
  void TearDown() override {
    Application().MainForm = nullptr;
    MainWindow = nullptr;
    Root.reset();
    Pump();
  }
  void Click(TFlatCheckBox* box) {
    HWND w = box->Handle();
    Mouse(w, WM_MOUSEMOVE, 55, 7);
    ASSERT_TRUE(box->MouseInControl());
    Mouse(w, WM_LBUTTONDOWN, 55, 7, MK_LBUTTON);
    Mouse(w, WM_LBUTTONUP, 55, 7);
  }
  std::unique_ptr<TComponent> Root;
};

TEST_F(MainWindowControlsTest, IndicatorsArePutBackAfterAClick) {
  MainWindow->ShowPage(1);
  auto* num = dynamic_cast<TFlatCheckBox*>(MainWindow->ControlOf(Field::NumLockBox));
  ASSERT_NE(num, nullptr);
  MainWindow->UpdateLockKeyBoxes();
  bool before = num->Checked();
  int clicks = 0;
  auto handler = num->OnClick;
  num->OnClick = [&](TControl* s) {
    ++clicks;
    handler(s);
  };
  Click(num);
  EXPECT_EQ(num->Checked(), before);
  EXPECT_EQ(num->Checked(), (GetKeyState(VK_NUMLOCK) & 1) != 0);
  EXPECT_EQ(clicks, 2); // the toggle, then the reset

  MainWindow->ShowPage(2);
  MainWindow->State.Processor.FeatureFlags[ffMMX] = true;
  MainWindow->UpdateFeatureBoxes();
  auto* mmx = dynamic_cast<TFlatCheckBox*>(MainWindow->ControlOf(Field::MmxBox));
  ASSERT_NE(mmx, nullptr);
  EXPECT_TRUE(mmx->Checked());
  Click(mmx);
  EXPECT_TRUE(mmx->Checked());
  auto* sse = dynamic_cast<TFlatCheckBox*>(MainWindow->ControlOf(Field::SseBox));
  Click(sse);
  EXPECT_FALSE(sse->Checked());
}

TEST_F(MainWindowControlsTest, ControlsCarryTheWindowsSettings) {
  auto* bar = dynamic_cast<TGradientBar*>(MainWindow->ControlOf(Field::MemoryBar));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->Width(), 300);
  EXPECT_EQ(bar->Height(), 16);
  EXPECT_EQ(bar->Position(), 100);
  EXPECT_FALSE(bar->BarBitmap().Empty());
  EXPECT_EQ(MainWindow->InfoButton->Width(), 71);
  EXPECT_EQ(MainWindow->InfoButton->Height(), 23);
  EXPECT_EQ(MainWindow->ExportButton->Height(), 22); // it keeps its design height
  EXPECT_EQ(MainWindow->CloseButton->Width(), 13);
  EXPECT_EQ(MainWindow->TabStrip->Height(), 282);
  EXPECT_EQ(MainWindow->TabStrip->ColorBorder(), QuorvelBorderBlue);
  auto* regionHint = dynamic_cast<TRegionHint*>(Application().HintWindow());
  EXPECT_NE(regionHint, nullptr);
}

} // namespace
} // namespace qv
