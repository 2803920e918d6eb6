#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <regex>

#include "app/BusyWindow_win32.h"
#include "app/MainWindow_win32.h"
#include "ui/Application.h"

namespace qv {
namespace {

// One main window per test, as the program makes it.
class MainWindow : public ::testing::Test {
protected:
  void SetUp() override {
    Root = std::make_unique<TComponent>(nullptr);
    Form = new TMainWindow(Root.get());
    Application().MainForm = Form;
    Splash = new TBusyWindow(Root.get());
    Form->BusyWindow = Splash;
    Form->Show();
    Application().ProcessMessages();
  }
  void TearDown() override {
    Application().MainForm = nullptr;
    Root.reset();
  }
  // A real press and release of the left button at a point of the form.
  void ClickAt(int x, int y) {
    HWND wnd = Form->Handle();
    SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Application().ProcessMessages();
  }
  std::vector<int> VisiblePanels() {
    std::vector<int> v;
    for (int i = 0; i < 6; ++i)
      if (Form->Pages[i]->Visible() && IsWindowVisible(Form->Pages[i]->Handle())) v.push_back(i);
    return v;
  }
  std::unique_ptr<TComponent> Root;
  TMainWindow* Form = nullptr;
  TBusyWindow* Splash = nullptr;
};

TEST_F(MainWindow, OpensAtTheSkinSizeInTheCentreOfTheScreen) {
  RECT r;
  GetWindowRect(Form->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 582);
  EXPECT_EQ(r.bottom - r.top, 344);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 582) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 344) / 2);
  EXPECT_EQ(Form->TabStrip->Height(), 282);
  EXPECT_EQ(Form->Pages[3]->Height(), 250);
  EXPECT_EQ(Form->InfoButton->Height(), 23);
  EXPECT_EQ(Form->ExportButton->Height(), 22);
  EXPECT_EQ(Form->TitleBar->Hint, "Version 1.0");
  EXPECT_EQ(VisiblePanels(), std::vector<int>{0});
  EXPECT_FALSE(Form->PrintButton->Enabled());
  EXPECT_FALSE(Form->ExportButton->Enabled());
  EXPECT_FALSE(Form->TabStrip->Enabled());
  EXPECT_FALSE(IsWindowVisible(Splash->Handle()));
}

TEST_F(MainWindow, AllSixTabsFitInTheTabControl) {
  // Laid out for the bitmap "MS Sans Serif": with a wider face the last tab is cut off.
  const auto& rects = Form->TabStrip->TabRects();
  ASSERT_EQ(rects.size(), 6u);
  EXPECT_LE(rects.back().Right, Form->TabStrip->Width());
}

TEST_F(MainWindow, TabsDoNothingBeforeTheFirstPass) {
  Form->TabStrip->SetActiveTab(3);
  EXPECT_EQ(VisiblePanels(), std::vector<int>{0});
}

TEST_F(MainWindow, InfoFillsTheMyComputerPageAndUnlocksTheWindow) {
  EXPECT_EQ(Form->Text(Field::ComputerName), "-");
  DWORD started = GetTickCount();
  ClickAt(24 + 35, 32 + 11); // the Info button
  std::printf("the gathering pass took %lu ms\n", GetTickCount() - started);
  EXPECT_TRUE(Form->Gathered());
  EXPECT_EQ(Form->ActiveTab(), 1);
  EXPECT_EQ(VisiblePanels(), std::vector<int>{1});
  EXPECT_TRUE(Form->PrintButton->Enabled());
  EXPECT_TRUE(Form->ExportButton->Enabled());
  EXPECT_TRUE(Form->TabStrip->Enabled());
  EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
  EXPECT_FALSE(IsWindowVisible(Splash->Handle()));
  // Disabled for the pass, the window lost the keyboard focus; without it key presses would arrive
  // as system keys and the lock-key indicators would miss them.
  ASSERT_EQ(GetActiveWindow(), Form->Handle());
  EXPECT_EQ(GetFocus(), Form->Handle());

  char name[256];
  DWORD size = sizeof name;
  GetComputerNameA(name, &size);
  EXPECT_EQ(Form->Text(Field::ComputerName), std::string(name, size));
  EXPECT_TRUE(std::regex_match(Form->Text(Field::Memory), std::regex(R"(\d+ [KMG]b \[\d+ [KMG]b free\])")))
      << Form->Text(Field::Memory);
  EXPECT_TRUE(std::regex_match(Form->Text(Field::Time), std::regex(R"(\d{1,2}:\d\d:\d\d)"))) << Form->Text(Field::Time);
  EXPECT_TRUE(std::regex_match(Form->Text(Field::Date), std::regex(R"(\d\d-\d\d-\d{4})"))) << Form->Text(Field::Date);
  EXPECT_FALSE(Form->State.TotalMemoryText.empty());

  // Every tab now shows exactly its own panel.
  for (int tab = 0; tab < 6; ++tab) {
    Form->TabStrip->SetActiveTab(tab);
    EXPECT_EQ(VisiblePanels(), std::vector<int>{tab});
  }
}

TEST_F(MainWindow, MyComputerAndMoreFieldsSitWhereTheRefreshDrawsThem) {
  auto bounds = [this](Field name) { return Form->ControlOf(name)->Bounds(); };
  EXPECT_EQ(bounds(Field::Memory), Bounds(125, 88, 300, 13));
  EXPECT_EQ(bounds(Field::MemoryBar), Bounds(125, 104, 300, 16));
  EXPECT_EQ(bounds(Field::Time), Bounds(124, 124, 125, 13));
  EXPECT_EQ(bounds(Field::Date), Bounds(301, 124, 125, 13));
  EXPECT_EQ(bounds(Field::LocalIp), Bounds(125, 24, 300, 13));
  // The indicators end above the memory line.
  EXPECT_LE(bounds(Field::InsertBox).Bottom, bounds(Field::Memory).Top);

  // The bars' picture is a light beige-olive: red and green close together, blue well below them.
  auto* bar = dynamic_cast<TGradientBar*>(Form->ControlOf(Field::MemoryBar));
  ASSERT_NE(bar, nullptr);
  TColor c = bar->BarBitmap().Pixel(20, 10);
  int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
  EXPECT_GE(r, 160);
  EXPECT_LE(std::abs(r - g), 12);
  EXPECT_GE(g - b, 25) << r << "," << g << "," << b;
}

TEST_F(MainWindow, ButtonFacesAre71By22AndShowingOneSizesTheButton) {
  for (TImageButton* button : {Form->InfoButton, Form->PrintButton, Form->ExportButton, Form->HelpButton})
    for (TButtonImage face : {biNormal, biOver, biDown, biUp, biDisabled}) {
      EXPECT_EQ(button->Image(face).Width(), 71) << button->Name << " " << face;
      EXPECT_EQ(button->Image(face).Height(), 22) << button->Name << " " << face;
    }
  EXPECT_EQ(Form->HelpButton->Height(), 23); // as the window sets it at creation
  SendMessageA(Form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(24 + 35, 128 + 11));
  EXPECT_EQ(Form->HelpButton->Height(), 22); // the hover face's own height
}

TEST_F(MainWindow, DraggingTheTitleBarMovesTheWindowWithThePointer) {
  RECT before;
  GetWindowRect(Form->Handle(), &before);
  HWND wnd = Form->Handle();
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 10));
  // The pointer moves 50 pixels right; in the window's coordinates it is then 50 further right.
  SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250, 10));
  SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(200, 10));
  RECT after;
  GetWindowRect(Form->Handle(), &after);
  EXPECT_EQ(after.left - before.left, 50);
  EXPECT_EQ(after.top, before.top);
  // Released: moving no longer drags.
  SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(300, 10));
  RECT later;
  GetWindowRect(Form->Handle(), &later);
  EXPECT_EQ(later.left, after.left);
}

TEST_F(MainWindow, IndicatorsPutTheirStateBackWhenClicked) {
  ClickAt(24 + 35, 32 + 11);
  bool caps = Form->Checked(Field::CapsLockBox);
  auto* box = dynamic_cast<TFlatCheckBox*>(Form->ControlOf(Field::CapsLockBox));
  ASSERT_NE(box, nullptr);
  HWND wnd = box->Handle();
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Form->Checked(Field::CapsLockBox), caps);
}

} // namespace
} // namespace qv
