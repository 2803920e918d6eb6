#include "ui/Application.h"
#include "ui/OptionalCalls.h"

#include <windowsx.h>
#include <map>

#include "core/MessageText.h"

namespace qv {

// ---- THintWindow

namespace {
const char* const HintClass = "QuorvelHint";
}

THintWindow::~THintWindow() {
  if (Wnd) DestroyWindow(Wnd);
}

LRESULT CALLBACK THintWindow::Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<THintWindow*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  try {
    switch (msg) {
      case WM_NCHITTEST:
        return HTTRANSPARENT;
      case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT:
        if (self) {
          PAINTSTRUCT ps;
          HDC dc = BeginPaint(wnd, &ps);
          RECT rc;
          GetClientRect(wnd, &rc);
          self->Paint(dc, {rc.left, rc.top, rc.right, rc.bottom});
          EndPaint(wnd, &ps);
          return 0;
        }
        break;
      case WM_NCDESTROY:
        if (self && self->Wnd == wnd) self->Wnd = nullptr;
        break;
    }
  } catch (const std::exception& e) {
    Application().HandleException(e);
    return 0;
  }
  return DefWindowProcA(wnd, msg, wp, lp);
}

void THintWindow::CreateWindowIfNeeded() {
  if (Wnd) return;
  WNDCLASSA existing;
  if (!GetClassInfoA(GetModuleHandleA(nullptr), HintClass, &existing)) {
    WNDCLASSA wc{};
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = HintClass;
    RegisterClassA(&wc);
  }
  Wnd = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, HintClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                        GetModuleHandleA(nullptr), this);
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& text) {
  HDC dc = GetDC(nullptr);
  TCanvas c(dc);
  c.Font = Font;
  TRect r{0, 0, maxWidth, 0};
  c.DrawText(text, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  ReleaseDC(nullptr, dc);
  r.Right += 6;
  r.Bottom += 2;
  return r;
}

void THintWindow::ActivateHint(const TRect& rect, const std::string& text) {
  CreateWindowIfNeeded();
  Text = text;
  SetWindowPos(Wnd, HWND_TOPMOST, rect.Left, rect.Top, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(Wnd, nullptr, FALSE);
  UpdateWindow(Wnd);
}

void THintWindow::ReleaseHint() {
  if (Wnd) ShowWindow(Wnd, SW_HIDE);
}

void THintWindow::Paint(HDC dc, const TRect& client) {
  TCanvas c(dc);
  c.Brush.Color = Color;
  c.Pen.Color = clBlack;
  c.Rectangle(client);
  c.Font = Font;
  c.Brush.Style = bsClear;
  TRect r{client.Left + 3, client.Top + 1, client.Right - 3, client.Bottom - 1};
  c.DrawText(Text, r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

// ---- screen cursors

namespace {
std::map<int, HCURSOR>& CursorTable() {
  static std::map<int, HCURSOR> table;
  return table;
}
} // namespace

void SetScreenCursor(int index, HCURSOR cursor) { CursorTable()[index] = cursor; }

HCURSOR ScreenCursor(int index) {
  auto it = CursorTable().find(index);
  return it == CursorTable().end() ? nullptr : it->second;
}

// ---- TApplication

TApplication& Application() {
  static TApplication app;
  return app;
}

TApplication::TApplication() {
  HintWindowClass = [] { return std::make_unique<THintWindow>(); };
}

TApplication::~TApplication() = default;

void TApplication::SetShowHint(bool on) {
  CancelHint();
  ShowHints = on;
  Hint.reset();
  if (on) Hint = HintWindowClass();
}

void TApplication::HandleException(const std::exception& e) {
  if (OnException) {
    OnException(e);
    return;
  }
  HWND owner = MainForm && MainForm->HandleAllocated() ? MainForm->Handle() : nullptr;
  // A long path in the text would otherwise make the box wider than the screen.
  const std::string text = BreakLongRuns(e.what(), MessageRunWidth);
  MessageBoxA(owner, text.c_str(), Title.c_str(), MB_OK | MB_ICONERROR);
}

bool TApplication::HelpCommand(unsigned command, ULONG_PTR data) {
  HWND owner = MainForm ? MainForm->Handle() : nullptr;
  return WinHelpA(owner, HelpFile.c_str(), command, data) != FALSE;
}

void TApplication::Run() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (HandleHookedMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (HandleHookedMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

TControl* TApplication::ControlAtPos(TPoint screen, bool includeDisabled) const {
  POINT pt{screen.X, screen.Y};
  HWND wnd = WindowFromPoint(pt);
  // WindowFromPoint skips disabled windows' children; search down from the top-level window.
  if (wnd) {
    HWND top = RootWindow(wnd);
    HWND child = top;
    for (;;) {
      POINT local = pt;
      ScreenToClient(child, &local);
      HWND next = ChildWindowFromPointEx(child, local, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
      if (!next || next == child) break;
      child = next;
    }
    wnd = child;
  }
  TWinControl* w = TWinControl::FromHandle(wnd);
  if (!w) return nullptr;
  TPoint local = w->ScreenToClient(screen);
  if (TControl* g = w->GraphicControlAt(local, includeDisabled)) return g;
  return w;
}

bool TApplication::HandleHookedMessage(MSG& msg) {
  try {
    if (msg.message == WM_MOUSEMOVE) {
      TWinControl* w = TWinControl::FromHandle(msg.hwnd);
      TControl* c = w;
      if (w) c = w->GraphicControlAt({GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)}, true);
      MouseMovedOver(c ? c : w);
    } else if (msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN || msg.message == WM_KEYDOWN) {
      CancelHint();
    }
    if (OnMessage) {
      bool handled = false;
      OnMessage(msg, handled);
      if (handled) return true;
    }
    // The form's dialog keys (Tab, Ctrl+Tab, Enter, F1 ...), before the focused window sees them.
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
      if (auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(RootWindow(msg.hwnd))))
        if (form->DialogKey(msg)) return true;
  } catch (const std::exception& e) {
    HandleException(e);
  }
  return false;
}

void TApplication::Activated() {
  if (OnActivate) OnActivate();
}

void TApplication::ControlDestroyed(TControl* c) {
  if (HintControl == c) HintControl = nullptr;
  if (ShownFor == c) {
    ShownFor = nullptr;
    if (Hint) Hint->ReleaseHint();
  }
}

static bool HasHint(TControl* c) { return c && c->ShowHint && !c->Hint.empty(); }

void CALLBACK TApplication::HintTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  try {
    Application().HintTimerFired();
  } catch (const std::exception& e) {
    Application().HandleException(e);
  }
}

void TApplication::MouseMovedOver(TControl* c) {
  if (!ShowHints || !Hint) return;
  if (c == HintControl) return;
  bool wasShown = HintState == HintShown;
  HintControl = c;
  if (HintTimer) KillTimer(nullptr, HintTimer);
  HintTimer = 0;
  if (wasShown) {
    Hint->ReleaseHint();
    ShownFor = nullptr;
    HiddenAt = GetTickCount();
  }
  HintState = HintIdle;
  if (!HasHint(c)) return;
  // A neighbour of a hint just shown gets its hint at once.
  bool neighbour = wasShown || (HiddenAt && GetTickCount() - HiddenAt < static_cast<DWORD>(HintShortPause));
  HintState = HintWaiting;
  HintTimer = SetTimer(nullptr, 0, neighbour ? HintShortPause : HintPause, HintTimerProc);
}

void TApplication::HintTimerFired() {
  if (HintTimer) KillTimer(nullptr, HintTimer);
  HintTimer = 0;
  if (HintState == HintWaiting && HintControl) {
    ShowHintFor(HintControl);
  } else if (HintState == HintShown) {
    if (Hint) Hint->ReleaseHint();
    ShownFor = nullptr;
    HintState = HintIdle;
    HiddenAt = GetTickCount();
  }
}

void TApplication::ShowHintFor(TControl* c) {
  POINT cursor;
  GetCursorPos(&cursor);
  // Only while the pointer is still over the control.
  if (ControlAtPos({cursor.x, cursor.y}) != c) {
    HintState = HintIdle;
    return;
  }
  THintInfo info;
  info.HintControl = c;
  info.CursorPos = c->ScreenToClient({cursor.x, cursor.y});
  info.CursorRect = c->ClientRect();
  info.HintPos = {cursor.x, cursor.y + 20};
  info.HintMaxWidth = 300;
  std::string text = c->Hint;
  bool canShow = true;
  if (OnShowHint) OnShowHint(text, canShow, info);
  if (!canShow || text.empty()) {
    HintState = HintIdle;
    return;
  }
  TRect r = Hint->CalcHintRect(info.HintMaxWidth, text);
  TRect screenRect{info.HintPos.X, info.HintPos.Y, info.HintPos.X + r.Width(), info.HintPos.Y + r.Height()};
  Hint->ActivateHint(screenRect, text);
  ShownFor = c;
  HintState = HintShown;
  HintTimer = SetTimer(nullptr, 0, HintHidePause, HintTimerProc);
}

void TApplication::CancelHint() {
  if (HintTimer) KillTimer(nullptr, HintTimer);
  HintTimer = 0;
  if (Hint && HintState == HintShown) Hint->ReleaseHint();
  HintState = HintIdle;
  ShownFor = nullptr;
}

} // namespace qv
