#pragma once
#include <string>
#include <vector>

#include "reports/PrintSurface.h"
#include "ui/Win.h"

namespace qv {

// A print surface over a printer's device context. Text is drawn at the character positions its
// measurement gave, so a piece the layout measured narrower than the page is that narrow on paper.
class PrinterDcSurface : public PrintSurface {
public:
  // Takes the DC over (deleted with the surface). With an output file the job is written there
  // instead of going to the printer's port.
  explicit PrinterDcSurface(HDC dc, std::string outputFile = "");
  ~PrinterDcSurface() override;
  PrinterDcSurface(const PrinterDcSurface&) = delete;
  PrinterDcSurface& operator=(const PrinterDcSurface&) = delete;

  void BeginDoc(const std::string& jobName) override;
  void NewPage() override;
  void EndDoc() override;
  void SelectFont(const PrintFont& font) override;
  PrintTextMetrics TextMetrics() override;
  int TextWidth(const std::string& text) override;
  void TextOutClipped(int x, int y, const TRect& clip, const std::string& text) override;
  PrinterCaps DeviceCaps() override;

private:
  // Where each character of a text moves the pen, as this font sets it on this device, and
  // the width the text covers; the same for the measurement and the drawing.
  struct Placement {
    std::vector<int> Advances;
    int Width = 0;
  };
  Placement Place(const std::string& text);
  void StartPageOrRaise();
  void ApplyFont();
  HDC Dc;
  std::string OutputFile;
  bool InDoc = false;
  bool InPage = false;
  UniqueGdiObject Font;
  TColor FontColor = 0;
  HGDIOBJ OriginalFont = nullptr;
};

} // namespace qv
