#pragma once
#include <string>

#include "reports/PrintSurface.h"
#include "ui/Win.h"

namespace qv {

// A print surface over a printer's device context.
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
