#pragma once
#include <string>

#include "core/Colour.h"
#include "core/Geometry.h"

namespace qv {

// A font as the form describes it: Height in pixels at the screen resolution it was made for
// (negative: character height without internal leading), carried to a printer by point size.
struct PrintFont {
  std::string Name = "MS Sans Serif";
  int Height = -11;
  int PixelsPerInch = 96;
  TColor Color = 0x80000008; // the window-text system colour
  int Charset = 1;           // the default character set
  bool Bold = false, Italic = false, Underline = false, StrikeOut = false;

  // Whole points, as the height converts at its own resolution (-11 at 96 pixels per inch: 8).
  int Size() const;
  // The height for a device of the given resolution, from the point size (8 at 600: -67).
  int HeightAt(int pixelsPerInch) const;
  friend bool operator==(const PrintFont&, const PrintFont&) = default;
};

// The printer's device capabilities the layout needs.
struct PrinterCaps {
  int LogPixelsX = 0, LogPixelsY = 0;
  int PhysicalWidth = 0, PhysicalHeight = 0;
  int PhysicalOffsetX = 0, PhysicalOffsetY = 0;
  int HorzRes = 0, VertRes = 0;
};

struct PrintTextMetrics {
  int Height = 0;
  int ExternalLeading = 0;
};

// What the line printer draws on: a printer, or a recording in the tests. Positions are in
// device pixels from the top-left corner of the printable area.
class PrintSurface {
public:
  virtual ~PrintSurface() = default;
  // A job named jobName, its first page begun.
  virtual void BeginDoc(const std::string& jobName) = 0;
  virtual void NewPage() = 0;
  // Ends the last page and the job.
  virtual void EndDoc() = 0;
  virtual void SelectFont(const PrintFont& font) = 0;
  virtual PrintTextMetrics TextMetrics() = 0;
  virtual int TextWidth(const std::string& text) = 0;
  // Draws text with its top-left corner at (x, y), nothing of it outside clip.
  virtual void TextOutClipped(int x, int y, const TRect& clip, const std::string& text) = 0;
  virtual PrinterCaps DeviceCaps() = 0;
};

} // namespace qv
