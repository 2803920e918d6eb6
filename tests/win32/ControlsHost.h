#pragma once
// A shown form for the control tests, with helpers that send real mouse messages and read pixels.
#include <gtest/gtest.h>

#include "controls/Controls_win32.h"
#include "ui/Application.h"

namespace qv::testing {

inline TColor Rgb(COLORREF c) { return RGBColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

// Sends a mouse message to a window at a client point, with the cursor put there first (the
// controls ask where the cursor is, as they would for a real click).
inline void Mouse(HWND wnd, UINT msg, int x, int y, WPARAM keys = 0) {
  POINT p{x, y};
  ClientToScreen(wnd, &p);
  SetCursorPos(p.x, p.y);
  SendMessageA(wnd, msg, keys, MAKELPARAM(x, y));
}

inline void Pump() { Application().ProcessMessages(); }

class HostForm : public ::testing::Test {
protected:
  void SetUp() override {
    Root = std::make_unique<TComponent>(nullptr);
    Form = new TForm(Root.get());
    Form->Position = poDesigned;
    Form->SetColor(RGBColor(0, 200, 0));
    Form->SetBounds(40, 40, 520, 360);
    Application().MainForm = Form;
    Form->Show();
    SetForegroundWindow(Form->Handle());
    SetActiveWindow(Form->Handle());
    Pump();
  }
  void TearDown() override {
    Application().MainForm = nullptr;
    Root.reset();
    Pump();
  }
  // Colour of a pixel of a control's window as it is on screen now.
  static TColor WindowPixel(HWND wnd, int x, int y, bool wholeWindow = false) {
    HDC dc = wholeWindow ? GetWindowDC(wnd) : GetDC(wnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(wnd, dc);
    return Rgb(c);
  }
  // A windowed control's face, printed into a memory bitmap.
  static void Print(TWinControl& c, TBitmap& into) {
    into.SetSize(c.Width(), c.Height());
    SendMessageA(c.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(into.Dc()), PRF_CLIENT);
    GdiFlush();
  }
  std::unique_ptr<TComponent> Root;
  TForm* Form = nullptr;
};

} // namespace qv::testing
