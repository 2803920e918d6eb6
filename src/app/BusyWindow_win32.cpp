#include "app/BusyWindow_win32.h"

#include "app/ResourceIds.h"

namespace qv {

TBusyWindow* BusyWindow = nullptr;

TBusyWindow::TBusyWindow(TComponent* owner) : TForm(owner) {
  Name = "BusyWindow";
  StayOnTop = true;
  ActivateOnShow = false;
  Position = poScreenCenter;
  SetBounds(0, 0, 300, 123);
}

// The pictures and the label are made with the window, when the first pass shows it: a program that
// is opened, looked at and closed never pays for them.
void TBusyWindow::CreateHandle() {
  if (!Background) MakeContents();
  TForm::CreateHandle();
}

void TBusyWindow::MakeContents() {
  Background = new TImage(this);
  Background->SetBounds(0, 0, 300, 123);
  Background->Picture.LoadFromResource(IDB_SPLASH);
  Background->SetParent(this);

  Bar = new TImage(this);
  Bar->SetBounds(26, 80, 251, 23);
  Bar->Picture.LoadFromResource(IDB_SPLASHBAR);
  Bar->SetParent(this);

  Icon = new TImage(this);
  Icon->SetBounds(36, 76, 32, 32);
  Icon->Transparent = true;
  Icon->Picture.LoadFromResource(IDB_SPLASHICON);
  Icon->SetParent(this);

  Title = new TLabel(this);
  Title->SetBounds(160, 84, 100, 16);
  Title->SetCaption("Quorvel");
  Title->Alignment = taRightJustify;
  Title->SetFont(TFont("MS Sans Serif", -11, fsBold, clWhite));
  Title->SetParent(this);
}

void TBusyWindow::MakeCreateParams(CreateParams& p) {
  TForm::MakeCreateParams(p);
  // Not a window of the task bar or the window manager: it comes and goes without ceremony.
  p.Style &= ~(WS_SYSMENU | WS_MINIMIZEBOX);
  p.ExStyle = (p.ExStyle & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW;
}

} // namespace qv
