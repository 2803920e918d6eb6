#include "reports/LinePrinter_win32.h"

#include <algorithm>
#include <vector>

#include "core/Errors.h"
#include "reports/LinePrinter.h"

namespace qv {

namespace {

// The system's words for an error, without the line end FormatMessage gives them.
std::string SystemErrorText(DWORD error) {
  if (error == 0) return "the system gave no reason";
  char* buffer = nullptr;
  DWORD length =
      FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = length && buffer ? std::string(buffer, length) : std::string();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
  return text.empty() ? "error " + std::to_string(error) : text;
}

// The step that failed and the system's reason: the error of the call just made (each call
// is preceded by SetLastError(0), so an older error is never reported as its reason).
[[noreturn]] void RaisePrinterError(const std::string& step) {
  throw Exception(step + ": " + SystemErrorText(GetLastError()));
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
  SetLastError(0);
  if (StartPage(Dc) <= 0) RaisePrinterError("The printer did not start a page");
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
  if (StartDocA(Dc, &info) <= 0) RaisePrinterError("The printer did not start the job " + jobName);
  InDoc = true;
  StartPageOrRaise();
}

void PrinterDcSurface::NewPage() {
  InPage = false;
  SetLastError(0);
  if (EndPage(Dc) <= 0) RaisePrinterError("The printer did not take the page");
  StartPageOrRaise();
}

void PrinterDcSurface::EndDoc() {
  if (InPage) {
    InPage = false;
    SetLastError(0);
    if (EndPage(Dc) <= 0) RaisePrinterError("The printer did not take the page");
  }
  InDoc = false;
  SetLastError(0);
  if (::EndDoc(Dc) <= 0) RaisePrinterError("The printer did not accept the job");
}

void PrinterDcSurface::SelectFont(const PrintFont& font) {
  SetLastError(0);
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
  SetLastError(0);
  if (!GetTextMetricsA(Dc, &tm)) RaisePrinterError("Cannot measure the printer font");
  return {static_cast<int>(tm.tmHeight), static_cast<int>(tm.tmExternalLeading)};
}

PrinterDcSurface::Placement PrinterDcSurface::Place(const std::string& text) {
  Placement placed;
  const int count = static_cast<int>(text.size());
  if (count == 0) return placed;
  std::vector<int> ends(text.size());
  SIZE size{};
  // A driver whose positions make no sense gets its text drawn as one run, at the plain call's width.
  std::optional<std::vector<int>> advances;
  if (GetTextExtentExPointA(Dc, text.c_str(), count, 0, nullptr, ends.data(), &size) &&
      (advances = AdvancesFromEnds(ends))) {
    placed.Advances = std::move(*advances);
    // An overhang (a synthesized italic or bold) reaches past the last advance.
    placed.Width = std::max(ends.back(), static_cast<int>(size.cx));
  } else if (GetTextExtentPoint32A(Dc, text.c_str(), count, &size)) {
    placed.Width = static_cast<int>(size.cx);
  }
  return placed;
}

int PrinterDcSurface::TextWidth(const std::string& text) { return Place(text).Width; }

void PrinterDcSurface::TextOutClipped(int x, int y, const TRect& clip, const std::string& text) {
  RECT r{clip.Left, clip.Top, clip.Right, clip.Bottom};
  // Drawn at the positions TextWidth measured: a driver that sets the glyphs at their exact
  // widths would otherwise draw a line wider than the layout made room for.
  const Placement placed = Place(text);
  ExtTextOutA(Dc, x, y, ETO_CLIPPED, &r, text.c_str(), static_cast<UINT>(text.size()),
              placed.Advances.empty() ? nullptr : placed.Advances.data());
}

PrinterCaps PrinterDcSurface::DeviceCaps() {
  return {GetDeviceCaps(Dc, LOGPIXELSX),     GetDeviceCaps(Dc, LOGPIXELSY),      GetDeviceCaps(Dc, PHYSICALWIDTH),
          GetDeviceCaps(Dc, PHYSICALHEIGHT), GetDeviceCaps(Dc, PHYSICALOFFSETX), GetDeviceCaps(Dc, PHYSICALOFFSETY),
          GetDeviceCaps(Dc, HORZRES),        GetDeviceCaps(Dc, VERTRES)};
}

} // namespace qv
