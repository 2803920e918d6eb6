#include "reports/LinePrinter.h"

#include <algorithm>
#include <cmath>

#include "core/Rounding.h"

namespace qv {

namespace {

constexpr double MmPerInch = 25.4;

// Nearest integer (halves to even) kept to a range where pixel sums cannot overflow; not a
// number counts as 0.
int64_t RoundBounded(double value, double limit) {
  if (std::isnan(value)) return 0;
  return RoundHalfEven(std::clamp(value, -limit, limit));
}

// Edges are kept to a range where a width, a height, a line pitch and a title's offset added to
// them still fit an int, whatever the printer reports.
constexpr int64_t EdgeLimit = 1 << 28;
constexpr int64_t LineHeightLimit = 1 << 26;

int ClampToInt(int64_t value) {
  constexpr int64_t Limit = EdgeLimit;
  return static_cast<int>(std::clamp(value, -Limit, Limit));
}

bool IsBreakCharacter(char c) { return c == '\t' || c == ' ' || c == '-' || c == '.'; }

// Length of the piece to cut off s, given that its first n characters fit: the last break
// character outside quotes once position n is reached; 0 when there is none.
size_t CutPoint(const std::string& s, size_t begin, size_t n) {
  char quote = 0;
  size_t lastBreak = 0;
  for (size_t i = begin; i < s.size(); ++i) {
    const size_t position = i - begin + 1;
    const char c = s[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (position > 1 && IsBreakCharacter(c)) {
      lastBreak = position;
    }
    if (position >= n && !quote && lastBreak) return lastBreak;
  }
  return 0;
}

} // namespace

int PrintFont::Size() const {
  int ppi = PixelsPerInch > 0 ? PixelsPerInch : 96;
  return -MulDiv(Height, 72, ppi);
}

int PrintFont::HeightAt(int pixelsPerInch) const { return -MulDiv(Size(), pixelsPerInch, 72); }

int64_t TLinePrinterMargins::Store(double value) { return RoundBounded(value * 100.0, 1e15); }

void TLinePrinterMargins::SetMarginUnit(TLinePrinterUnit unit) {
  if (unit == FMarginUnit) return;
  auto convert = [unit](int64_t& margin) {
    double value = Read(margin);
    margin = Store(unit == TLinePrinterUnit::mm ? value * MmPerInch : value / MmPerInch);
  };
  convert(FLeft);
  convert(FTop);
  convert(FBottom);
  convert(FRight);
  FMarginUnit = unit;
}

TRect PrintableRect(const TLinePrinterMargins& margins, const PrinterCaps& caps) {
  const bool mm = margins.MarginUnit() == TLinePrinterUnit::mm;
  auto pixels = [mm](double margin, int pixelsPerInch) {
    return RoundBounded((mm ? margin / MmPerInch : margin) * pixelsPerInch, 1e9);
  };
  int64_t left = pixels(margins.Left(), caps.LogPixelsX) - caps.PhysicalOffsetX;
  int64_t top = pixels(margins.Top(), caps.LogPixelsY) - caps.PhysicalOffsetY;
  int64_t right = caps.PhysicalWidth - pixels(margins.Right(), caps.LogPixelsX) - caps.PhysicalOffsetX;
  int64_t bottom = caps.PhysicalHeight - pixels(margins.Bottom(), caps.LogPixelsY) - caps.PhysicalOffsetY;
  // The printer's limits, in this order, the right and bottom ones measured from the final
  // left and top edges.
  if (caps.PhysicalOffsetX >= left) left = int64_t{caps.PhysicalOffsetX} + 1;
  if (caps.PhysicalOffsetY >= top) top = int64_t{caps.PhysicalOffsetY} + 1;
  if (caps.HorzRes + left <= right) right = caps.HorzRes + left - 1;
  if (caps.VertRes + top <= bottom) bottom = caps.VertRes + top - 1;
  return {ClampToInt(left), ClampToInt(top), ClampToInt(right), ClampToInt(bottom)};
}

std::vector<std::string> WrapLine(const std::string& line, int width,
                                  const std::function<int(const std::string&)>& textWidth) {
  std::vector<std::string> pieces;
  size_t begin = 0;
  do {
    const size_t length = line.size() - begin;
    if (length == 0 || textWidth(line.substr(begin)) < width) {
      pieces.push_back(line.substr(begin));
      break;
    }
    // The longest leading part narrower than width. Widths grow with the length, so a
    // doubling probe and a bisection find it with a few measurements even on a huge line.
    auto fits = [&](size_t n) { return textWidth(line.substr(begin, n)) < width; };
    size_t fit = 0, miss = 1;
    while (miss < length && fits(miss)) {
      fit = miss;
      miss = std::min(miss * 2, length);
    }
    while (miss - fit > 1) {
      size_t mid = fit + (miss - fit) / 2;
      (fits(mid) ? fit : miss) = mid;
    }
    size_t cut = CutPoint(line, begin, fit);
    // No cut point, or only one past what fits (no break outside quotes within it): cut after
    // what fits, at least one character. A wider piece would lose its end to the clip at the
    // right edge, and the hard cut always makes progress, so the loop ends.
    if (cut == 0 || cut > fit) cut = std::max<size_t>(fit, 1);
    pieces.push_back(line.substr(begin, cut));
    begin += cut;
  } while (begin < line.size());
  return pieces;
}

std::optional<std::vector<int>> AdvancesFromEnds(const std::vector<int>& ends) {
  std::vector<int> advances(ends.size());
  int previous = 0;
  for (size_t i = 0; i < ends.size(); ++i) {
    if (ends[i] < previous) return std::nullopt;
    advances[i] = ends[i] - previous;
    previous = ends[i];
  }
  return advances;
}

int LineHeight(const PrintTextMetrics& metrics) {
  return static_cast<int>(std::clamp(int64_t{metrics.Height} + metrics.ExternalLeading, int64_t{1}, LineHeightLimit));
}

int LinesPerPage(const TRect& printable, int lineHeight, TPrintTitlePlacement title) {
  int lines = (printable.Bottom - printable.Top) / std::max(lineHeight, 1);
  if (title != TPrintTitlePlacement::Nowhere) lines -= 2;
  // A page too short for one line still takes one (clipped), so that printing ends.
  return std::max(lines, 1);
}

int PageCount(size_t lines, int linesPerPage) {
  const size_t perPage = static_cast<size_t>(std::max(linesPerPage, 1));
  return static_cast<int>((lines + perPage - 1) / perPage);
}

std::string TLinePrinter::TitleText(int pageNo, int totalPages) const {
  if (!PrintPageNumbers) return PrintTitle;
  return PrintTitle + " (" + std::to_string(pageNo) + "/" + std::to_string(totalPages) + ")";
}

void TLinePrinter::Print(PrintSurface& surface) {
  if (Lines.empty()) return;
  int page = 1;
  surface.BeginDoc(PrintTitle);
  surface.SelectFont(Font);
  const PrintTextMetrics metrics = surface.TextMetrics();
  const int lineHeight = LineHeight(metrics);
  const TRect printable = PrintableRect(Margins, surface.DeviceCaps());

  std::vector<std::string> work;
  if (WordWrap) {
    auto measure = [&surface](const std::string& s) { return surface.TextWidth(s); };
    for (const auto& line : Lines)
      for (auto& piece : WrapLine(line, printable.Width(), measure)) work.push_back(std::move(piece));
  } else {
    work = Lines;
  }

  const int perPage = LinesPerPage(printable, lineHeight, TitleOnPrintout);
  const int pages = PageCount(work.size(), perPage);
  auto drawTitle = [&](int y) {
    std::string title = TitleText(page, pages);
    int x = printable.Left +
            static_cast<int>(RoundHalfEven((printable.Width() - static_cast<double>(surface.TextWidth(title))) / 2.0));
    surface.TextOutClipped(x, y, printable, title);
  };

  if (OnStartPrint) OnStartPrint(*this);
  if (OnNextPage) OnNextPage(*this, page, pages);
  int y = printable.Top;
  if (TitleOnPrintout == TPrintTitlePlacement::TopOfPage) {
    drawTitle(y);
    y += 2 * lineHeight;
  }
  int onPage = 0;
  for (size_t i = 0; i < work.size(); ++i) {
    surface.TextOutClipped(printable.Left, y, printable, work[i]);
    y += lineHeight;
    ++onPage;
    if (onPage == perPage && i + 1 < work.size()) {
      if (TitleOnPrintout == TPrintTitlePlacement::BottomOfPage) drawTitle(printable.Bottom - lineHeight);
      ++page;
      if (OnNextPage) OnNextPage(*this, page, pages);
      surface.NewPage();
      y = printable.Top;
      if (TitleOnPrintout == TPrintTitlePlacement::TopOfPage) {
        drawTitle(y);
        y += 2 * lineHeight;
      }
      onPage = 0;
    }
  }
  if (TitleOnPrintout == TPrintTitlePlacement::BottomOfPage) drawTitle(printable.Bottom - lineHeight);
  surface.EndDoc();
  if (OnEndPrint) OnEndPrint(*this);
}

} // namespace qv
