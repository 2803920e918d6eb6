#include "reports/BrellLinePrinter_win32.h"

#include "core/Errors.h"

namespace qv {

namespace {

[[noreturn]] void RaisePrinterError(const std::string& what) {
  DWORD error = GetLastError();
  throw Exception(error ? what + " (error " + std::to_string(error) + ")" : what);
}

COLORREF ResolveColor(TColor color) {
  return IsSystemColor(color) ? GetSysColor(static_cast<int>(color & 0xFF)) : static_cast<COLORREF>(color);
}

} // namespace

PrinterDcSurface::PrinterDcSurface(HDC dc, std::string outputFile) : Dc(dc), OutputFile(std::move(outputFile)) {}

PrinterDcSurface::~PrinterDcSurface() {
  // A job left open by an error is thrown away rather than half printed.
  if (InDoc) AbortDoc(Dc);
  if (OriginalFont) SelectObject(Dc, OriginalFont);
  Font.Reset();
  if (Dc) DeleteDC(Dc);
}

void PrinterDcSurface::StartPageOrRaise() {
  if (StartPage(Dc) <= 0) RaisePrinterError("Cannot start a page on the printer");
  InPage = true;
  // The 95 family resets the DC at every page: the font goes back in each time.
  ApplyFont();
}

void PrinterDcSurface::BeginDoc(const std::string& jobName) {
  DOCINFOA info{};
  info.cbSize = sizeof info;
  info.lpszDocName = jobName.c_str();
  info.lpszOutput = OutputFile.empty() ? nullptr : OutputFile.c_str();
  SetLastError(0);
  if (StartDocA(Dc, &info) <= 0) RaisePrinterError("Cannot start the print job " + jobName);
  InDoc = true;
  StartPageOrRaise();
}

void PrinterDcSurface::NewPage() {
  InPage = false;
  if (EndPage(Dc) <= 0) RaisePrinterError("Cannot end a page on the printer");
  StartPageOrRaise();
}

void PrinterDcSurface::EndDoc() {
  if (InPage) {
    InPage = false;
    if (EndPage(Dc) <= 0) RaisePrinterError("Cannot end a page on the printer");
  }
  InDoc = false;
  if (::EndDoc(Dc) <= 0) RaisePrinterError("Cannot end the print job");
}

void PrinterDcSurface::SelectFont(const PrintFont& font) {
  UniqueGdiObject created(CreateFontA(font.HeightAt(GetDeviceCaps(Dc, LOGPIXELSY)), 0, 0, 0,
                                      font.Bold ? FW_BOLD : FW_NORMAL, font.Italic, font.Underline, font.StrikeOut,
                                      static_cast<BYTE>(font.Charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                      DEFAULT_QUALITY, DEFAULT_PITCH, font.Name.c_str()));
  if (!created) RaisePrinterError("Cannot create the font " + font.Name);
  // The new font goes in before the old one is deleted: a selected font cannot be deleted.
  HGDIOBJ previous = SelectObject(Dc, created.Get());
  if (!OriginalFont) OriginalFont = previous;
  Font = std::move(created);
  FontColor = font.Color;
  ApplyFont();
}

void PrinterDcSurface::ApplyFont() {
  if (!Font) return;
  SelectObject(Dc, Font.Get());
  SetTextColor(Dc, ResolveColor(FontColor));
  SetBkMode(Dc, TRANSPARENT);
}

PrintTextMetrics PrinterDcSurface::TextMetrics() {
  TEXTMETRICA tm{};
  if (!GetTextMetricsA(Dc, &tm)) RaisePrinterError("Cannot measure the printer font");
  return {static_cast<int>(tm.tmHeight), static_cast<int>(tm.tmExternalLeading)};
}

int PrinterDcSurface::TextWidth(const std::string& text) {
  SIZE size{};
  if (!GetTextExtentPoint32A(Dc, text.c_str(), static_cast<int>(text.size()), &size)) return 0;
  return static_cast<int>(size.cx);
}

void PrinterDcSurface::TextOutClipped(int x, int y, const TRect& clip, const std::string& text) {
  RECT r{clip.Left, clip.Top, clip.Right, clip.Bottom};
  ExtTextOutA(Dc, x, y, ETO_CLIPPED, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

PrinterCaps PrinterDcSurface::DeviceCaps() {
  return {GetDeviceCaps(Dc, LOGPIXELSX),      GetDeviceCaps(Dc, LOGPIXELSY),      GetDeviceCaps(Dc, PHYSICALWIDTH),
          GetDeviceCaps(Dc, PHYSICALHEIGHT),  GetDeviceCaps(Dc, PHYSICALOFFSETX), GetDeviceCaps(Dc, PHYSICALOFFSETY),
          GetDeviceCaps(Dc, HORZRES),         GetDeviceCaps(Dc, VERTRES)};
}

} // namespace qv
