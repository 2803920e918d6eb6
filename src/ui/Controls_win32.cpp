#include "ui/Controls.h"
#include "ui/OptionalCalls.h"

#include <windowsx.h>
#include <algorithm>

#include "ui/Accessible.h"
#include "ui/Application.h"

namespace qv {

// ---- TComponent

TComponent::TComponent(TComponent* owner) : OwnerPtr(owner) {
  if (owner) owner->Owned.push_back(this);
}

TComponent::~TComponent() {
  while (!Owned.empty()) {
    TComponent* last = Owned.back();
    Owned.pop_back();
    last->OwnerPtr = nullptr;
    delete last;
  }
  if (OwnerPtr) {
    auto& list = OwnerPtr->Owned;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  for (auto* c : Owned)
    if (c->Name == name) return c;
  return nullptr;
}

// ---- TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
  Application().ControlDestroyed(this);
  if (ParentPtr) ParentPtr->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == ParentPtr) return;
  if (ParentPtr) {
    Invalidate();
    ParentPtr->RemoveControl(this);
  }
  ParentPtr = parent;
  if (parent) parent->InsertControl(this);
  Invalidate();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  TRect r = qv::Bounds(left, top, width, height);
  if (r == BoundsRect) return;
  Invalidate();
  BoundsRect = r;
  BoundsChanged();
  Invalidate();
}

void TControl::SetVisible(bool v) {
  if (v == IsVisible) return;
  if (!v) Invalidate();
  IsVisible = v;
  VisibleChanged();
  Invalidate();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible()) return false;
  return true;
}

void TControl::SetEnabled(bool v) {
  if (v == IsEnabled) return;
  IsEnabled = v;
  EnabledChanged();
}

TColor TControl::Color() const {
  if (ParentColor && ParentPtr) return ParentPtr->Color();
  return OwnColor;
}

void TControl::SetColor(TColor c) {
  ParentColor = false;
  OwnColor = c;
  ColorChanged();
  if (auto* w = dynamic_cast<TWinControl*>(this)) w->NotifyChildrenColor();
}

const TFont& TControl::Font() const {
  if (ParentFont && ParentPtr) return ParentPtr->Font();
  return OwnFont;
}

TFont& TControl::FontForChange() {
  if (ParentFont) {
    if (ParentPtr) OwnFont = ParentPtr->Font();
    ParentFont = false;
  }
  OwnFont.Changed();
  return OwnFont;
}

void TControl::SetFont(const TFont& f) {
  ParentFont = false;
  OwnFont = f;
  FontChanged();
  if (auto* w = dynamic_cast<TWinControl*>(this)) w->NotifyChildrenFont();
}

void TControl::SetCaption(const std::string& c) {
  if (c == CaptionText) return;
  CaptionText = c;
  Invalidate();
}

TForm* TControl::Form() const {
  const TControl* c = this;
  while (c->Parent()) c = c->Parent();
  return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

bool TControl::Focused() const {
  TForm* form = Form();
  return form && form->FocusedGraphic() == this && form->TWinControl::Focused();
}

void TControl::Describe(AccessibleFacts&) const {}

void TControl::Invalidate() {
  if (!ParentPtr || !ParentPtr->HandleAllocated()) return;
  RECT r{BoundsRect.Left, BoundsRect.Top, BoundsRect.Right, BoundsRect.Bottom};
  InvalidateRect(ParentPtr->Handle(), &r, FALSE);
}

void TControl::MouseDown(TMouseButton button, unsigned shift, int x, int y) {
  if (button == mbLeft) Pressed = true;
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(unsigned shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, unsigned shift, int x, int y) {
  bool click = button == mbLeft && Pressed && ClientRect().Contains({x, y});
  if (button == mbLeft) Pressed = false;
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
  if (click) Click();
}

void TControl::MouseEnter() {
  MouseInside = true;
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  MouseInside = false;
  if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

TPoint TControl::ClientToScreen(TPoint p) const {
  if (IsWindowed()) {
    auto* self = const_cast<TWinControl*>(static_cast<const TWinControl*>(this));
    POINT pt{p.X, p.Y};
    ::ClientToScreen(self->Handle(), &pt);
    return {pt.x, pt.y};
  }
  if (!ParentPtr) return p;
  return ParentPtr->ClientToScreen({p.X + Left(), p.Y + Top()});
}

TPoint TControl::ScreenToClient(TPoint p) const {
  if (IsWindowed()) {
    auto* self = const_cast<TWinControl*>(static_cast<const TWinControl*>(this));
    POINT pt{p.X, p.Y};
    ::ScreenToClient(self->Handle(), &pt);
    return {pt.x, pt.y};
  }
  if (!ParentPtr) return p;
  TPoint q = ParentPtr->ScreenToClient(p);
  return {q.X - Left(), q.Y - Top()};
}

// ---- TWinControl

namespace {

const char* const ControlClass = "QuorvelControl";

void RegisterControlClass(const char* name, UINT style) {
  WNDCLASSA existing;
  if (GetClassInfoA(GetModuleHandleA(nullptr), name, &existing)) return;
  WNDCLASSA wc{};
  wc.style = style;
  wc.lpfnWndProc = TWinControl::WindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

const char* const SelfProp = "QuorvelControlObject";

} // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) { OwnColor = clBtnFace; }

TWinControl::~TWinControl() {
  // Children are owned by the owner, not the parent: unhook the ones still attached.
  for (auto* c : Children) c->ParentPtr = nullptr;
  Children.clear();
  DestroyHandle();
}

void TWinControl::MakeCreateParams(CreateParams& p) {
  p.ClassName = ControlClass;
  p.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (IsVisible) p.Style |= WS_VISIBLE;
  if (!IsEnabled) p.Style |= WS_DISABLED;
  if (TabStop) p.Style |= WS_TABSTOP;
  p.ParentWnd = ParentPtr ? ParentPtr->Handle() : nullptr;
}

void TWinControl::CreateHandle() {
  if (Wnd) return;
  CreateParams p;
  MakeCreateParams(p);
  if (!p.SystemClass) RegisterControlClass(p.ClassName, CS_DBLCLKS);
  const char* cls = p.SystemClass ? p.SystemClass : p.ClassName;
  Wnd = CreateWindowExA(p.ExStyle, cls, p.Text.c_str(), p.Style, Left(), Top(), Width(), Height(), p.ParentWnd, nullptr,
                        GetModuleHandleA(nullptr), this);
  if (!Wnd) return;
  if (p.SystemClass) {
    // A system control: our procedure first, theirs for the rest.
    SetPropA(Wnd, SelfProp, this);
    SystemProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::WindowProc)));
    SendMessageA(Wnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
  }
  for (auto* c : Children)
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
      w->CreateHandle();
      SetWindowPos(w->Wnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void TWinControl::DestroyHandle() {
  if (!Wnd) return;
  HWND w = Wnd;
  RemovePropA(w, SelfProp);
  SetWindowLongPtrA(w, GWLP_USERDATA, 0);
  if (SystemProc) SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SystemProc));
  Wnd = nullptr;
  DestroyWindow(w);
}

HWND TWinControl::Handle() {
  if (!Wnd) CreateHandle();
  return Wnd;
}

TWinControl* TWinControl::FromHandle(HWND wnd) {
  if (!wnd) return nullptr;
  if (auto* p = static_cast<TWinControl*>(GetPropA(wnd, SelfProp))) return p;
  return reinterpret_cast<TWinControl*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
}

void TWinControl::SetParent(TWinControl* parent) {
  TControl::SetParent(parent);
  if (Wnd && parent && parent->HandleAllocated())
    ::SetParent(Wnd, parent->Handle());
  else if (parent && parent->HandleAllocated())
    CreateHandle();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  TRect r = qv::Bounds(left, top, width, height);
  if (r == BoundsRect) return;
  BoundsRect = r;
  if (Wnd) SetWindowPos(Wnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  BoundsChanged();
}

void TWinControl::SetVisible(bool v) {
  if (v == IsVisible) return;
  IsVisible = v;
  if (Wnd) ShowWindow(Wnd, v ? SW_SHOWNA : SW_HIDE);
  VisibleChanged();
}

void TWinControl::SetEnabled(bool v) {
  if (v == IsEnabled) return;
  IsEnabled = v;
  if (Wnd) EnableWindow(Wnd, v);
  EnabledChanged();
}

void TWinControl::Invalidate() {
  if (Wnd) InvalidateRect(Wnd, nullptr, FALSE);
}

void TWinControl::Update() {
  if (Wnd) UpdateWindow(Wnd);
}

void TWinControl::BringToFront() {
  if (!Wnd) return;
  auto* form = dynamic_cast<TForm*>(this);
  UINT activate = form && form->ActivateOnShow ? 0 : SWP_NOACTIVATE;
  SetWindowPos(Wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | activate);
}

void TWinControl::SetFocus() {
  if (Handle()) ::SetFocus(Wnd);
}

bool TWinControl::Focused() const { return Wnd && GetFocus() == Wnd; }

void TWinControl::Describe(AccessibleFacts& facts) const {
  facts.Role = ROLE_SYSTEM_CLIENT;
  facts.Name = AccessibleName;
}

void TWinControl::InsertControl(TControl* c) {
  Children.push_back(c);
  if (auto* w = dynamic_cast<TWinControl*>(c); w && Wnd) w->CreateHandle();
}

void TWinControl::RemoveControl(TControl* c) {
  Children.erase(std::remove(Children.begin(), Children.end(), c), Children.end());
  if (MouseControl == c) MouseControl = nullptr;
  if (HoverControl == c) HoverControl = nullptr;
}

TControl* TWinControl::GraphicControlAt(TPoint p, bool includeDisabled) const {
  for (auto it = Children.rbegin(); it != Children.rend(); ++it) {
    TControl* c = *it;
    if (c->IsWindowed() || !c->Visible()) continue;
    if (!includeDisabled && !c->Enabled()) continue;
    if (c->Bounds().Contains(p)) return c;
  }
  return nullptr;
}

void TWinControl::NotifyChildrenColor() {
  for (auto* c : Children)
    if (c->ParentColor) {
      c->ParentColorChanged();
      if (auto* w = dynamic_cast<TWinControl*>(c)) w->NotifyChildrenColor();
    }
}

void TWinControl::NotifyChildrenFont() {
  for (auto* c : Children)
    if (c->ParentFont) {
      c->ParentFontChanged();
      if (auto* w = dynamic_cast<TWinControl*>(c)) w->NotifyChildrenFont();
    }
}

void TWinControl::PaintWindow(TCanvas& canvas) {
  canvas.Brush.Color = Color();
  canvas.Brush.Style = bsSolid;
  canvas.FillRect(ClientRect());
}

void TWinControl::PaintAll(HDC dc, const RECT& clip) {
  TCanvas canvas(dc);
  canvas.Font = Font();
  PaintWindow(canvas);
  for (auto* c : Children) {
    if (c->IsWindowed() || !c->Visible()) continue;
    TRect b = c->Bounds();
    RECT inter, rc{b.Left, b.Top, b.Right, b.Bottom};
    if (!IntersectRect(&inter, &rc, &clip)) continue;
    int saved = SaveDC(dc);
    IntersectClipRect(dc, b.Left, b.Top, b.Right, b.Bottom);
    POINT old;
    OffsetViewportOrgEx(dc, b.Left, b.Top, &old);
    TCanvas childCanvas(dc);
    childCanvas.Font = c->Font();
    c->Paint(childCanvas);
    RestoreDC(dc, saved);
  }
}

bool TWinControl::OfferDialogChar(char c) {
  // Offer the character to every windowed control of the form, the focused one's parents first.
  TWinControl* top = this;
  while (top->Parent()) top = top->Parent();
  std::vector<TWinControl*> stack{top};
  while (!stack.empty()) {
    TWinControl* w = stack.back();
    stack.pop_back();
    if (!w->Showing() || !w->Enabled()) continue;
    if (w->DialogChar(c)) return true;
    for (auto* child : w->Children)
      if (auto* cw = dynamic_cast<TWinControl*>(child))
        stack.push_back(cw);
      else if (child->Visible() && child->Enabled() && child->DialogChar(c))
        return true;
  }
  return false;
}

void TWinControl::RouteMouse(UINT msg, WPARAM wp, LPARAM lp) {
  TPoint p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  unsigned shift = 0;
  if (wp & MK_SHIFT) shift |= ssShift;
  if (wp & MK_CONTROL) shift |= ssCtrl;
  if (wp & MK_LBUTTON) shift |= ssLeft;
  if (wp & MK_RBUTTON) shift |= ssRight;
  if (wp & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;

  if (msg == WM_MOUSEMOVE && !TrackingLeave) {
    TrackPointerLeave(Wnd);
    TrackingLeave = true;
  }

  if (msg == WM_MOUSEMOVE && MouseControl) {
    // While a windowless control holds the mouse, it still hears the pointer leave and come back.
    bool inside = GraphicControlAt(p, true) == MouseControl;
    if (inside != MouseControl->MouseInside) {
      HoverControl = inside ? MouseControl : nullptr;
      if (inside)
        MouseControl->MouseEnter();
      else
        MouseControl->MouseLeave();
    }
  }
  if (msg == WM_MOUSEMOVE && !MouseControl) {
    TControl* under = GraphicControlAt(p);
    if (under != HoverControl) {
      TControl* old = HoverControl;
      HoverControl = under;
      if (old) old->MouseLeave();
      if (under) under->MouseEnter();
    }
    if (!MouseInside) MouseEnter();
  }
  TControl* target = MouseControl ? MouseControl : GraphicControlAt(p);
  TControl* receiver = target ? target : static_cast<TControl*>(this);
  int x = p.X, y = p.Y;
  if (target) {
    x -= target->Left();
    y -= target->Top();
  }
  switch (msg) {
    case WM_MOUSEMOVE:
      receiver->MouseMove(shift, x, y);
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      TMouseButton b = (msg == WM_RBUTTONDOWN) ? mbRight : (msg == WM_MBUTTONDOWN) ? mbMiddle : mbLeft;
      if (target) MouseControl = target;
      SetCapture(Wnd);
      receiver->MouseDown(b, shift, x, y);
      break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      TMouseButton b = (msg == WM_RBUTTONUP) ? mbRight : (msg == WM_MBUTTONUP) ? mbMiddle : mbLeft;
      if (!(wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
        MouseControl = nullptr;
        if (GetCapture() == Wnd) ReleaseCapture();
      }
      receiver->MouseUp(b, shift, x, y);
      break;
    }
  }
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wp, LPARAM lp) {
  if (SystemProc) return CallWindowProcA(SystemProc, Wnd, msg, wp, lp);
  return DefWindowProcA(Wnd, msg, wp, lp);
}

bool TWinControl::SetCursorOfControl() {
  POINT pt;
  GetCursorPos(&pt);
  ::ScreenToClient(Wnd, &pt);
  TControl* under = GraphicControlAt({pt.x, pt.y});
  if (!under) under = this;
  HCURSOR c = under->Cursor != 0 ? ScreenCursor(under->Cursor) : nullptr;
  if (c) SetCursor(c);
  return c != nullptr;
}

void TWinControl::PaintMessage() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Wnd, &ps);
  RECT client;
  GetClientRect(Wnd, &client);
  if (WantsDoubleBuffer() && client.right > 0 && client.bottom > 0) {
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ old = SelectObject(mem, bmp);
    PaintAll(mem, ps.rcPaint);
    BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
  } else {
    PaintAll(dc, ps.rcPaint);
  }
  EndPaint(Wnd, &ps);
}

LRESULT TWinControl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      if (SystemProc) break;
      return 1;
    case WM_PAINT:
      if (SystemProc) break;
      PaintMessage();
      return 0;
    case WM_PRINTCLIENT: {
      if (SystemProc) break;
      RECT client;
      GetClientRect(Wnd, &client);
      PaintAll(reinterpret_cast<HDC>(wp), client);
      return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      RouteMouse(msg, wp, lp);
      if (SystemProc) break;
      return 0;
    case WM_MOUSELEAVE:
      TrackingLeave = false;
      if (HoverControl && !MouseControl) {
        TControl* old = HoverControl;
        HoverControl = nullptr;
        old->MouseLeave();
      }
      if (MouseInside) MouseLeave();
      if (SystemProc) break;
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != Wnd) MouseControl = nullptr;
      break;
    case WM_SETFOCUS:
      FocusChanged(true);
      break;
    case WM_KILLFOCUS:
      FocusChanged(false);
      break;
    case WM_KEYDOWN:
      KeyDown(wp);
      break;
    case WM_CHAR:
      KeyChar(static_cast<char>(wp));
      // What an edit control does not type is offered to the controls as an accelerator.
      if (!SystemProc && OfferDialogChar(static_cast<char>(wp))) return 0;
      break;
    case WM_SYSCHAR:
      if (OfferDialogChar(static_cast<char>(wp))) return 0;
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wp) == Wnd && LOWORD(lp) == HTCLIENT && SetCursorOfControl()) return TRUE;
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lp)))
        if (HBRUSH b = child->CtlColor(reinterpret_cast<HDC>(wp))) return reinterpret_cast<LRESULT>(b);
      break;
    case WM_SYSCOLORCHANGE:
      ColorChanged();
      NotifyChildrenColor();
      break;
    case WM_GETOBJECT:
      if (LRESULT object = AccessibleObjectFor(*this, wp, lp)) return object;
      break;
    default:
      if (IsAccessibleActionMessage(msg)) {
        RunAccessibleAction(*this, wp);
        return 0;
      }
  }
  return DefaultHandler(msg, wp, lp);
}

LRESULT CALLBACK TWinControl::WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    auto* self = static_cast<TWinControl*>(cs->lpCreateParams);
    SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self) self->Wnd = wnd;
  }
  TWinControl* self = FromHandle(wnd);
  if (!self) return DefWindowProcA(wnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    LRESULT r =
        self->SystemProc ? CallWindowProcA(self->SystemProc, wnd, msg, wp, lp) : DefWindowProcA(wnd, msg, wp, lp);
    SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
    RemovePropA(wnd, SelfProp);
    if (self->Wnd == wnd) self->Wnd = nullptr;
    return r;
  }
  try {
    return self->HandleMessage(msg, wp, lp);
  } catch (const std::exception& e) {
    Application().HandleException(e);
  } catch (...) {
    Application().HandleException(Exception("Unknown error"));
  }
  return 0;
}

// ---- TForm

namespace {
// The UI-state messages of Windows 2000 and later (older systems ignore them).
constexpr UINT ChangeUiState = 0x0127, UpdateUiState = 0x0128;
constexpr WORD UiSet = 1, UiClear = 2, UiHideFocus = 1, UiHideAccel = 2;

} // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  OwnColor = clWhite;
  IsVisible = false;
  OwnFont = TFont("MS Sans Serif", -11);
  ParentFont = false;
}

void TForm::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.ClassName = "QuorvelForm";
  p.Style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
  if (!IsEnabled) p.Style |= WS_DISABLED;
  p.ExStyle = StayOnTop ? WS_EX_TOPMOST : 0;
  // Secondary forms belong to the main form so they stay above it and off the task bar.
  TForm* main = Application().MainForm;
  p.ParentWnd = (main && main != this) ? main->Handle() : nullptr;
  if (!p.ParentWnd) p.ExStyle |= WS_EX_APPWINDOW;
  p.Text = Title;
}

void TForm::CreateHandle() {
  if (Position == poScreenCenter) {
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    BoundsRect = qv::Bounds((sw - Width()) / 2, (sh - Height()) / 2, Width(), Height());
  }
  TWinControl::CreateHandle();
  if (!Wnd) return;
  // Keyboard cues start hidden, for the system's controls too (Windows 2000 and later).
  SendMessageA(Wnd, ChangeUiState, MAKEWPARAM(UiSet, UiHideFocus | UiHideAccel), 0);
  // The program's own icon (resource 1) for the task bar and the task switcher.
  if (HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1))) {
    SendMessageA(Wnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(Wnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
}

void TForm::Show() {
  Handle();
  IsVisible = true;
  ShowWindow(Wnd, ActivateOnShow ? SW_SHOW : SW_SHOWNA);
  // As a dialog does: the first control that Tab reaches has the focus, its mark still hidden.
  if (ActivateOnShow && GetFocus() == Wnd && !Graphic) FocusControl(NextTabStop(nullptr, true));
  UpdateWindow(Wnd);
}

void TForm::Hide() {
  IsVisible = false;
  if (Wnd)
    SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}

void TForm::SetEnabled(bool v) {
  // Disabling a window takes the keyboard focus from it, and enabling it again does not give the
  // focus back. A form that stays the active window with no focus gets every key press as a system
  // key message (WM_SYSKEYDOWN, as if Alt were held), so the lock-key monitor and the dialog
  // characters would miss them: give the focus back to where it was, or to the form.
  if (!v && Wnd) {
    HWND focus = GetFocus();
    FocusBeforeDisable = focus && (focus == Wnd || IsChild(Wnd, focus)) ? focus : nullptr;
  }
  TWinControl::SetEnabled(v);
  if (v && Wnd && GetActiveWindow() == Wnd && !GetFocus()) {
    HWND back = FocusBeforeDisable;
    if (!back || !IsWindow(back) || !IsChild(Wnd, back) || !IsWindowVisible(back) || !IsWindowEnabled(back)) back = Wnd;
    ::SetFocus(back);
  }
  if (v) FocusBeforeDisable = nullptr;
}

void TForm::Describe(AccessibleFacts& facts) const {
  TWinControl::Describe(facts);
  facts.Name = Title;
}

namespace {

void CollectTabStops(const TWinControl& parent, std::vector<TControl*>& stops) {
  for (TControl* c : parent.Controls()) {
    if (!c->Visible() || !c->Enabled()) continue;
    if (c->TabStop) stops.push_back(c);
    if (auto* w = dynamic_cast<const TWinControl*>(c)) CollectTabStops(*w, stops);
  }
}

} // namespace

TControl* TForm::ActiveControl() const {
  HWND focus = GetFocus();
  if (!Wnd || !focus) return nullptr;
  if (focus == Wnd) return Graphic && Graphic->Showing() && Graphic->Enabled() ? Graphic : nullptr;
  return IsChild(Wnd, focus) ? FromHandle(focus) : nullptr;
}

void TForm::FocusControl(TControl* c) {
  if (!c || !Wnd) return;
  if (c->IsWindowed()) {
    static_cast<TWinControl*>(c)->SetFocus();
    return;
  }
  TControl* old = Graphic;
  Graphic = c;
  if (GetFocus() != Wnd)
    ::SetFocus(Wnd); // the focus message marks and announces the control
  else if (old != c)
    GraphicFocusChanged(old);
}

void TForm::GraphicFocusChanged(TControl* old) {
  if (old) old->Invalidate();
  if (!Graphic) return;
  Graphic->Invalidate();
  if (Focused()) AnnounceEvent(EVENT_OBJECT_FOCUS, *Graphic);
}

TControl* TForm::NextTabStop(TControl* from, bool forward) const {
  std::vector<TControl*> stops;
  CollectTabStops(*this, stops);
  if (stops.empty()) return nullptr;
  auto at = std::find(stops.begin(), stops.end(), from);
  if (at == stops.end()) return forward ? stops.front() : stops.back();
  size_t i = static_cast<size_t>(at - stops.begin());
  return stops[forward ? (i + 1) % stops.size() : (i + stops.size() - 1) % stops.size()];
}

bool TForm::DialogKey(const MSG& msg) {
  if (msg.message == WM_SYSKEYDOWN) {
    ShowKeyboardCues(); // Alt, alone or with an access key
    return false;
  }
  if (msg.message != WM_KEYDOWN) return false;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
  const bool repeat = (msg.lParam & (1 << 30)) != 0;
  auto offerPage = [this](bool forward) {
    std::vector<TWinControl*> stack{this};
    while (!stack.empty()) {
      TWinControl* w = stack.back();
      stack.pop_back();
      if (!w->Showing() || !w->Enabled()) continue;
      if (w->SelectNextPage(forward)) return;
      for (auto* child : w->Controls())
        if (auto* cw = dynamic_cast<TWinControl*>(child)) stack.push_back(cw);
    }
  };
  switch (msg.wParam) {
    case VK_TAB:
      ShowKeyboardCues();
      if (ctrl)
        offerPage(!shift);
      else
        FocusControl(NextTabStop(ActiveControl(), !shift));
      return true;
    case VK_PRIOR:
    case VK_NEXT:
      if (!ctrl) return false;
      ShowKeyboardCues();
      offerPage(msg.wParam == VK_NEXT);
      return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      ShowKeyboardCues();
      return false;
    case VK_RETURN:
    case VK_SPACE:
      if (!Graphic || !Graphic->Focused() || !Graphic->Enabled()) return false;
      if (!repeat) Graphic->KeyPress();
      return true;
    case VK_F1:
      if (!OnHelp) return false;
      if (!repeat) OnHelp(this);
      return true;
  }
  return false;
}

void TForm::ShowKeyboardCues() {
  if (!HideFocus && !HideAccel) return;
  SetCues(false, false);
  // Windows 2000 and later keep the state for the window's system controls too.
  if (Wnd) SendMessageA(Wnd, ChangeUiState, MAKEWPARAM(UiClear, UiHideFocus | UiHideAccel), 0);
}

void TForm::SetCues(bool hideFocus, bool hideAccel) {
  if (hideFocus == HideFocus && hideAccel == HideAccel) return;
  HideFocus = hideFocus;
  HideAccel = hideAccel;
  KeyboardCuesChanged();
}

void TForm::KeyboardCuesChanged() {
  if (Wnd) RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TForm::Close() {
  if (Wnd) PostMessageA(Wnd, WM_CLOSE, 0, 0);
}

LRESULT TForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      if (OnClose) OnClose(this);
      Hide();
      if (Application().MainForm == this) PostQuitMessage(0);
      return 0;
    case WM_ACTIVATEAPP:
      if (wp) Application().Activated();
      break;
    case WM_ACTIVATE: {
      // Back from a dialog or another program, the focus returns to the control that had it.
      HWND focus = GetFocus();
      if (LOWORD(wp) == WA_INACTIVE) {
        FocusBeforeDeactivate = focus && IsChild(Wnd, focus) ? focus : nullptr;
        break;
      }
      HWND back = FocusBeforeDeactivate;
      FocusBeforeDeactivate = nullptr;
      if (back && IsWindow(back) && IsChild(Wnd, back) && IsWindowVisible(back) && IsWindowEnabled(back) &&
          IsWindowEnabled(Wnd)) {
        ::SetFocus(back);
        return 0;
      }
      break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (Graphic) {
        Graphic->Invalidate();
        if (msg == WM_SETFOCUS) AnnounceEvent(EVENT_OBJECT_FOCUS, *Graphic);
      }
      break;
    case UpdateUiState: {
      const WORD action = LOWORD(wp), flags = HIWORD(wp);
      if (action == UiSet || action == UiClear)
        SetCues(flags & UiHideFocus ? action == UiSet : HideFocus, flags & UiHideAccel ? action == UiSet : HideAccel);
      break;
    }
  }
  return TWinControl::HandleMessage(msg, wp, lp);
}

} // namespace qv
