#include <string>
#include <vector>

#include "ControlsHost.h"

namespace qv::testing {
namespace {

// A windowless control that writes down what the framework tells it.
class Recorder : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
  std::vector<std::string> Log;
  void MouseDown(TMouseButton b, unsigned s, int x, int y) override {
    Log.push_back(b == mbLeft ? "down" : "other down");
    TGraphicControl::MouseDown(b, s, x, y);
  }
  void MouseUp(TMouseButton b, unsigned s, int x, int y) override {
    Log.push_back("up");
    TGraphicControl::MouseUp(b, s, x, y);
  }
  void MouseEnter() override {
    Log.push_back("enter");
    TGraphicControl::MouseEnter();
  }
  void MouseLeave() override {
    Log.push_back("leave");
    TGraphicControl::MouseLeave();
  }
  void Click() override { Log.push_back("click"); }
};

using FrameworkMouse = HostForm;

TEST_F(FrameworkMouse, APressedControlHearsThePointerLeaveAndReturn) {
  auto* r = new Recorder(Root.get());
  r->SetBounds(10, 10, 50, 20);
  r->SetParent(Form);
  HWND wnd = Form->Handle();
  Mouse(wnd, WM_MOUSEMOVE, 20, 20);
  Mouse(wnd, WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  Mouse(wnd, WM_MOUSEMOVE, 200, 200, MK_LBUTTON); // dragged off
  Mouse(wnd, WM_MOUSEMOVE, 210, 200, MK_LBUTTON); // still off: nothing new
  Mouse(wnd, WM_MOUSEMOVE, 25, 15, MK_LBUTTON);   // back on
  Mouse(wnd, WM_LBUTTONUP, 25, 15);
  EXPECT_EQ(r->Log, (std::vector<std::string>{"enter", "down", "leave", "enter", "up", "click"}));
}

TEST_F(FrameworkMouse, ReleasedOutsideIsNoClickAndTheNextControlGetsTheHover) {
  auto* a = new Recorder(Root.get());
  a->SetBounds(10, 10, 50, 20);
  a->SetParent(Form);
  auto* b = new Recorder(Root.get());
  b->SetBounds(100, 10, 50, 20);
  b->SetParent(Form);
  HWND wnd = Form->Handle();
  Mouse(wnd, WM_MOUSEMOVE, 20, 20);
  Mouse(wnd, WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  Mouse(wnd, WM_MOUSEMOVE, 120, 20, MK_LBUTTON); // over b, but a holds the mouse
  Mouse(wnd, WM_LBUTTONUP, 120, 20);
  Mouse(wnd, WM_MOUSEMOVE, 121, 20);
  EXPECT_EQ(a->Log, (std::vector<std::string>{"enter", "down", "leave", "up"}));
  EXPECT_EQ(b->Log, std::vector<std::string>{"enter"});
}

TEST_F(FrameworkMouse, AnErrorInAHandlerReachesTheApplicationAndTheLoopGoesOn) {
  std::vector<std::string> shown;
  Application().OnException = [&](const std::exception& e) { shown.push_back(e.what()); };
  auto* r = new Recorder(Root.get());
  r->SetBounds(10, 10, 50, 20);
  r->OnMouseDown = [](TControl*, TMouseButton, unsigned, int, int) { throw Exception("Cannot create file X"); };
  r->SetParent(Form);
  Mouse(Form->Handle(), WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  Mouse(Form->Handle(), WM_LBUTTONUP, 20, 20);
  Application().OnException = nullptr;
  EXPECT_EQ(shown, std::vector<std::string>{"Cannot create file X"});
  EXPECT_TRUE(IsWindow(Form->Handle()));
}

} // namespace
} // namespace qv::testing
