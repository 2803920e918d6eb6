#include "reports/ReportCommands.h"

#include <gtest/gtest.h>

#include "FilledFields.h"
#include "MemoryFileSystem.h"
#include "RecordingPrintSurface.h"
#include "core/Errors.h"
#include "fields/FieldInventory.h"

namespace qv {

namespace {

// A user who picks a name and a filter, and what the dialog was shown with.
struct User {
  User(std::string name, int filter) : Name(std::move(name)), Filter(filter) {}
  std::string Name;
  int Filter;
  bool Cancel = false;
  std::function<void()> WhileOpen;
  std::vector<std::pair<std::string, int>> Shown; // proposed name, preselected filter
  bool operator()(SaveDialogState& d) {
    Shown.emplace_back(d.FileName, d.FilterIndex);
    if (WhileOpen) WhileOpen();
    if (Cancel) return false;
    d.FileName = Name;
    d.FilterIndex = Filter;
    return true;
  }
};

std::string FirstLine(const std::string& bytes) { return bytes.substr(0, bytes.find("\r\n")); }

} // namespace

TEST(ExportFormatForFilter, OnlyTheSecondFilterIsHtml) {
  const std::pair<int, ReportFormat> cases[] = {{1, ReportFormat::rfText},
                                                {2, ReportFormat::rfHTML},
                                                {0, ReportFormat::rfText},
                                                {3, ReportFormat::rfText},
                                                {-2, ReportFormat::rfText}};
  for (const auto& [index, format] : cases) EXPECT_EQ(ExportFormatForFilter(index), format) << index;
}

TEST(ReportName, IsTheProductWordAndTheDate) {
  EXPECT_EQ(ReportName("07-12-2026"), "Quorvel 07-12-2026");
  EXPECT_EQ(ReportName("-"), "Quorvel -");
}

TEST(DialogFilterString, PairsSeparatedByNuls) {
  EXPECT_EQ(DialogFilterString(SaveDialogState().Filter),
            std::string("Text File\0*.txt\0HTML File\0*.html;*.htm\0\0", 40));
}

TEST(ExportReport, TheFilterNotTheExtensionDecidesTheFormat) {
  struct Case {
    const char* Name;
    int Filter;
    const char* FirstLine;
  };
  const Case cases[] = {
      {"C:\\r.txt", 2, "<html>"},
      {"C:\\r.htm", 1, "QUORVEL 07-12-2026"},
      {"C:\\r.html", 2, "<html>"},
      {"C:\\r", 1, "QUORVEL 07-12-2026"},
  };
  for (const auto& c : cases) {
    FieldTable fields = FilledFields();
    MemoryFileSystem files;
    SaveDialogState dialog;
    User user{c.Name, c.Filter};
    ExportReport(dialog, std::ref(user), fields, "256 Mb", files);
    ASSERT_EQ(files.Files.count(c.Name), 1u) << c.Name;
    EXPECT_EQ(FirstLine(files.Files[c.Name]), c.FirstLine) << c.Name;
  }
}

TEST(ExportReport, ProposesTheNameAndRemembersTheFilter) {
  FieldTable fields = FilledFields();
  MemoryFileSystem files;
  SaveDialogState dialog;
  User user{"C:\\a.htm", 2};
  ExportReport(dialog, std::ref(user), fields, "256 Mb", files);
  fields.SetText(Field::Date, "08-12-2026");
  user.Name = "C:\\b.htm";
  ExportReport(dialog, std::ref(user), fields, "256 Mb", files);
  EXPECT_EQ(user.Shown,
            (std::vector<std::pair<std::string, int>>{{"Quorvel 07-12-2026", 1}, {"Quorvel 08-12-2026", 2}}));
  EXPECT_EQ(dialog.Title, "Quorvel export");
  EXPECT_EQ(dialog.DefaultExt, "txt");
  EXPECT_EQ(dialog.Filter, "Text File|*.txt|HTML File|*.html;*.htm");
  EXPECT_TRUE(dialog.OverwritePrompt && dialog.HideReadOnly && dialog.EnableSizing);
}

TEST(ExportReport, CancelWritesNothing) {
  FieldTable fields = FilledFields();
  MemoryFileSystem files;
  SaveDialogState dialog;
  User user{"C:\\r.txt", 2};
  user.Cancel = true;
  ExportReport(dialog, std::ref(user), fields, "256 Mb", files);
  EXPECT_TRUE(files.Calls.empty());
  EXPECT_EQ(dialog.FilterIndex, 1);
}

TEST(ExportReport, HoldsTheTextsAsTheDialogClosesOnThem) {
  FieldTable fields = FilledFields();
  MemoryFileSystem files;
  SaveDialogState dialog;
  User user{"C:\\r.txt", 1};
  user.WhileOpen = [&fields] { fields.SetText(Field::Date, "08-12-2026"); };
  ExportReport(dialog, std::ref(user), fields, "256 Mb", files);
  EXPECT_EQ(FirstLine(files.Files["C:\\r.txt"]), "QUORVEL 08-12-2026");
}

TEST(ExportReport, UnwritableFileRaises) {
  FieldTable fields = FilledFields();
  MemoryFileSystem files;
  files.FailWrite = true;
  SaveDialogState dialog;
  User user{"X:\\r.txt", 1};
  try {
    ExportReport(dialog, std::ref(user), fields, "256 Mb", files);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot create file X:\\r.txt");
  }
  EXPECT_TRUE(files.Files.empty());
}

TEST(PrintedReportLines, TheTextReportFromItsFirstHeading) {
  FieldTable fields = FilledFields();
  auto printed = PrintedReportLines(fields, "256 Mb");
  auto text = BuildReportLines(fields, "256 Mb", ReportFormat::rfText);
  ASSERT_EQ(printed.size() + 2, text.size());
  EXPECT_TRUE(std::equal(printed.begin(), printed.end(), text.begin() + 2));
  EXPECT_EQ(printed[0], "[ MY COMPUTER ]");
  EXPECT_EQ(printed[1], "");
  EXPECT_EQ(printed.back(), std::string(" ") + HomePageCaption);
  EXPECT_EQ(std::count(printed.begin(), printed.end(), " Media:"), 1); // the empty memo adds nothing
}

TEST(PrintReport, CancelLeavesTheLinePrinterAlone) {
  FieldTable fields = FilledFields();
  TLinePrinter lp;
  lp.Lines = {"earlier"};
  lp.PrintTitle = "Quorvel 01-01-2026";
  PrintReport(
      lp, [] { return std::unique_ptr<PrintSurface>(); }, fields, "256 Mb");
  EXPECT_EQ(lp.Lines, std::vector<std::string>{"earlier"});
  EXPECT_EQ(lp.PrintTitle, "Quorvel 01-01-2026");
}

TEST(PrintReport, PrintsTheLinesUnderTheJobName) {
  FieldTable fields = FilledFields();
  TLinePrinter lp;
  lp.Lines = {"earlier"};
  RecordingPrintSurface* surface = nullptr;
  std::vector<std::string> log;
  auto printer = [&] {
    auto s = std::make_unique<RecordingPrintSurface>();
    s->Log = &log;
    surface = s.get();
    return std::unique_ptr<PrintSurface>(std::move(s));
  };
  PrintReport(lp, printer, fields, "256 Mb");
  EXPECT_EQ(lp.PrintTitle, "Quorvel 07-12-2026");
  EXPECT_EQ(lp.Lines, PrintedReportLines(fields, "256 Mb"));
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "begin Quorvel 07-12-2026");
  EXPECT_EQ(log.back(), "end");
  // 600 dpi, 15 mm margins: 6308 pixels of 56-pixel lines hold 112 lines, one page.
  EXPECT_EQ(std::count(log.begin(), log.end(), "page"), 0);
  size_t texts = 0;
  for (const auto& entry : log) texts += entry.rfind("text ", 0) == 0;
  EXPECT_EQ(texts, lp.Lines.size());
  EXPECT_EQ(log[2], "text 254,254 [ MY COMPUTER ]");
}

} // namespace qv
