#include <string>
#include <vector>

#include "ControlsHost.h"
#include "app/ResourceIds.h"
#include "ui/OptionalCalls.h"
#include "ui/StdCtrls.h"

namespace qv::testing {
namespace {

// What Windows 95 and NT 4 lack is done by the program's own fallbacks there; these tests run them
// on this system and hold them against the system's calls.
class OwnFallbacks : public HostForm {
protected:
  void TearDown() override {
    UseOwnFallbacks(false);
    HostForm::TearDown();
  }
};

class Hover : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
  std::vector<std::string> Log;
  void MouseEnter() override {
    Log.push_back("enter");
    TGraphicControl::MouseEnter();
  }
  void MouseLeave() override {
    Log.push_back("leave");
    TGraphicControl::MouseLeave();
  }
};

void PumpFor(DWORD ms, const std::vector<std::string>& log, size_t until) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < ms && log.size() < until) {
    Pump();
    Sleep(10);
  }
}

TEST_F(OwnFallbacks, ThePointerLeavingTheFormIsHeardWithoutTrackMouseEvent) {
  UseOwnFallbacks(true);
  auto* h = new Hover(Root.get());
  h->SetBounds(10, 10, 50, 20);
  h->SetParent(Form);
  Mouse(Form->Handle(), WM_MOUSEMOVE, 20, 20);
  PumpFor(400, h->Log, 2);
  EXPECT_EQ(h->Log, std::vector<std::string>{"enter"}) << "a leave while the pointer is still there";
  SetCursorPos(Form->Left() + Form->Width() + 30, Form->Top() + Form->Height() + 30);
  PumpFor(2000, h->Log, 2);
  EXPECT_EQ(h->Log, (std::vector<std::string>{"enter", "leave"}));
}

// As Windows documents its own call: a pointer on a scroll bar has left the client area, and one
// already outside is said at once. (Wine's own call does neither, so it is no yardstick here.)
TEST_F(OwnFallbacks, LeaveCountsOnlyTheClientAreaAndAnswersAtOnce) {
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE, 10, 10, 120, 80,
                              Form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  RECT r;
  GetWindowRect(edit, &r);
  auto leaveWithin = [edit](bool own, POINT at, DWORD ms) {
    UseOwnFallbacks(own);
    SetCursorPos(at.x, at.y);
    MSG m;
    while (PeekMessageA(&m, edit, WM_MOUSELEAVE, WM_MOUSELEAVE, PM_REMOVE)) {
    }
    TrackPointerLeave(edit);
    bool heard = false;
    for (DWORD start = GetTickCount(); !heard && GetTickCount() - start <= ms; Sleep(10)) {
      heard = PeekMessageA(&m, edit, WM_MOUSELEAVE, WM_MOUSELEAVE, PM_REMOVE);
      while (!heard && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    }
    TRACKMOUSEEVENT cancel{sizeof cancel, TME_LEAVE | TME_CANCEL, edit, 0};
    TrackMouseEvent(&cancel);
    KillTimer(edit, 0x5156);
    return heard;
  };
  const POINT scrollBar{r.right - 4, (r.top + r.bottom) / 2}, client{r.left + 20, r.top + 20};
  EXPECT_TRUE(leaveWithin(true, scrollBar, 0));
  EXPECT_FALSE(leaveWithin(true, client, 300));
  DestroyWindow(edit);
}

TEST_F(OwnFallbacks, TheWalkUpFindsTheFormAsGetAncestorDoes) {
  auto* outer = new TPanel(Root.get());
  outer->SetBounds(10, 10, 200, 150);
  outer->SetParent(Form);
  auto* inner = new TPanel(Root.get());
  inner->SetBounds(10, 10, 100, 80);
  inner->SetParent(outer);
  HWND deep = inner->Handle();
  HWND bySystem = RootWindow(deep);
  UseOwnFallbacks(true);
  EXPECT_EQ(RootWindow(deep), Form->Handle());
  EXPECT_EQ(RootWindow(deep), bySystem);
  EXPECT_EQ(RootWindow(Form->Handle()), Form->Handle());
  // The control under a point inside the inner panel is found through the walk too.
  TPoint inside = inner->ClientToScreen({5, 5});
  EXPECT_EQ(Application().ControlAtPos(inside), inner);
}

// A background of many colours, so that a key pixel left out or a picture pixel lost shows.
TBitmap Background(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Canvas().Pixel(x, y, RGBColor((x * 37) & 255, (y * 53) & 255, (x * y) & 255));
  return b;
}

TEST(OwnMaskBlit, DrawsTheSplashIconAsTransparentBltDoes) {
  TBitmap icon;
  ASSERT_TRUE(icon.LoadFromResource(IDB_SPLASHICON));
  COLORREF key = ToColorRef(icon.Pixel(0, icon.Height() - 1));
  struct Size {
    int W, H;
  };
  // Not shrunk: Wine's TransparentBlt then drops pixels in the BLACKONWHITE way, where Windows
  // documents COLORONCOLOR, the mode the fallback uses.
  for (Size to : {Size{icon.Width(), icon.Height()}, Size{48, 40}}) {
    TBitmap bySystem = Background(64, 64), byFallback = Background(64, 64);
    const TBitmap before = Background(64, 64);
    UseOwnFallbacks(false);
    EXPECT_TRUE(TransparentCopy(bySystem.Dc(), 5, 7, to.W, to.H, icon.Dc(), 0, 0, icon.Width(), icon.Height(), key));
    UseOwnFallbacks(true);
    EXPECT_TRUE(TransparentCopy(byFallback.Dc(), 5, 7, to.W, to.H, icon.Dc(), 0, 0, icon.Width(), icon.Height(), key));
    UseOwnFallbacks(false);
    GdiFlush();
    int differ = 0, kept = 0, drawn = 0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) {
        differ += bySystem.Pixel(x, y) != byFallback.Pixel(x, y);
        bool inside = x >= 5 && x < 5 + to.W && y >= 7 && y < 7 + to.H;
        if (inside) (byFallback.Pixel(x, y) == before.Pixel(x, y) ? kept : drawn)++;
      }
    EXPECT_EQ(differ, 0) << to.W << " x " << to.H;
    EXPECT_GT(kept, 0) << "no key pixel let the background through";
    EXPECT_GT(drawn, 0) << "nothing of the picture drawn";
  }
}

} // namespace
} // namespace qv::testing
