#include "tools/ReportTool.h"

#include <gtest/gtest.h>

#include <sstream>

#include "MemoryFileSystem.h"
#include "core/Errors.h"
#include "fields/FieldTable.h"

namespace qv {

namespace {

class FakeSystem : public SystemSource {
public:
  bool Fail = false;
  std::string ComputerName() override {
    if (Fail) throw Exception("Cannot read the computer");
    return "TESTBOX";
  }
  MemoryStatus Memory() override { return {268435456, 100000000}; }
  LocalDateTime Now() override { return {2026, 12, 7, 9, 5, 3}; }
};

struct ToolRun {
  int Status;
  std::string Out, Err;
};

ToolRun RunWith(const std::vector<std::string>& args, FakeSystem& system, MemoryFileSystem& files) {
  auto parsed = ParseReportArguments(args);
  EXPECT_EQ(parsed.Error, "");
  FieldTable fields;
  GatherSources sources;
  sources.System = &system;
  StringSink out, err;
  int status = RunReport(parsed.Options, fields, sources, out, err, files);
  return {status, out.str(), err.str()};
}

} // namespace

TEST(ParseReportArguments, GoodAndBadCommandLines) {
  struct Case {
    std::vector<std::string> Args;
    ReportFormat Format;
    const char* Output;
    const char* Error;
  };
  const Case cases[] = {
      {{}, ReportFormat::rfText, "", ""},
      {{"--html"}, ReportFormat::rfHTML, "", ""},
      {{"--output", "r.txt"}, ReportFormat::rfText, "r.txt", ""},
      {{"--output", "C:\\a b\\r.htm", "--html"}, ReportFormat::rfHTML, "C:\\a b\\r.htm", ""},
      {{"--output", "--html"}, ReportFormat::rfText, "--html", ""}, // a value is taken as it is
      {{"--HTML"}, ReportFormat::rfText, "", "unknown argument --HTML"},
      {{"r.txt"}, ReportFormat::rfText, "", "unknown argument r.txt"},
      {{"--output"}, ReportFormat::rfText, "", "--output needs FILE"},
      {{"--output", ""}, ReportFormat::rfText, "", "--output needs FILE"},
      {{"--html", "--html"}, ReportFormat::rfHTML, "", "--html given twice"},
      {{"--output", "a", "--output", "b"}, ReportFormat::rfText, "a", "--output given twice"},
  };
  for (const auto& c : cases) {
    auto parsed = ParseReportArguments(c.Args);
    std::string line;
    for (const auto& a : c.Args) line += a + " ";
    EXPECT_EQ(parsed.Error, c.Error) << line;
    if (parsed.Error.empty()) {
      EXPECT_EQ(parsed.Options.Format, c.Format) << line;
      EXPECT_EQ(parsed.Options.OutputPath, c.Output) << line;
    }
  }
}

TEST(ReportUsage, NamesEveryOption) {
  std::string usage = ReportUsage();
  EXPECT_EQ(usage.substr(0, usage.find('\n')),
            "usage: quorvel-report [--html] [--json] [--output FILE] [--help] [--cpuid FILE] [--save-cpuid FILE] "
            "[--ocs FILE] [--ocs-server URL]");
  for (const auto& o : ReportOptionTable()) EXPECT_NE(usage.find(std::string("\n  ") + o.Name), std::string::npos);
}

TEST(RunReport, WritesTheReportToStandardOutput) {
  FakeSystem system;
  MemoryFileSystem files;
  ToolRun text = RunWith({}, system, files);
  EXPECT_EQ(text.Status, ExitReportWritten);
  EXPECT_EQ(text.Err, "");
  EXPECT_EQ(text.Out.substr(0, 41), "QUORVEL 07-12-2026\r\n\r\n[ MY COMPUTER ]\r\n\r\n");
  EXPECT_NE(text.Out.find("\r\n Computer Name: TESTBOX\r\n"), std::string::npos);
  EXPECT_NE(text.Out.find("\r\n Memory: 256 Mb\r\n"), std::string::npos);
  EXPECT_EQ(text.Out.substr(text.Out.size() - 2), "\r\n");
  EXPECT_TRUE(files.Files.empty());

  ToolRun html = RunWith({"--html"}, system, files);
  EXPECT_EQ(html.Out.substr(0, 8), "<html>\r\n");
  EXPECT_NE(html.Out.find("\r\nGathered on 07-12-2026<br>\r\n"), std::string::npos);
}

TEST(RunReport, WritesTheFileAndNothingToStandardOutput) {
  FakeSystem system;
  MemoryFileSystem files;
  ToolRun run = RunWith({"--output", "r.htm", "--html"}, system, files);
  EXPECT_EQ(run.Status, ExitReportWritten);
  EXPECT_EQ(run.Out, "");
  ASSERT_EQ(files.Files.count("r.htm"), 1u);
  EXPECT_EQ(files.Files["r.htm"].substr(0, 8), "<html>\r\n");
}

TEST(RunReport, UnwritableFileIsStatusOne) {
  FakeSystem system;
  MemoryFileSystem files;
  files.FailWrite = true;
  ToolRun run = RunWith({"--output", "X:\\r.txt"}, system, files);
  EXPECT_EQ(run.Status, ExitCannotWrite);
  EXPECT_EQ(run.Err, "Cannot create file X:\\r.txt\n");
  EXPECT_EQ(run.Out, "");

  system.Fail = true; // a pass error too: no report came out, so the write decides
  EXPECT_EQ(RunWith({"--output", "X:\\r.txt"}, system, files).Status, ExitCannotWrite);
}

TEST(RunReport, PassErrorIsReportedAndTheReportStillWritten) {
  FakeSystem system;
  system.Fail = true;
  MemoryFileSystem files;
  ToolRun run = RunWith({}, system, files);
  EXPECT_EQ(run.Status, ExitPassError);
  EXPECT_EQ(run.Err, "Cannot read the computer\n");
  EXPECT_NE(run.Out.find("\r\n Computer Name: -\r\n"), std::string::npos);

  run = RunWith({"--output", "r.txt"}, system, files);
  EXPECT_EQ(run.Status, ExitPassError);
  EXPECT_EQ(files.Files.count("r.txt"), 1u);
}

TEST(RunReport, HelpShowsTheUsageWithoutAPass) {
  FakeSystem system;
  system.Fail = true;
  MemoryFileSystem files;
  ToolRun run = RunWith({"--help"}, system, files);
  EXPECT_EQ(run.Status, ExitReportWritten);
  EXPECT_EQ(run.Out, ReportUsage());
  EXPECT_EQ(run.Err, "");
}

} // namespace qv

namespace qv {

TEST(SplitCommandLine, SplitsAsTheCRuntimeDoes) {
  using L = std::vector<std::u16string>;
  EXPECT_EQ(SplitCommandLine(u"quorvel-report.exe"), L{});
  EXPECT_EQ(
      SplitCommandLine(u"\"C:\\Program Files\\q.exe\" --output  \"C:\\My Reports\\\u03B1\u03C6\u03B1.txt\"\t--html "),
      (L{u"--output", u"C:\\My Reports\\\u03B1\u03C6\u03B1.txt", u"--html"}));
  // Backslashes count only before a quote: two make one and open or close, three make one and a quote.
  EXPECT_EQ(SplitCommandLine(u"q a\\\\b \"c\\\\\" d\\\"e \"f\"\"g\""), (L{u"a\\\\b", u"c\\", u"d\"e", u"f\"g"}));
  EXPECT_EQ(SplitCommandLine(u"q \"\" x"), (L{u"", u"x"}));
}

TEST(TakeFileNamesFrom, TheWideNamesReplaceTheLookAlikes) {
  // What the ANSI arguments of a code page without Greek letters read, and the wide ones.
  auto parsed = ParseReportArguments({"--html", "--output", "C:\\afa.txt", "--cpuid", "f.txt", "--save-cpuid", "a"});
  TakeFileNamesFrom(parsed, {"--html", "--output", "C:\\\xCE\xB1\xCF\x86\xCE\xB1.txt", "--cpuid", "\xCF\x86.txt",
                             "--save-cpuid", "\xCE\xB1"});
  EXPECT_EQ(parsed.Options.OutputPath, "C:\\\xCE\xB1\xCF\x86\xCE\xB1.txt");
  EXPECT_EQ(parsed.Options.CpuidDumpPath, "\xCF\x86.txt");
  EXPECT_EQ(parsed.Options.SaveCpuidPath, "\xCE\xB1");
  EXPECT_EQ(parsed.Options.Format, ReportFormat::rfHTML);

  auto bad = ParseReportArguments({"--output"});
  TakeFileNamesFrom(bad, {"--output", "x"});
  EXPECT_EQ(bad.Options.OutputPath, "");
  EXPECT_NE(bad.Error, "");
}

} // namespace qv
