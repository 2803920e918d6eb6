#include "app/Unit2_win32.h"

#include "app/ResourceIds.h"

namespace qv {

TSplashForm* SplashForm = nullptr;

TSplashForm::TSplashForm(TComponent* owner) : TForm(owner) {
  Name = "SplashForm";
  StayOnTop = true;
  ActivateOnShow = false;
  Position = poScreenCenter;
  SetBounds(0, 0, 300, 123);
}

// The pictures and the label are made with the window, when the first pass shows it: a program that
// is opened, looked at and closed never pays for them.
void TSplashForm::CreateHandle() {
  if (!Image1) MakeContents();
  TForm::CreateHandle();
}

void TSplashForm::MakeContents() {
  Image1 = new TImage(this);
  Image1->SetBounds(0, 0, 300, 123);
  Image1->Picture.LoadFromResource(IDB_SPLASH);
  Image1->SetParent(this);

  Image2 = new TImage(this);
  Image2->SetBounds(26, 80, 251, 23);
  Image2->Picture.LoadFromResource(IDB_SPLASHBAR);
  Image2->SetParent(this);

  Image3 = new TImage(this);
  Image3->SetBounds(36, 76, 32, 32);
  Image3->Transparent = true;
  Image3->Picture.LoadFromResource(IDB_SPLASHICON);
  Image3->SetParent(this);

  Label1 = new TLabel(this);
  Label1->SetBounds(160, 84, 100, 16);
  Label1->SetCaption("Quorvel");
  Label1->Alignment = taRightJustify;
  Label1->SetFont(TFont("MS Sans Serif", -11, fsBold, clWhite));
  Label1->SetParent(this);
}

void TSplashForm::MakeCreateParams(CreateParams& p) {
  TForm::MakeCreateParams(p);
  // Not a window of the task bar or the window manager: it comes and goes without ceremony.
  p.Style &= ~(WS_SYSMENU | WS_MINIMIZEBOX);
  p.ExStyle = (p.ExStyle & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW;
}

} // namespace qv
