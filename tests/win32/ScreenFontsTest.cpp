#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/BusyWindow_win32.h"
#include "app/MainWindow_win32.h"
#include "ui/Application.h"
#include "ui/StdCtrls.h"

// Every label of the window after Info holds its text at the screen's DPI: the ink of the caption,
// drawn in the label's own font with nothing to clip it, fits the label's box. tests/e2e/dpi.sh runs
// these at 120 and 144 dpi with the faces a Windows of that DPI has.

namespace qv {
namespace {

struct InkBox {
  int Left = 0, Top = 0, Right = 0, Bottom = 0; // relative to where the text was drawn
  bool Any = false;
};

InkBox InkOf(const TFont& font, const std::string& text) {
  constexpr int W = 1000, H = 100, Margin = 30;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = W;
  bi.bmiHeader.biHeight = -H;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ oldBmp = SelectObject(dc, bmp);
  PatBlt(dc, 0, 0, W, H, WHITENESS);
  HGDIOBJ oldFont = SelectObject(dc, font.Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  TextOutA(dc, Margin, Margin, text.data(), static_cast<int>(text.size()));
  GdiFlush();
  InkBox ink;
  const auto* px = static_cast<const DWORD*>(bits);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      if ((px[y * W + x] & 0xFFFFFF) == 0xFFFFFF) continue;
      int rx = x - Margin, ry = y - Margin;
      if (!ink.Any) ink = {rx, ry, rx + 1, ry + 1, true};
      ink.Left = std::min(ink.Left, rx);
      ink.Top = std::min(ink.Top, ry);
      ink.Right = std::max(ink.Right, rx + 1);
      ink.Bottom = std::max(ink.Bottom, ry + 1);
    }
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBmp);
  DeleteObject(bmp);
  DeleteDC(dc);
  return ink;
}

int ScreenDpi() {
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi;
}

TEST(ScreenFonts, EveryLabelHoldsItsTextAfterInfo) {
  if (const char* expected = std::getenv("QUORVEL_EXPECT_DPI")) ASSERT_EQ(ScreenDpi(), std::atoi(expected));
  auto root = std::make_unique<TComponent>(nullptr);
  struct MainFormGuard {
    ~MainFormGuard() { Application().MainForm = nullptr; }
  } guard; // lets go of the main form before its owner frees it, on every path
  auto* form = new TMainWindow(root.get());
  Application().MainForm = form;
  auto* splash = new TBusyWindow(root.get());
  form->BusyWindow = splash;
  form->Show();
  Application().ProcessMessages();
  HWND wnd = form->Handle();
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(24 + 35, 32 + 11)); // Info
  SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(24 + 35, 32 + 11));
  Application().ProcessMessages();
  ASSERT_TRUE(form->Gathered());

  int checked = 0;
  for (TComponent* c : form->Components()) {
    auto* label = dynamic_cast<TLabel*>(c);
    if (!label || label->WordWrap || label->Caption().empty()) continue;
    InkBox ink = InkOf(label->Font(), label->Caption());
    if (!ink.Any) continue;
    ++checked;
    std::string what = label->Name + " \"" + label->Caption() + "\"";
    EXPECT_GE(ink.Left, 0) << what;
    EXPECT_LE(ink.Right - ink.Left, label->Width()) << what;
    EXPECT_GE(ink.Top, 0) << what;
    EXPECT_LE(ink.Bottom, label->Height()) << what;
  }
  EXPECT_GT(checked, 80);
}

} // namespace
} // namespace qv
