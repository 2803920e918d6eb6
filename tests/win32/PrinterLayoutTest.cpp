// The line printer's own layout on the system's default printer: the device caps, the printable
// rectangle, the line height and where every line of the report lands. The print test
// (tests/e2e/print.sh) compares the spooler's PDF with it; it asks for the layout file through
// QUORVEL_PRINT_LAYOUT and gives the lines to lay out through QUORVEL_PRINT_LINES.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "FilledFields.h"
#include "reports/LinePrinter.h"
#include "reports/LinePrinter_win32.h"
#include "reports/ReportCommands.h"
#include "ui/Win.h"

// After the Windows header it needs.
#include <winspool.h>

namespace qv {

namespace {

// Measures with the real printer and records the drawing instead of printing it.
class MeasuringSurface : public PrintSurface {
public:
  explicit MeasuringSurface(PrintSurface& printer) : Printer(printer) {}
  struct Line {
    int Page, X, Y;
    std::string Text;
  };
  std::vector<Line> Drawn;
  int Pages = 0;
  std::string JobName;

  void BeginDoc(const std::string& jobName) override {
    JobName = jobName;
    Pages = 1;
  }
  void NewPage() override { ++Pages; }
  void EndDoc() override {}
  void SelectFont(const PrintFont& font) override { Printer.SelectFont(font); }
  PrintTextMetrics TextMetrics() override { return Printer.TextMetrics(); }
  int TextWidth(const std::string& text) override { return Printer.TextWidth(text); }
  void TextOutClipped(int x, int y, const TRect&, const std::string& text) override {
    Drawn.push_back({Pages, x, y, text});
  }
  PrinterCaps DeviceCaps() override { return Printer.DeviceCaps(); }

private:
  PrintSurface& Printer;
};

std::vector<std::string> ReadLines(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

} // namespace

TEST(PrinterLayout, DefaultPrinterGetsFifteenMillimetreMargins) {
  char name[512];
  DWORD size = sizeof name;
  if (!GetDefaultPrinterA(name, &size)) GTEST_SKIP() << "no default printer here";
  HDC dc = CreateDCA("WINSPOOL", name, nullptr, nullptr);
  ASSERT_NE(dc, nullptr) << name;
  PrinterDcSurface printer(dc);
  MeasuringSurface surface(printer);

  // The form's line printer as it stands: 15 mm margins, word wrap, no title.
  TLinePrinter lp;
  const char* linesPath = std::getenv("QUORVEL_PRINT_LINES");
  lp.Lines = linesPath ? ReadLines(linesPath) : PrintedReportLines(FilledFields(), "256 Mb");
  ASSERT_FALSE(lp.Lines.empty());
  lp.PrintTitle = "layout";
  lp.Print(surface);

  const PrinterCaps caps = printer.DeviceCaps();
  const TRect r = PrintableRect(lp.Margins, caps);
  const PrintTextMetrics metrics = printer.TextMetrics();
  const int lineHeight = metrics.Height + metrics.ExternalLeading;
  const int perPage = LinesPerPage(r, lineHeight, TPrintTitlePlacement::Nowhere);
  // On paper each margin is 15 mm to within a device pixel, unless the printable area is smaller.
  const auto mm = [](int pixels, int dpi) { return pixels * 25.4 / dpi; };
  ASSERT_GT(caps.LogPixelsX, 0);
  EXPECT_NEAR(mm(r.Left + caps.PhysicalOffsetX, caps.LogPixelsX), 15.0, 25.4 / caps.LogPixelsX);
  EXPECT_NEAR(mm(r.Top + caps.PhysicalOffsetY, caps.LogPixelsY), 15.0, 25.4 / caps.LogPixelsY);
  EXPECT_NEAR(mm(caps.PhysicalWidth - caps.PhysicalOffsetX - r.Right, caps.LogPixelsX), 15.0, 25.4 / caps.LogPixelsX);
  EXPECT_NEAR(mm(caps.PhysicalHeight - caps.PhysicalOffsetY - r.Bottom, caps.LogPixelsY), 15.0, 25.4 / caps.LogPixelsY);
  ASSERT_GT(perPage, 10);
  // Every page but the last is full, and each line sits one line height below the one before.
  size_t index = 0;
  for (const auto& line : surface.Drawn) {
    const int row = static_cast<int>(index % static_cast<size_t>(perPage));
    EXPECT_EQ(line.Page, static_cast<int>(index / static_cast<size_t>(perPage)) + 1);
    EXPECT_EQ(line.Y, r.Top + row * lineHeight);
    EXPECT_EQ(line.X, r.Left);
    ++index;
  }
  EXPECT_EQ(surface.Pages, PageCount(surface.Drawn.size(), perPage));

  if (const char* out = std::getenv("QUORVEL_PRINT_LAYOUT")) {
    std::ofstream layout(out, std::ios::binary);
    layout << "printer " << name << "\n"
           << "caps " << caps.LogPixelsX << " " << caps.LogPixelsY << " " << caps.PhysicalWidth << " "
           << caps.PhysicalHeight << " " << caps.PhysicalOffsetX << " " << caps.PhysicalOffsetY << " " << caps.HorzRes
           << " " << caps.VertRes << "\n"
           << "rect " << r.Left << " " << r.Top << " " << r.Right << " " << r.Bottom << "\n"
           << "font " << metrics.Height << " " << metrics.ExternalLeading << "\n"
           << "perpage " << perPage << "\n"
           << "pages " << surface.Pages << "\n";
    for (const auto& line : surface.Drawn)
      layout << "line " << line.Page << " " << line.X << " " << line.Y << " " << line.Text << "\n";
    ASSERT_TRUE(layout.good()) << out;
  }
}

} // namespace qv

namespace qv {

// Lines of digits, of letters and of words with blanks, each as long as the default printer's
// printable width allows for a Media memo line (four blanks ahead of it), and one character
// shorter and longer: written to QUORVEL_PRINT_LONG_LINES for tests/e2e/print.sh to type into
// the window and find again on paper.
TEST(PrinterLayout, LinesAtThePrintableWidth) {
  const char* out = std::getenv("QUORVEL_PRINT_LONG_LINES");
  if (!out) GTEST_SKIP() << "only for tests/e2e/print.sh";
  char name[512];
  DWORD size = sizeof name;
  ASSERT_TRUE(GetDefaultPrinterA(name, &size)) << "no default printer";
  HDC dc = CreateDCA("WINSPOOL", name, nullptr, nullptr);
  ASSERT_NE(dc, nullptr) << name;
  PrinterDcSurface printer(dc);
  TLinePrinter lp;
  printer.SelectFont(lp.Font);
  const int width = PrintableRect(lp.Margins, printer.DeviceCaps()).Width();
  auto measure = [&](const std::string& s) { return printer.TextWidth(s); };

  std::ofstream file(out, std::ios::binary);
  for (std::string pattern :
       {"0123456789", "abcdefghijklmnopqrstuvwxyzWMABCDEFGHIJKLNOPQRSTUVXYZ", "q66 part18.part19 Wide mill "}) {
    std::string text;
    while (measure("    " + text) < 2 * width) text += pattern;
    size_t fit = 0; // characters of text that fit after the memo's four blanks
    while (measure("    " + text.substr(0, fit + 1)) < width) ++fit;
    for (size_t length : {fit - 1, fit, fit + 1}) {
      const std::string line = text.substr(0, length);
      // What fits is laid out as one piece, one character more as two.
      EXPECT_EQ(WrapLine("    " + line, width, measure).size(), length <= fit ? 1u : 2u) << line;
      file << line << "\n";
    }
  }
  ASSERT_TRUE(file.good()) << out;
}

} // namespace qv
