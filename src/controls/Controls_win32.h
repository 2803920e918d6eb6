#pragma once
// The owner-drawn components of the main window.
#include <string>
#include <vector>

#include "ui/Application.h"
#include "ui/StdCtrls.h"

namespace qv {

// A button drawn from pictures: up, over, down, disabled, current.
class TImageButton : public TGraphicControl {
public:
  explicit TImageButton(TComponent* owner) : TGraphicControl(owner) {}
  TBitmap PictureUp, PictureOver, PictureDown, PictureDisabled, PictureCurrent;
  void Paint(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, unsigned shift, int x, int y) override;
  void MouseUp(TMouseButton button, unsigned shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
};

// The flat page selector; its pages are child panels.
class TFlatTabControl : public TWinControl {
public:
  explicit TFlatTabControl(TComponent* owner);
  std::vector<std::string> Tabs;
  TColor BorderColor = QuorvelBorderBlue;
  TColor UnselectedColor = QuorvelTabBlue;
  int ActiveTab() const { return Active; }
  void SetActiveTab(int index);
  TNotifyEvent OnTabChanged;
  std::vector<TRect> TabRects();

protected:
  void PaintWindow(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, unsigned shift, int x, int y) override;
  int Active = 0;
};

// A flat check box; a click toggles it.
class TFlatCheckBox : public TWinControl {
public:
  explicit TFlatCheckBox(TComponent* owner);
  bool Checked() const { return IsChecked; }
  void SetChecked(bool v);
  void Click() override;

protected:
  void PaintWindow(TCanvas& canvas) override;
  bool IsChecked = false;
};

// A percentage bar with a gradient face.
class TVantuProgressBar : public TGraphicControl {
public:
  explicit TVantuProgressBar(TComponent* owner) : TGraphicControl(owner) {}
  int Position() const { return Pos; }
  void SetPosition(int v);
  std::string Suffix = "%";
  TBitmap BarTexture;
  void Paint(TCanvas& canvas) override;

private:
  int Pos = 0;
};

// The multi-line field with a flat border.
class TFlatMemo : public TMemo {
public:
  explicit TFlatMemo(TComponent* owner);
};

// A label that opens a link through the shell.
class TProUrlLabel : public TLabel {
public:
  explicit TProUrlLabel(TComponent* owner);
  std::string URL;
  void Click() override;
  void MouseEnter() override;
  void MouseLeave() override;
};

// The hint settings of the main window.
class TKeshHint : public TComponent {
public:
  explicit TKeshHint(TComponent* owner) : TComponent(owner) {}
  void Activate();
};

} // namespace qv
