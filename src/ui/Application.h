#pragma once
#include <functional>
#include <memory>
#include <string>

#include "core/Errors.h"
#include "core/Geometry.h"
#include "ui/Controls.h"

namespace qv {

// The window that shows a hint. The application makes one through HintWindowClass; a component
// can install its own kind (shaped, translucent...).
class THintWindow {
public:
  virtual ~THintWindow();
  // Size of the hint for a text, at most maxWidth wide (the rectangle starts at 0, 0).
  virtual TRect CalcHintRect(int maxWidth, const std::string& text);
  // Shows the hint in a screen rectangle.
  virtual void ActivateHint(const TRect& rect, const std::string& text);
  virtual void ReleaseHint();
  bool IsShowing() const { return Wnd && IsWindowVisible(Wnd); }
  HWND Handle() const { return Wnd; }
  TFont Font{"MS Sans Serif", -11};
  TColor Color = 0xE1FFFF;

protected:
  virtual void Paint(HDC dc, const TRect& client);
  void CreateWindowIfNeeded();
  HWND Wnd = nullptr;
  std::string Text;

private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
};

// What the show-hint callback may change before a hint appears.
struct THintInfo {
  TControl* HintControl = nullptr;
  TPoint HintPos; // screen position of the hint's top left
  int HintMaxWidth = 300;
  TRect CursorRect; // in the control's coordinates; leaving it hides the hint
  TPoint CursorPos; // in the control's coordinates
};
using TShowHintEvent = std::function<void(std::string& hintText, bool& canShow, THintInfo& info)>;

// The program's application object: title, message loop with a hook that sees each queued message
// before dispatch, activation handler, the hint machinery, and the handler that shows an error's text
// in a message box and lets the program go on.
class TApplication {
public:
  TApplication();
  ~TApplication();

  std::string Title = "Quorvel";
  std::string HelpFile;
  TForm* MainForm = nullptr;

  std::function<void(MSG& msg, bool& handled)> OnMessage;
  std::function<void()> OnActivate;
  std::function<void(const std::exception& e)> OnException; // replaces the message box

  // Hints.
  bool ShowHint() const { return ShowHints; }
  void SetShowHint(bool on); // switching on (re)creates the hint window
  int HintPause = 500;
  int HintHidePause = 2500;
  int HintShortPause = 50;
  std::function<std::unique_ptr<THintWindow>()> HintWindowClass;
  TShowHintEvent OnShowHint;
  void CancelHint();
  THintWindow* HintWindow() const { return Hint.get(); }

  void Run();
  void ProcessMessages();
  void Terminate() { PostQuitMessage(0); }
  // The message box with the error's text (or OnException).
  void HandleException(const std::exception& e);
  // Characters of a word without a blank before the message box breaks it.
  static constexpr size_t MessageRunWidth = 64;
  bool HelpCommand(unsigned command, ULONG_PTR data);

  // Framework notifications.
  void ControlDestroyed(TControl* c);
  void Activated();
  void MouseMovedOver(TControl* c);

  // The control at a screen point, disabled ones included.
  TControl* ControlAtPos(TPoint screen, bool includeDisabled = true) const;

private:
  bool HandleHookedMessage(MSG& msg);
  void HintTimerFired();
  void ShowHintFor(TControl* c);
  static void CALLBACK HintTimerProc(HWND, UINT, UINT_PTR, DWORD);

  bool ShowHints = false;
  std::unique_ptr<THintWindow> Hint;
  TControl* HintControl = nullptr;
  TControl* ShownFor = nullptr;
  enum { HintIdle, HintWaiting, HintShown } HintState = HintIdle;
  UINT_PTR HintTimer = 0;
  DWORD HiddenAt = 0;
};

TApplication& Application();

// The screen's cursor table: cursors by index, for TControl::Cursor.
void SetScreenCursor(int index, HCURSOR cursor);
HCURSOR ScreenCursor(int index);

} // namespace qv
