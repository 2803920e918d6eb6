#pragma once
#include <string>
#include <vector>

#include "app/GatherPass.h"
#include "inventory/InventoryServer.h"
#include "reports/AnsiText.h"
#include "reports/JsonReport.h"
#include "reports/ReportBuilder.h"
#include "reports/ReportFile.h"
#include "tools/TextSink.h"

namespace qv {

// What the command line of quorvel-report asks for.
struct ReportOptions {
  ReportFormat Format = ReportFormat::rfText;
  bool Json = false;      // the JSON report instead (never together with --html)
  std::string OutputPath; // UTF-8; empty: standard output
  bool ShowHelp = false;
  std::string CpuidDumpPath; // read CPUID from this dump instead of the processor
  std::string SaveCpuidPath; // write the CPUID leaves here instead of a report
  // The inventory instead of the report (the report too, with --output): to a file (UTF-8; one
  // ending in a separator is a folder, where the file is named after the machine's DEVICEID), and
  // to a server.
  std::string OcsPath;
  std::string OcsServer;
  // How the JSON report turns the system's texts into UTF-8; the platform sets its own.
  AnsiConverter ToUtf8 = [](std::string_view text) { return AnsiToUtf8(text, 1252); };
};

// One command-line option: a switch when Value is null, else it takes the next argument.
struct ReportOption {
  const char* Name;  // "--output"
  const char* Value; // "FILE" in the usage text, or nullptr
  const char* Help;
  void (*Apply)(ReportOptions& options, const std::string& value);
};
const std::vector<ReportOption>& ReportOptionTable();

struct ParsedReportArguments {
  ReportOptions Options;
  std::string Error; // empty when the arguments are good
};
// The arguments after the program name. An unknown option, a missing or empty value and an
// option given twice are errors, and so are --json and --html together.
ParsedReportArguments ParseReportArguments(const std::vector<std::string>& args);

// A command line split as the C runtime splits it: blanks separate, double quotes group, and
// backslashes are literal except before a double quote. The program's name is left out.
std::vector<std::u16string> SplitCommandLine(std::u16string_view line);

// The file names (--output, --cpuid, --save-cpuid, --ocs) taken from the same arguments in UTF-8
// (the wide command line's), so that each is the name as typed and not the code page's look-alike.
// Nothing changes when they do not parse.
void TakeFileNamesFrom(ParsedReportArguments& parsed, const std::vector<std::string>& utf8Arguments);

// "usage: quorvel-report [--html] [--output FILE]" and a line per option.
std::string ReportUsage();

enum ReportExitCode {
  ExitReportWritten = 0,
  ExitCannotWrite = 1, // the file (or standard output) could not be written
  ExitBadArgument = 2,
  ExitPassError = 3,         // the pass raised an error; the report holds what was gathered
  ExitServerRefused = 4,     // the inventory server answered, and did not take the inventory
  ExitServerUnreachable = 5, // the inventory server could not be reached (or WinInet is missing)
};

// The file --ocs names: the path itself, or in a folder (a path ending in "\" or "/") the
// DEVICEID with ".ocs", each character a file name cannot hold as "_".
std::string InventoryFilePath(const std::string& path, const std::string& deviceId);

// The pass with no window into fields, then the report to out or to the output file. Errors
// the window would show in a message box go to err. When both the pass and the write fail the
// write decides the status: no report came out. With --ocs or --ocs-server the inventory of the
// same pass is written or sent (through transport), what the server answered goes to out, and
// the report is written only with --output. A failed write comes first, then the server's
// status, then the pass's.
int RunReport(const ReportOptions& options, PageFields& fields, GatherSources& sources, TextSink& out, TextSink& err,
              ReportFileSystem& fs = PlatformFileSystem(), InventoryTransport* transport = nullptr);

} // namespace qv
