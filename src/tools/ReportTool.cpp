#include "tools/ReportTool.h"

#include <set>

#include "core/Errors.h"

namespace qv {

const std::vector<ReportOption>& ReportOptionTable() {
  static const std::vector<ReportOption> table = {
      {"--html", nullptr, "write the HTML report instead of the text report",
       [](ReportOptions& o, const std::string&) { o.Format = ReportFormat::rfHTML; }},
      {"--json", nullptr, "write the JSON report (UTF-8) instead of the text report",
       [](ReportOptions& o, const std::string&) { o.Json = true; }},
      {"--output", "FILE", "write the report to FILE instead of standard output",
       [](ReportOptions& o, const std::string& v) { o.OutputPath = v; }},
      {"--help", nullptr, "show this text", [](ReportOptions& o, const std::string&) { o.ShowHelp = true; }},
      {"--cpuid", "FILE", "read CPUID from a recorded dump instead of this processor",
       [](ReportOptions& o, const std::string& v) { o.CpuidDumpPath = v; }},
      {"--save-cpuid", "FILE", "write the CPUID leaves to FILE instead of a report",
       [](ReportOptions& o, const std::string& v) { o.SaveCpuidPath = v; }},
  };
  return table;
}

ParsedReportArguments ParseReportArguments(const std::vector<std::string>& args) {
  ParsedReportArguments parsed;
  std::set<std::string> seen;
  for (size_t i = 0; i < args.size(); ++i) {
    const ReportOption* option = nullptr;
    for (const auto& o : ReportOptionTable())
      if (args[i] == o.Name) option = &o;
    if (!option) {
      parsed.Error = "unknown argument " + args[i];
      return parsed;
    }
    if (!seen.insert(option->Name).second) {
      parsed.Error = args[i] + " given twice";
      return parsed;
    }
    std::string value;
    if (option->Value) {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        parsed.Error = args[i] + " needs " + option->Value;
        return parsed;
      }
      value = args[++i];
    }
    option->Apply(parsed.Options, value);
  }
  if (parsed.Options.Json && parsed.Options.Format == ReportFormat::rfHTML)
    parsed.Error = "--json and --html cannot be given together";
  return parsed;
}

std::vector<std::u16string> SplitCommandLine(std::u16string_view line) {
  std::vector<std::u16string> args;
  size_t i = 0;
  const auto blank = [&](size_t k) { return line[k] == u' ' || line[k] == u'\t'; };
  // The program's name: quoted or up to the first blank, backslashes as they are.
  if (i < line.size() && line[i] == u'"') {
    size_t end = line.find(u'"', i + 1);
    i = end == std::u16string_view::npos ? line.size() : end + 1;
  }
  while (i < line.size() && !blank(i)) ++i;
  for (;;) {
    while (i < line.size() && blank(i)) ++i;
    if (i >= line.size()) break;
    std::u16string arg;
    bool quoted = false;
    while (i < line.size() && (quoted || !blank(i))) {
      size_t backslashes = 0;
      while (i < line.size() && line[i] == u'\\') ++backslashes, ++i;
      if (i < line.size() && line[i] == u'"') {
        arg.append(backslashes / 2, u'\\');
        if (backslashes % 2) {
          arg += u'"';
        } else if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
          arg += u'"'; // "" inside quotes is one quote
          ++i;
        } else {
          quoted = !quoted;
        }
        ++i;
      } else {
        arg.append(backslashes, u'\\');
        if (i < line.size() && (quoted || !blank(i))) arg += line[i++];
      }
    }
    args.push_back(arg);
  }
  return args;
}

void TakeFileNamesFrom(ParsedReportArguments& parsed, const std::vector<std::string>& utf8Arguments) {
  if (!parsed.Error.empty()) return;
  ParsedReportArguments again = ParseReportArguments(utf8Arguments);
  if (!again.Error.empty()) return;
  parsed.Options.OutputPath = again.Options.OutputPath;
  parsed.Options.CpuidDumpPath = again.Options.CpuidDumpPath;
  parsed.Options.SaveCpuidPath = again.Options.SaveCpuidPath;
}

std::string ReportUsage() {
  std::string usage = "usage: quorvel-report";
  std::string details;
  for (const auto& o : ReportOptionTable()) {
    std::string spelled = std::string(o.Name) + (o.Value ? std::string(" ") + o.Value : "");
    usage += " [" + spelled + "]";
    details += "  " + spelled + std::string(spelled.size() < 16 ? 16 - spelled.size() : 1, ' ') + o.Help + "\n";
  }
  return usage + "\n" + details;
}

int RunReport(const ReportOptions& options, PageFields& fields, GatherSources& sources, TextSink& out, TextSink& err,
              ReportFileSystem& fs) {
  if (options.ShowHelp) {
    out << ReportUsage();
    return ExitReportWritten;
  }
  int status = ExitReportWritten;
  PassState state;
  PassHost noWindow;
  try {
    RunGatheringPass(fields, state, sources, noWindow);
  } catch (const std::exception& e) {
    err << e.what() << "\n";
    status = ExitPassError;
  }

  auto lines = options.Json ? BuildJsonReport(fields, state.TotalMemoryText, state.Raw, options.ToUtf8)
                            : BuildReportLines(fields, state.TotalMemoryText, options.Format);
  if (!options.OutputPath.empty()) {
    try {
      WriteReportFile(options.OutputPath, lines, fs);
    } catch (const Exception& e) {
      err << e.Message() << "\n";
      return ExitCannotWrite;
    }
    return status;
  }
  const std::string bytes = ReportFileBytes(lines);
  out.Write(bytes.data(), bytes.size());
  if (!out.Flush()) {
    err << "Cannot write to standard output\n";
    return ExitCannotWrite;
  }
  return status;
}

} // namespace qv
