#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Colour.h"
#include "core/Geometry.h"
#include "ui/Graphics.h"
#include "ui/Win.h"

namespace qv {

class TWinControl;
class TForm;
struct AccessibleFacts;

// Ownership: an owner frees the components it owns, last created first.
class TComponent {
public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  std::string Name;
  TComponent* Owner() const { return OwnerPtr; }
  const std::vector<TComponent*>& Components() const { return Owned; }
  template <typename T>
  T* FindComponentOf() const {
    for (auto* c : Owned)
      if (auto* t = dynamic_cast<T*>(c)) return t;
    return nullptr;
  }
  TComponent* FindComponent(const std::string& name) const;

private:
  TComponent* OwnerPtr;
  std::vector<TComponent*> Owned;
};

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

using TNotifyEvent = std::function<void(class TControl* sender)>;
using TMouseEvent = std::function<void(TControl* sender, TMouseButton button, unsigned shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TControl* sender, unsigned shift, int x, int y)>;

// A control: bounds in its parent, visibility, enabled state, colour and font (possibly the
// parent's), hint, mouse events. Windowless controls paint on the parent's surface; windowed ones
// (TWinControl) have a window of their own.
class TControl : public TComponent {
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  virtual void SetParent(TWinControl* parent);
  TWinControl* Parent() const { return ParentPtr; }

  int Left() const { return BoundsRect.Left; }
  int Top() const { return BoundsRect.Top; }
  int Width() const { return BoundsRect.Width(); }
  int Height() const { return BoundsRect.Height(); }
  TRect Bounds() const { return BoundsRect; }
  TRect ClientRect() const { return {0, 0, Width(), Height()}; }
  virtual void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }

  bool Visible() const { return IsVisible; }
  virtual void SetVisible(bool v);
  // Visible here and in every parent up to the form.
  bool Showing() const;
  bool Enabled() const { return IsEnabled; }
  virtual void SetEnabled(bool v);

  TColor Color() const;
  void SetColor(TColor c);
  bool ParentColor = false;
  const TFont& Font() const;
  TFont& FontForChange(); // stops following the parent's font
  void SetFont(const TFont& f);
  bool ParentFont = true;

  std::string Caption() const { return CaptionText; }
  virtual void SetCaption(const std::string& c);
  std::string Hint;
  bool ShowHint = false;
  // Index into the screen's cursor table (0: the arrow); shown while the pointer is over it.
  int Cursor = 0;
  // Reached with Tab and Shift+Tab.
  bool TabStop = false;

  // What a screen reader is told of the control: the class's own role and text, or the name given
  // here where the control shows no name of its own (its text is a value). A hidden control, and a
  // control of role 0, is not shown to screen readers (pictures; a caption read with its value).
  std::string AccessibleName;
  long AccessibleRole = 0;
  bool AccessibleHidden = false;
  virtual void Describe(AccessibleFacts& facts) const;
  // Parts drawn inside the control that a screen reader reads one by one (the tabs of a strip).
  virtual int AccessibleItemCount() const { return 0; }
  virtual void DescribeItem(int, AccessibleFacts&) const {}
  // The default action of the control (item -1) or of an item; false when there is none.
  virtual bool DoAccessibleAction(int) { return false; }

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  virtual bool IsWindowed() const { return false; }
  // The form the control lies on, or null.
  TForm* Form() const;
  // Holds the keyboard focus: a windowless control as its form's focused control.
  virtual bool Focused() const;
  // Enter, Space or the access key on a windowless control with the focus: its click.
  virtual void KeyPress() {}
  // A typed character that the focused control did not use, offered as an accelerator.
  virtual bool DialogChar(char) { return false; }
  virtual void Invalidate();
  // Windowless controls paint here, in their own coordinates.
  virtual void Paint(TCanvas&) {}

  // Mouse input, coordinates relative to the control. The defaults raise the events and make a
  // click out of a left press released inside the control.
  virtual void MouseDown(TMouseButton button, unsigned shift, int x, int y);
  virtual void MouseMove(unsigned shift, int x, int y);
  virtual void MouseUp(TMouseButton button, unsigned shift, int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void Click();
  virtual void ParentColorChanged() { Invalidate(); }
  virtual void ParentFontChanged() { Invalidate(); }
  bool MouseInside = false;

  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

protected:
  virtual void BoundsChanged() {}
  virtual void VisibleChanged() {}
  virtual void EnabledChanged() { Invalidate(); }
  virtual void ColorChanged() { Invalidate(); }
  virtual void FontChanged() { Invalidate(); }
  TWinControl* ParentPtr = nullptr;
  TRect BoundsRect;
  bool IsVisible = true;
  bool IsEnabled = true;
  TColor OwnColor = clBtnFace;
  TFont OwnFont;
  std::string CaptionText;
  bool Pressed = false;
  friend class TWinControl;
};

class TGraphicControl : public TControl {
public:
  using TControl::TControl;
};

// A control with its own window. Paints its background and its windowless children (in z-order)
// through a back buffer, and routes mouse input to the windowless child under the pointer.
class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  bool IsWindowed() const override { return true; }
  void Describe(AccessibleFacts& facts) const override;
  // A system control (the edit of a memo) under the framework's window procedure.
  bool SystemControl() const { return SystemProc != nullptr; }
  HWND Handle();
  bool HandleAllocated() const { return Wnd != nullptr; }
  void SetParent(TWinControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool v) override;
  void SetEnabled(bool v) override;
  void Invalidate() override;
  void Update(); // repaint now, without waiting for the message loop
  void BringToFront();
  void SetFocus();
  bool Focused() const override;

  const std::vector<TControl*>& Controls() const { return Children; }
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  // The visible windowless child at a point in client coordinates, topmost first.
  TControl* GraphicControlAt(TPoint p, bool includeDisabled = false) const;
  void NotifyChildrenColor();
  void NotifyChildrenFont();
  // Ctrl+Tab and its kin, offered to every control: true when the control changed the page.
  virtual bool SelectNextPage(bool) { return false; }

  // The window procedure of every control window; exceptions stop here.
  static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  static TWinControl* FromHandle(HWND wnd);

protected:
  struct CreateParams {
    const char* ClassName = "QuorvelControl";
    DWORD Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    DWORD ExStyle = 0;
    HWND ParentWnd = nullptr;
    const char* SystemClass = nullptr; // subclass a system control (EDIT)
    std::string Text;
  };
  virtual void MakeCreateParams(CreateParams& p);
  virtual void CreateHandle();
  virtual void DestroyHandle();
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT DefaultHandler(UINT msg, WPARAM wp, LPARAM lp);
  // Paints the control's own face; the default fills with its colour.
  virtual void PaintWindow(TCanvas& canvas);
  virtual bool WantsDoubleBuffer() const { return true; }
  // Colours of a system control child (WM_CTLCOLOR...): its brush, or null for the default.
  virtual HBRUSH CtlColor(HDC) { return nullptr; }
  virtual void FocusChanged(bool) {}
  virtual void KeyDown(WPARAM) {}
  virtual void KeyChar(char) {}
  bool OfferDialogChar(char c);

  HWND Wnd = nullptr;
  WNDPROC SystemProc = nullptr;
  std::vector<TControl*> Children;
  TControl* MouseControl = nullptr; // windowless child that holds the mouse (pressed)
  TControl* HoverControl = nullptr; // windowless child under the pointer
  bool TrackingLeave = false;

private:
  void RouteMouse(UINT msg, WPARAM wp, LPARAM lp);
  void PaintMessage();       // WM_PAINT: the window through a back buffer
  bool SetCursorOfControl(); // WM_SETCURSOR: the cursor of the control under the pointer, if it has one
  void PaintAll(HDC dc, const RECT& clip);
  friend class TApplication;
};

enum TFormPosition { poDesigned, poScreenCenter };

// A top-level window: no border (the skin draws its own), centred, enabled or disabled, optionally
// always on top. Closing the main form ends the program.
class TForm : public TWinControl {
public:
  explicit TForm(TComponent* owner);
  void Show();
  void Hide();
  void Close();
  void SetEnabled(bool v) override;
  void Describe(AccessibleFacts& facts) const override;
  bool StayOnTop = false;
  // A busy window is shown without taking the focus; hiding it then needs no change of active window.
  bool ActivateOnShow = true;
  TFormPosition Position = poScreenCenter;
  std::string Title = "Quorvel";
  TNotifyEvent OnClose;
  TNotifyEvent OnHelp; // F1

  // The keyboard. The control with the focus: a windowed one holds the window focus; a windowless
  // one is the form's focused control while the form's own window holds it.
  TControl* ActiveControl() const;
  void FocusControl(TControl* c);
  TControl* FocusedGraphic() const { return Graphic; }
  // The next control that Tab (forward) or Shift+Tab reaches: the shown and enabled tab stops in
  // the order the controls were placed, a parent before its children.
  TControl* NextTabStop(TControl* from, bool forward) const;
  // The dialog keys, before the message reaches its window: true when the form used the key.
  bool DialogKey(const MSG& msg);

  // Keyboard cues (focus marks, underlined access keys) show only once the keyboard is used.
  bool FocusCuesShown() const { return !HideFocus; }
  bool AccelCuesShown() const { return !HideAccel; }
  void ShowKeyboardCues();

protected:
  void MakeCreateParams(CreateParams& p) override;
  void CreateHandle() override;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  virtual void KeyboardCuesChanged();

private:
  void SetCues(bool hideFocus, bool hideAccel);
  void GraphicFocusChanged(TControl* old);
  HWND FocusBeforeDisable = nullptr;
  HWND FocusBeforeDeactivate = nullptr;
  TControl* Graphic = nullptr;
  bool HideFocus = true;
  bool HideAccel = true;
};

} // namespace qv
