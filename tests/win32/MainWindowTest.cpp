#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

#include "app/Unit1_win32.h"
#include "app/Unit2_win32.h"
#include "ui/Application.h"

namespace qv {
namespace {

// One main window per test, as the program makes it.
class MainWindow : public ::testing::Test {
protected:
  void SetUp() override {
    Root = std::make_unique<TComponent>(nullptr);
    Form = new TSysForm(Root.get());
    Application().MainForm = Form;
    Splash = new TSplashForm(Root.get());
    Form->SplashForm = Splash;
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
      if (Form->InfoPanel[i]->Visible() && IsWindowVisible(Form->InfoPanel[i]->Handle())) v.push_back(i);
    return v;
  }
  std::unique_ptr<TComponent> Root;
  TSysForm* Form = nullptr;
  TSplashForm* Splash = nullptr;
};

TEST_F(MainWindow, OpensAtTheSkinSizeInTheCentreOfTheScreen) {
  RECT r;
  GetWindowRect(Form->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 582);
  EXPECT_EQ(r.bottom - r.top, 344);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 582) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 344) / 2);
  EXPECT_EQ(Form->FlatTabControl->Height(), 282);
  EXPECT_EQ(Form->InfoPanel[3]->Height(), 250);
  EXPECT_EQ(Form->InfoButton->Height(), 23);
  EXPECT_EQ(Form->ExportButton->Height(), 22);
  EXPECT_EQ(Form->TitleBar->Hint, "Version 1.0");
  EXPECT_EQ(VisiblePanels(), std::vector<int>{0});
  EXPECT_FALSE(Form->PrintButton->Enabled());
  EXPECT_FALSE(Form->ExportButton->Enabled());
  EXPECT_FALSE(Form->FlatTabControl->Enabled());
  EXPECT_FALSE(IsWindowVisible(Splash->Handle()));
}

TEST_F(MainWindow, AllSixTabsFitInTheTabControl) {
  // Laid out for the bitmap "MS Sans Serif": with a wider face the last tab is cut off.
  const auto& rects = Form->FlatTabControl->TabRects();
  ASSERT_EQ(rects.size(), 6u);
  EXPECT_LE(rects.back().Right, Form->FlatTabControl->Width());
}

TEST_F(MainWindow, TabsDoNothingBeforeTheFirstPass) {
  Form->FlatTabControl->SetActiveTab(3);
  EXPECT_EQ(VisiblePanels(), std::vector<int>{0});
}

TEST_F(MainWindow, InfoFillsTheMyComputerPageAndUnlocksTheWindow) {
  EXPECT_EQ(Form->Text("LabelComputer"), "-");
  DWORD started = GetTickCount();
  ClickAt(24 + 35, 32 + 11);   // the Info button
  std::printf("the gathering pass took %lu ms\n", GetTickCount() - started);
  EXPECT_TRUE(Form->Gathered());
  EXPECT_EQ(Form->ActiveTab(), 1);
  EXPECT_EQ(VisiblePanels(), std::vector<int>{1});
  EXPECT_TRUE(Form->PrintButton->Enabled());
  EXPECT_TRUE(Form->ExportButton->Enabled());
  EXPECT_TRUE(Form->FlatTabControl->Enabled());
  EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
  EXPECT_FALSE(IsWindowVisible(Splash->Handle()));

  char name[256];
  DWORD size = sizeof name;
  GetComputerNameA(name, &size);
  EXPECT_EQ(Form->Text("LabelComputer"), std::string(name, size));
  EXPECT_TRUE(std::regex_match(Form->Text("LabelPhysical"), std::regex(R"(\d+ [KMG]b \[\d+ [KMG]b free\])")))
      << Form->Text("LabelPhysical");
  EXPECT_TRUE(std::regex_match(Form->Text("LabelTime"), std::regex(R"(\d{1,2}:\d\d:\d\d)"))) << Form->Text("LabelTime");
  EXPECT_TRUE(std::regex_match(Form->Text("LabelDate"), std::regex(R"(\d\d-\d\d-\d{4})"))) << Form->Text("LabelDate");
  EXPECT_FALSE(Form->State.TotalMemoryText.empty());

  // Every tab now shows exactly its own panel.
  for (int tab = 0; tab < 6; ++tab) {
    Form->FlatTabControl->SetActiveTab(tab);
    EXPECT_EQ(VisiblePanels(), std::vector<int>{tab});
  }
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
  bool caps = Form->Checked("CheckBoxCAPS");
  auto* box = dynamic_cast<TFlatCheckBox*>(Form->Field("CheckBoxCAPS"));
  ASSERT_NE(box, nullptr);
  HWND wnd = box->Handle();
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Form->Checked("CheckBoxCAPS"), caps);
}

} // namespace
} // namespace qv
