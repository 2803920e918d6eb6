#include "reports/LinePrinter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "RecordingPrintSurface.h"

namespace qv {

namespace {

// 10 pixels a character.
int TenEach(const std::string& s) { return static_cast<int>(s.size()) * 10; }

// One-inch margins on a 1000 x 1000 page at 100 pixels per inch, lines 100 pixels high: the
// printable rectangle is (100, 100, 900, 900), 80 characters wide and 8 lines high.
struct SmallPage {
  RecordingPrintSurface Surface;
  TLinePrinter LP;
  std::vector<std::string> Log;
  SmallPage() {
    Surface.Caps = {100, 100, 1000, 1000, 0, 0, 1000, 1000};
    Surface.Metrics = {90, 10};
    Surface.CharWidth = 10;
    Surface.Log = &Log;
    LP.Margins.SetMarginUnit(TLinePrinterUnit::Inch);
    for (auto set : {&TLinePrinterMargins::SetTop, &TLinePrinterMargins::SetLeft, &TLinePrinterMargins::SetBottom,
                     &TLinePrinterMargins::SetRight})
      (LP.Margins.*set)(1.0);
    LP.PrintTitle = "Job";
    LP.OnStartPrint = [this](TLinePrinter&) { Log.push_back("OnStartPrint"); };
    LP.OnNextPage = [this](TLinePrinter&, int page, int total) {
      Log.push_back("OnNextPage " + std::to_string(page) + "/" + std::to_string(total));
    };
    LP.OnEndPrint = [this](TLinePrinter&) { Log.push_back("OnEndPrint"); };
  }
  void Lines(int count) {
    LP.Lines.clear();
    for (int i = 1; i <= count; ++i) LP.Lines.push_back("line " + std::to_string(i));
  }
  std::vector<std::string> Matching(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& entry : Log)
      if (entry.rfind(prefix, 0) == 0) out.push_back(entry);
    return out;
  }
};

} // namespace

TEST(TLinePrinterMargins, HoldTwoDecimals) {
  struct Case {
    double Written, Read;
  };
  const Case cases[] = {
      {15, 15.0},    {0.5905, 0.59}, {14.986, 14.99}, {0.125, 0.12}, // halves to even
      {0.135, 0.14}, {-2.5, -2.5},   {0, 0},          {1e300, 1e13}, {std::numeric_limits<double>::quiet_NaN(), 0}};
  for (const auto& c : cases) {
    TLinePrinterMargins m;
    m.SetTop(c.Written);
    m.SetRight(c.Written);
    EXPECT_EQ(m.Top(), c.Read) << c.Written;
    EXPECT_EQ(m.Right(), c.Read) << c.Written;
    EXPECT_EQ(m.Left(), 15.0); // the others keep their default
  }
}

TEST(TLinePrinterMargins, UnitChangesConvertEachMargin) {
  TLinePrinterMargins m;
  EXPECT_EQ(m.MarginUnit(), TLinePrinterUnit::mm);
  m.SetLeft(25.4);
  m.SetBottom(12.34);
  m.SetMarginUnit(TLinePrinterUnit::Inch);
  EXPECT_EQ(m.Top(), 0.59);
  EXPECT_EQ(m.Right(), 0.59);
  EXPECT_EQ(m.Left(), 1.0);
  EXPECT_EQ(m.Bottom(), 0.49);
  m.SetMarginUnit(TLinePrinterUnit::Inch); // the same unit: nothing converts
  EXPECT_EQ(m.Top(), 0.59);
  m.SetMarginUnit(TLinePrinterUnit::mm);
  EXPECT_EQ(m.Top(), 14.99);
  EXPECT_EQ(m.Right(), 14.99);
  EXPECT_EQ(m.Left(), 25.4);
  EXPECT_EQ(m.Bottom(), 12.45);
  EXPECT_EQ(m.MarginUnit(), TLinePrinterUnit::mm);
}

TEST(PrintableRect, MarginsOffsetsAndClamps) {
  struct Case {
    const char* What;
    double Margin;
    TLinePrinterUnit Unit;
    PrinterCaps Caps;
    TRect Expected;
  };
  const auto mm = TLinePrinterUnit::mm;
  const auto inch = TLinePrinterUnit::Inch;
  const Case cases[] = {
      // round(15 / 25.4 * 600) = 354 on every side.
      {"600 dpi, no offsets", 15, mm, {600, 600, 4960, 7016, 0, 0, 4960, 7016}, {354, 354, 4606, 6662}},
      {"offsets shift all edges", 15, mm, {600, 600, 4960, 7016, 100, 120, 4760, 6776}, {254, 234, 4506, 6542}},
      {"x and y resolutions apart", 1, inch, {300, 600, 2550, 6600, 0, 0, 2550, 6600}, {300, 600, 2250, 6000}},
      {"left and top inside the offsets", 0, mm, {600, 600, 4960, 7016, 100, 120, 4760, 6776}, {101, 121, 4860, 6896}},
      {"right and bottom beyond the printable size",
       0,
       mm,
       {600, 600, 4960, 7016, 100, 120, 4000, 6000},
       {101, 121, 4100, 6120}},
      {"offset exactly at the margin", 1, inch, {100, 100, 1000, 1000, 50, 50, 900, 900}, {51, 51, 850, 850}},
      {"margins wider than the page",
       1000,
       mm,
       {600, 600, 4960, 7016, 0, 0, 4960, 7016},
       {23622, 23622, -18662, -16606}},
  };
  for (const auto& c : cases) {
    TLinePrinterMargins m;
    m.SetMarginUnit(c.Unit);
    m.SetTop(c.Margin);
    m.SetLeft(c.Margin);
    m.SetBottom(c.Margin);
    m.SetRight(c.Margin);
    EXPECT_EQ(PrintableRect(m, c.Caps), c.Expected) << c.What;
  }
}

TEST(PrintableRect, HugeMarginsDoNotOverflow) {
  TLinePrinterMargins m;
  m.SetLeft(1e300);
  m.SetRight(-1e300);
  TRect r = PrintableRect(m, {600, 600, 4960, 7016, 0, 0, 4960, 7016});
  EXPECT_GT(r.Left, 1000000);
  EXPECT_GT(r.Right, 1000000);
  EXPECT_EQ(r.Top, 354);
}

TEST(WrapLine, CutsAtBreaksOutsideQuotes) {
  struct Case {
    const char* What;
    std::string Line;
    int Width;
    std::vector<std::string> Pieces;
  };
  const Case cases[] = {
      {"empty line", "", 50, {""}},
      {"narrower than the width", "abcd", 50, {"abcd"}},
      {"exactly the width is wrapped", "abcde", 50, {"abcd", "e"}},
      {"word with its trailing blank", "Hello world", 70, {"Hello ", "world"}},
      {"last break within what fits", "one two three four", 120, {"one two ", "three four"}},
      {"break characters keep their place", "ab-cd.ef\tgh", 45, {"ab-", "cd.", "ef\t", "gh"}},
      {"the rest keeps leading breaks", "abc  def", 45, {"abc ", " def"}},
      {"a quoted stretch moves the cut before it", "ab \"c d e\" fg", 80, {"ab ", "\"c d e\"", " fg"}},
      {"single quotes too", "ab 'c d e' fg", 80, {"ab ", "'c d e'", " fg"}},
      {"a break only after what fits: hard cut", "abcdefg hij", 40, {"abc", "def", "g ", "hij"}},
      {"no cut point: hard cut after what fits", "abcdefghij", 35, {"abc", "def", "ghi", "j"}},
      {"a break at the first position does not count", " abcdef", 35, {" ab", "cde", "f"}},
      {"an unclosed quote leaves no cut point", "x 'abc def", 35, {"x '", "abc", " de", "f"}},
      {"nothing fits: one character at least", "abc", 5, {"a", "b", "c"}},
      {"no width at all", "ab cd", 0, {"a", "b", " ", "c", "d"}},
      {"negative width", "ab", -10, {"a", "b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(WrapLine(c.Line, c.Width, TenEach), c.Pieces) << c.What;
}

TEST(WrapLine, HugeLineTakesFewMeasurements) {
  std::string line(100000, 'x');
  int calls = 0;
  auto counted = [&calls](const std::string& s) {
    ++calls;
    return TenEach(s);
  };
  auto pieces = WrapLine(line, 1000, counted); // 99 characters fit
  ASSERT_EQ(pieces.size(), 1011u);
  EXPECT_EQ(pieces.front().size(), 99u);
  EXPECT_EQ(pieces.back().size(), 100000u - 1010u * 99u);
  EXPECT_LT(calls, 1011 * 20);
}

TEST(AdvancesFromEnds, OnlyPositionsThatStartAtZeroAndNeverGoBack) {
  EXPECT_EQ(AdvancesFromEnds({7, 14, 14, 20}), (std::vector<int>{7, 7, 0, 6}));
  EXPECT_EQ(AdvancesFromEnds({}), std::vector<int>{});
  EXPECT_EQ(AdvancesFromEnds({-1, 5}), std::nullopt);
  EXPECT_EQ(AdvancesFromEnds({7, 14, 3}), std::nullopt); // a driver that fills in garbage
}

TEST(LinesPerPage, WholeLinesAndAtLeastOne) {
  struct Case {
    TRect Printable;
    int LineHeight;
    TPrintTitlePlacement Title;
    int Lines;
  };
  const auto none = TPrintTitlePlacement::Nowhere;
  const Case cases[] = {
      {{0, 100, 800, 900}, 100, none, 8},
      {{0, 100, 800, 999}, 100, none, 8},
      {{0, 100, 800, 900}, 100, TPrintTitlePlacement::TopOfPage, 6},
      {{0, 100, 800, 900}, 100, TPrintTitlePlacement::BottomOfPage, 6},
      {{0, 100, 800, 150}, 100, none, 1},
      {{0, 100, 800, 300}, 100, TPrintTitlePlacement::TopOfPage, 1},
      {{0, 100, 800, 50}, 100, none, 1},
      {{0, 100, 800, 900}, 0, none, 800},
  };
  for (const auto& c : cases) EXPECT_EQ(LinesPerPage(c.Printable, c.LineHeight, c.Title), c.Lines);
  EXPECT_EQ(PageCount(16, 8), 2);
  EXPECT_EQ(PageCount(17, 8), 3);
  EXPECT_EQ(PageCount(1, 8), 1);
  EXPECT_EQ(PageCount(5, 0), 5);
}

TEST(PrintFont, CarriesItsPointSizeToThePrinter) {
  PrintFont f;
  EXPECT_EQ(f.Size(), 8);
  EXPECT_EQ(f.HeightAt(96), -11);
  EXPECT_EQ(f.HeightAt(600), -67);
  EXPECT_EQ(f.HeightAt(300), -33);
  f.Height = -16;
  EXPECT_EQ(f.Size(), 12);
  EXPECT_EQ(f.HeightAt(600), -100);
}

TEST(TLinePrinter, DefaultsAreTheFormSettings) {
  TLinePrinter lp;
  EXPECT_EQ(lp.Font.Name, "MS Sans Serif");
  EXPECT_EQ(lp.Font.Height, -11);
  EXPECT_TRUE(lp.WordWrap);
  EXPECT_EQ(lp.Margins, TLinePrinterMargins());
  EXPECT_EQ(lp.Margins.Top(), 15.0);
  EXPECT_EQ(lp.Margins.MarginUnit(), TLinePrinterUnit::mm);
  EXPECT_FALSE(lp.PrintPageNumbers);
  EXPECT_EQ(lp.TitleOnPrintout, TPrintTitlePlacement::Nowhere);
}

TEST(TLinePrinter, EmptyLinesStartNoJob) {
  SmallPage p;
  p.LP.Print(p.Surface);
  EXPECT_TRUE(p.Log.empty());
}

TEST(TLinePrinter, TwicePageLinesMakeTwoPages) {
  SmallPage p;
  p.Lines(16);
  p.LP.Print(p.Surface);
  std::vector<std::string> expected = {"begin Job", "font MS Sans Serif -11", "OnStartPrint", "OnNextPage 1/2"};
  for (int i = 1; i <= 8; ++i) expected.push_back("text 100," + std::to_string(i * 100) + " line " + std::to_string(i));
  expected.push_back("OnNextPage 2/2");
  expected.push_back("page");
  for (int i = 9; i <= 16; ++i)
    expected.push_back("text 100," + std::to_string((i - 8) * 100) + " line " + std::to_string(i));
  expected.push_back("end");
  expected.push_back("OnEndPrint");
  EXPECT_EQ(p.Log, expected);
  EXPECT_EQ(p.Surface.LastClip, (TRect{100, 100, 900, 900}));

  p.Log.clear();
  p.Lines(17);
  p.LP.Print(p.Surface);
  EXPECT_EQ(p.Matching("OnNextPage"), (std::vector<std::string>{"OnNextPage 1/3", "OnNextPage 2/3", "OnNextPage 3/3"}));
}

TEST(TLinePrinter, TitleAtTheTopTakesTwoLines) {
  SmallPage p;
  p.Lines(7);
  p.LP.TitleOnPrintout = TPrintTitlePlacement::TopOfPage;
  p.LP.Print(p.Surface);
  // Six lines a page; "Job" is 30 wide, centred in 800.
  EXPECT_EQ(p.Matching("text"),
            (std::vector<std::string>{"text 485,100 Job", "text 100,300 line 1", "text 100,400 line 2",
                                      "text 100,500 line 3", "text 100,600 line 4", "text 100,700 line 5",
                                      "text 100,800 line 6", "text 485,100 Job", "text 100,300 line 7"}));
  EXPECT_EQ(p.Matching("page").size(), 1u);
}

TEST(TLinePrinter, TitleAtTheBottomCarriesThePageNumbers) {
  SmallPage p;
  p.Lines(40);
  p.LP.TitleOnPrintout = TPrintTitlePlacement::BottomOfPage;
  p.LP.PrintPageNumbers = true;
  p.LP.Print(p.Surface);
  auto titles = p.Matching("text 455,800 Job");
  ASSERT_EQ(titles.size(), 7u);
  EXPECT_EQ(titles[2], "text 455,800 Job (3/7)");
  EXPECT_EQ(titles[6], "text 455,800 Job (7/7)");
  EXPECT_EQ(p.Matching("page").size(), 6u);
  // The title of a page comes before the next page is announced.
  auto third = std::find(p.Log.begin(), p.Log.end(), "text 455,800 Job (3/7)");
  ASSERT_NE(third, p.Log.end());
  EXPECT_EQ(*(third + 1), "OnNextPage 4/7");
  EXPECT_EQ(*(third + 2), "page");
  EXPECT_EQ(p.Log.end()[-3], "text 455,800 Job (7/7)");
}

TEST(TLinePrinter, NowhereMeansNoTitleButTheJobIsStillNamed) {
  SmallPage p;
  p.Lines(3);
  p.LP.PrintPageNumbers = true;
  p.LP.Print(p.Surface);
  EXPECT_EQ(p.Surface.JobName, "Job");
  EXPECT_EQ(p.Surface.Texts(), (std::vector<std::string>{"line 1", "line 2", "line 3"}));
}

TEST(TLinePrinter, WrapsOnlyWhenAsked) {
  SmallPage p;
  p.LP.Lines = {std::string(50, 'a') + " " + std::string(50, 'b'), ""};
  p.LP.Print(p.Surface);
  EXPECT_EQ(p.Surface.Texts(), (std::vector<std::string>{std::string(50, 'a') + " ", std::string(50, 'b'), ""}));

  p.Log.clear();
  p.LP.WordWrap = false;
  p.LP.Print(p.Surface);
  EXPECT_EQ(p.Surface.Texts(), p.LP.Lines);
}

TEST(TLinePrinter, DegeneratePagesStillEnd) {
  struct Case {
    const char* What;
    PrinterCaps Caps;
    PrintTextMetrics Metrics;
    TPrintTitlePlacement Title;
  };
  const Case cases[] = {
      {"page shorter than a line", {100, 100, 1000, 250, 0, 0, 1000, 250}, {90, 10}, TPrintTitlePlacement::Nowhere},
      {"no room for a title", {100, 100, 1000, 350, 0, 0, 1000, 350}, {90, 10}, TPrintTitlePlacement::TopOfPage},
      {"zero line height", {100, 100, 1000, 1000, 0, 0, 1000, 1000}, {0, 0}, TPrintTitlePlacement::BottomOfPage},
      {"no resolution", {0, 0, 0, 0, 0, 0, 0, 0}, {90, 10}, TPrintTitlePlacement::Nowhere},
      {"negative metrics", {100, 100, 1000, 1000, 0, 0, 1000, 1000}, {-50, -50}, TPrintTitlePlacement::Nowhere},
  };
  for (const auto& c : cases) {
    SmallPage p;
    p.Surface.Caps = c.Caps;
    p.Surface.Metrics = c.Metrics;
    p.LP.TitleOnPrintout = c.Title;
    p.Lines(5);
    p.LP.Print(p.Surface);
    EXPECT_EQ(p.Log.back(), "OnEndPrint") << c.What;
    EXPECT_LE(p.Surface.Texts().size(), 30u) << c.What;
  }
}

TEST(TLinePrinter, AbsurdPrinterValuesKeepEveryPositionOnThePage) {
  // A driver may report anything; the line pitch and the edges are bounded so that no position
  // wraps around (an int overflow would land near one of its limits).
  const int big = std::numeric_limits<int>::max();
  for (TPrintTitlePlacement title : {TPrintTitlePlacement::TopOfPage, TPrintTitlePlacement::BottomOfPage}) {
    SmallPage p;
    p.Surface.Metrics = {big, big};
    p.Surface.Caps = {big, big, big, big, big, big, big, big};
    p.Surface.CharWidth = 1 << 24;
    p.LP.TitleOnPrintout = title;
    p.Lines(3);
    p.LP.Print(p.Surface);
    for (const auto& entry : p.Matching("text ")) {
      int x = 0, y = 0;
      ASSERT_EQ(std::sscanf(entry.c_str(), "text %d,%d", &x, &y), 2) << entry;
      EXPECT_LT(std::abs(x), 1 << 30) << entry;
      EXPECT_LT(std::abs(y), 1 << 30) << entry;
    }
    EXPECT_EQ(p.Log.back(), "OnEndPrint");
  }
  EXPECT_EQ(LineHeight({big, big}), 1 << 26);
  EXPECT_EQ(LineHeight({-big, -big}), 1);
  EXPECT_EQ(LineHeight({90, 10}), 100);
}

} // namespace qv
