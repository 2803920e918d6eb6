// Any lines, margins, font metrics and printer capabilities through the line printer, on a printer
// whose characters have widths of the fuzzer's choosing. Beyond not crashing: the job always ends,
// its pages hold what the layout says, and no line drawn is wider than the printable width unless
// it is a single character.
#include <cmath>
#include <cstring>
#include <limits>

#include "FuzzInput.h"
#include "reports/LinePrinter.h"

namespace {

using qv::fuzz::Input;

class FuzzedPrinter : public qv::PrintSurface {
public:
  qv::PrinterCaps Caps;
  qv::PrintTextMetrics Metrics;
  int Widths[256] = {};
  long Budget = 0; // calls left before the job counts as endless

  struct Draw {
    int X, Y;
    std::string Text;
  };
  std::vector<std::vector<Draw>> Pages;
  bool Ended = false;

  void Spend() { FUZZ_CHECK(--Budget >= 0); }
  void BeginDoc(const std::string&) override {
    FUZZ_CHECK(Pages.empty());
    Pages.emplace_back();
  }
  void NewPage() override {
    Spend();
    FUZZ_CHECK(!Pages.empty() && !Ended);
    Pages.emplace_back();
  }
  void EndDoc() override {
    FUZZ_CHECK(!Pages.empty() && !Ended);
    Ended = true;
  }
  void SelectFont(const qv::PrintFont&) override {}
  qv::PrintTextMetrics TextMetrics() override { return Metrics; }
  int TextWidth(const std::string& text) override {
    Spend();
    long long width = 0;
    for (unsigned char c : text) width += Widths[c];
    return static_cast<int>(std::min<long long>(width, std::numeric_limits<int>::max()));
  }
  void TextOutClipped(int x, int y, const qv::TRect&, const std::string& text) override {
    Spend();
    FUZZ_CHECK(!Pages.empty() && !Ended);
    Pages.back().push_back({x, y, text});
  }
  qv::PrinterCaps DeviceCaps() override { return Caps; }
};

int SmallOrAny(Input& in, int small) { return in.Bool() ? static_cast<int>(in.U16() % small) : in.Int(); }

double Margin(Input& in) {
  switch (in.Pick(6)) {
    case 0:
      return std::numeric_limits<double>::quiet_NaN();
    case 1:
      return in.Bool() ? 1e300 : -1e300;
    case 2: {
      uint64_t bits = in.U64();
      double d;
      static_assert(sizeof d == sizeof bits);
      std::memcpy(&d, &bits, sizeof d);
      return d;
    }
    default:
      return in.Byte() / 4.0;
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  FuzzedPrinter printer;
  printer.Caps.LogPixelsX = SmallOrAny(in, 1200);
  printer.Caps.LogPixelsY = SmallOrAny(in, 1200);
  printer.Caps.PhysicalWidth = SmallOrAny(in, 10000);
  printer.Caps.PhysicalHeight = SmallOrAny(in, 10000);
  printer.Caps.PhysicalOffsetX = SmallOrAny(in, 300);
  printer.Caps.PhysicalOffsetY = SmallOrAny(in, 300);
  printer.Caps.HorzRes = SmallOrAny(in, 10000);
  printer.Caps.VertRes = SmallOrAny(in, 10000);
  printer.Metrics.Height = SmallOrAny(in, 400);
  printer.Metrics.ExternalLeading = SmallOrAny(in, 50);
  // Character widths: one for all, or a few of their own.
  const int common = in.U16() % 300;
  for (int& w : printer.Widths) w = common;
  for (size_t n = in.Pick(8); n > 0; --n) printer.Widths[in.Byte()] = in.U16() % 2000;

  qv::TLinePrinter lp;
  lp.WordWrap = in.Pick(4) != 0;
  lp.PrintPageNumbers = in.Bool();
  lp.TitleOnPrintout = static_cast<qv::TPrintTitlePlacement>(in.Pick(3));
  lp.PrintTitle = in.Text(40);
  lp.Margins.SetTop(Margin(in));
  lp.Margins.SetLeft(Margin(in));
  lp.Margins.SetBottom(Margin(in));
  lp.Margins.SetRight(Margin(in));
  if (in.Bool()) lp.Margins.SetMarginUnit(qv::TLinePrinterUnit::Inch);
  size_t characters = 0;
  // Short lists of short lines keep it fast; width and metrics do the stretching.
  for (size_t n = in.Pick(16); n > 0; --n) {
    lp.Lines.push_back(in.Text(160));
    characters += lp.Lines.back().size();
  }
  // Wrapping measures a piece a few dozen times at most; each character ends up in one piece.
  printer.Budget = 100 * static_cast<long>(characters + lp.Lines.size() + 4);

  std::vector<std::pair<int, int>> pageEvents;
  int starts = 0, ends = 0;
  lp.OnStartPrint = [&](qv::TLinePrinter&) { ++starts; };
  lp.OnEndPrint = [&](qv::TLinePrinter&) { ++ends; };
  lp.OnNextPage = [&](qv::TLinePrinter&, int page, int total) { pageEvents.push_back({page, total}); };
  lp.Print(printer);
  printer.Budget = std::numeric_limits<long>::max(); // the checks below measure too

  if (lp.Lines.empty()) {
    FUZZ_CHECK(printer.Pages.empty() && starts == 0 && ends == 0 && pageEvents.empty());
    return 0;
  }
  FUZZ_CHECK(printer.Ended && starts == 1 && ends == 1);
  const int pages = static_cast<int>(printer.Pages.size());
  FUZZ_CHECK(pageEvents.size() == printer.Pages.size());
  for (int p = 0; p < pages; ++p) FUZZ_CHECK(pageEvents[p] == std::make_pair(p + 1, pages));

  const qv::TRect printable = qv::PrintableRect(lp.Margins, printer.Caps);
  const int width = printable.Width();
  const int lineHeight = qv::LineHeight(printer.Metrics);
  const int perPage = qv::LinesPerPage(printable, lineHeight, lp.TitleOnPrintout);
  const bool titled = lp.TitleOnPrintout != qv::TPrintTitlePlacement::Nowhere;
  size_t drawn = 0;
  std::string joined, original;
  for (const auto& line : lp.Lines) original += line;
  for (int p = 0; p < pages; ++p) {
    auto page = printer.Pages[p];
    FUZZ_CHECK(page.size() >= (titled ? 2u : 1u));
    // The title is the first thing drawn on a page with it at the top, the last at the bottom.
    if (titled) {
      auto title = lp.TitleOnPrintout == qv::TPrintTitlePlacement::TopOfPage ? page.front() : page.back();
      FUZZ_CHECK(title.Text == lp.TitleText(p + 1, pages));
      if (lp.TitleOnPrintout == qv::TPrintTitlePlacement::TopOfPage)
        page.erase(page.begin());
      else
        page.pop_back();
    }
    FUZZ_CHECK(page.size() <= static_cast<size_t>(perPage));
    if (p + 1 < pages) FUZZ_CHECK(page.size() == static_cast<size_t>(perPage));
    for (const auto& draw : page) {
      FUZZ_CHECK(draw.X == printable.Left);
      if (lp.WordWrap) FUZZ_CHECK(draw.Text.size() <= 1 || printer.TextWidth(draw.Text) < width);
      joined += draw.Text;
      ++drawn;
    }
  }
  // Wrapping only cuts: the pieces put together give the lines back.
  FUZZ_CHECK(joined == original);
  if (!lp.WordWrap) FUZZ_CHECK(drawn == lp.Lines.size());
  return 0;
}
