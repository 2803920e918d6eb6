#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace qv {

// Windowless text.
class TLabel : public TGraphicControl {
public:
  explicit TLabel(TComponent* owner);
  TAlignment Alignment = taLeftJustify;
  bool Transparent = true;
  bool WordWrap = false;
  // Fit the width to the caption, keeping the right edge of a right-aligned label in place.
  void SetAutoSize(bool on);
  void SetCaption(const std::string& c) override;
  void Paint(TCanvas& canvas) override;
  // Its text; given a name, the label reads as that name with its text as the value.
  void Describe(AccessibleFacts& facts) const override;

protected:
  void FontChanged() override;
  void AdjustBounds();
  bool AutoSize = false;
};

// Windowless picture.
class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent* owner) : TGraphicControl(owner) {}
  TBitmap Picture;
  bool Stretch = false;
  bool Center = false;
  bool Transparent = false; // the bottom-left pixel's colour shows what lies below
  void Paint(TCanvas& canvas) override;
};

enum TPanelBevel { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
public:
  explicit TPanel(TComponent* owner);
  TPanelBevel BevelInner = bvNone;
  TPanelBevel BevelOuter = bvRaised;

protected:
  void PaintWindow(TCanvas& canvas) override;
};

// A clipping viewport whose child can be moved (the credits).
class TScrollBox : public TWinControl {
public:
  explicit TScrollBox(TComponent* owner);
  bool BorderVisible = false;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// The native multi-line edit with a line list.
class TMemo : public TWinControl {
public:
  explicit TMemo(TComponent* owner);
  ~TMemo() override;
  bool ReadOnly = false;
  TScrollStyle ScrollBars = ssVertical;
  std::vector<std::string> Lines() const;
  void ClearLines();
  void AddLine(const std::string& line);
  void SetLines(const std::vector<std::string>& lines);
  int LineCount() const { return static_cast<int>(Lines().size()); }
  std::string Text() const;
  void SetText(const std::string& text);

protected:
  void MakeCreateParams(CreateParams& p) override;
  void CreateHandle() override;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void ColorChanged() override;
  HBRUSH CtlColor(HDC dc) override;
  HBRUSH BackBrush = nullptr;
  std::string PendingText; // kept while there is no window
};

// A timer on the message loop.
class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* owner) : TComponent(owner) {}
  ~TTimer() override;
  void SetEnabled(bool on);
  bool Enabled() const { return Id != 0; }
  void SetInterval(unsigned ms);
  unsigned Interval() const { return IntervalMs; }
  std::function<void(TTimer*)> OnTimer;

private:
  static void CALLBACK Proc(HWND, UINT, UINT_PTR id, DWORD);
  unsigned IntervalMs = 1000;
  UINT_PTR Id = 0;
};

} // namespace qv
