#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "reports/PrintSurface.h"

namespace qv {

enum class TLinePrinterUnit { mm = 0, Inch = 1 };
enum class TPrintTitlePlacement { Nowhere = 0, TopOfPage = 1, BottomOfPage = 2 };

// Four margins and their unit. Each margin is held to two decimals of its unit, as the text
// "0.00" would hold it: writing 15 reads back 15, writing 0.5905 reads back 0.59.
class TLinePrinterMargins {
public:
  double Top() const { return Read(FTop); }
  double Left() const { return Read(FLeft); }
  double Bottom() const { return Read(FBottom); }
  double Right() const { return Read(FRight); }
  void SetTop(double value) { FTop = Store(value); }
  void SetLeft(double value) { FLeft = Store(value); }
  void SetBottom(double value) { FBottom = Store(value); }
  void SetRight(double value) { FRight = Store(value); }

  TLinePrinterUnit MarginUnit() const { return FMarginUnit; }
  // Converts the four margins into the new unit (each stored, so rounded, on the way).
  void SetMarginUnit(TLinePrinterUnit unit);

  friend bool operator==(const TLinePrinterMargins&, const TLinePrinterMargins&) = default;

private:
  static int64_t Store(double value);
  static double Read(int64_t hundredths) { return static_cast<double>(hundredths) / 100.0; }
  int64_t FTop = 1500, FLeft = 1500, FBottom = 1500, FRight = 1500;
  TLinePrinterUnit FMarginUnit = TLinePrinterUnit::mm;
};

// The area the lines are drawn in, in printable-area pixels, with the printer's clamps.
TRect PrintableRect(const TLinePrinterMargins& margins, const PrinterCaps& caps);

// One line cut into pieces narrower than width, at tabs, blanks, "-" and "." outside quoted
// stretches; a piece keeps its break character at its end. Where no such cut point lies within
// what fits, the line is cut hard after as many characters as fit (at least one), so no piece is
// wider than width unless it is a single character, and every call ends.
std::vector<std::string> WrapLine(const std::string& line, int width,
                                  const std::function<int(const std::string&)>& textWidth);

// The pitch of the printed lines: the font's height and external leading, at least one pixel and
// at most a bound that keeps the page arithmetic inside an int.
int LineHeight(const PrintTextMetrics& metrics);

// How far each character moves the pen, from where the printer says each one ends; nothing where
// those ends do not start at 0 or later and never go back, which no sound measurement gives.
std::optional<std::vector<int>> AdvancesFromEnds(const std::vector<int>& ends);

// Whole lines that fit between top and bottom, two fewer with a title; at least one.
int LinesPerPage(const TRect& printable, int lineHeight, TPrintTitlePlacement title);
int PageCount(size_t lines, int linesPerPage);

// Prints a list of lines as one job: wrapped, paginated, with an optional title on each page.
class TLinePrinter {
public:
  PrintFont Font;
  bool WordWrap = true;
  std::vector<std::string> Lines;
  TLinePrinterMargins Margins;
  bool PrintPageNumbers = false;
  std::string PrintTitle; // the job name, and the title text
  TPrintTitlePlacement TitleOnPrintout = TPrintTitlePlacement::Nowhere;

  std::function<void(TLinePrinter& sender, int pageNo, int totalPages)> OnNextPage;
  std::function<void(TLinePrinter& sender)> OnStartPrint;
  std::function<void(TLinePrinter& sender)> OnEndPrint;

  // Nothing at all (no job, no event) when Lines is empty. Errors of the surface reach the caller.
  void Print(PrintSurface& surface);

  // PrintTitle, with " (page/total)" when PrintPageNumbers is set.
  std::string TitleText(int pageNo, int totalPages) const;
};

} // namespace qv
