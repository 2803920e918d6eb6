#pragma once
#include "controls/ImageButton.h"
#include "ui/Controls.h"

namespace qv {

// A windowless button drawn from five pictures; it takes the size of the picture it shows.
class TImageButton : public TGraphicControl {
public:
  explicit TImageButton(TComponent* owner);

  void SetBitmap(const TBitmap& bmp);
  void SetBitmapOver(const TBitmap& bmp);
  void SetBitmapDown(const TBitmap& bmp);
  void SetBitmapUp(const TBitmap& bmp);
  void SetBitmapDisabled(const TBitmap& bmp);
  const TBitmap& Bitmap() const { return Normal; }
  const TBitmap& Image(TButtonImage which) const;
  // The picture a repaint shows now.
  const TBitmap& CurrentImage() const { return Current; }

  void Paint(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, unsigned shift, int x, int y) override;
  void MouseUp(TMouseButton button, unsigned shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  // The keyboard's click (Enter, Space, the access key in the caption): pressed face, command, release.
  void KeyPress() override;
  bool DialogChar(char c) override;
  void Describe(AccessibleFacts& facts) const override;
  bool DoAccessibleAction(int item) override;

private:
  TButtonImages Present() const;
  void ShowImage(TButtonImage which);
  void DrawImage(TCanvas& canvas, const TBitmap& image);
  TBitmap Normal, Over, Down, Up, Disabled, Current;
};

} // namespace qv
