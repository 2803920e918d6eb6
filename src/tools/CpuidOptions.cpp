#include "tools/CpuidOptions.h"

#include "core/Errors.h"

namespace qv {

int ApplyCpuidOptions(const ReportOptions& options, ProcessorSources* processor, CpuidReplay& replay, TextSink& err,
                      ReportFileSystem& fs) {
  if (!processor || options.ShowHelp) return -1;
  if (const std::string& path = options.CpuidDumpPath; !path.empty()) {
    std::string text;
    const std::string problem = fs.NameProblem(path);
    if (!problem.empty() || !fs.Read(path, text)) {
      err << "quorvel-report: Cannot read the CPUID dump " << fs.ShownName(path) << (problem.empty() ? "" : "\n")
          << problem << "\n";
      return ExitBadArgument;
    }
    try {
      replay.Dump = ParseCpuidDump(text);
    } catch (const Exception& e) {
      err << "quorvel-report: " << e.Message() << " (" << fs.ShownName(path) << ")\n";
      return ExitBadArgument;
    }
    processor->Cpuid = &*replay.Dump;
  }
  if (!options.SaveCpuidPath.empty()) {
    std::string text;
    try {
      text = WriteCpuidDump(*processor->Cpuid);
    } catch (const Exception& e) {
      err << "quorvel-report: " << e.Message() << "\n";
      return ExitCannotWrite;
    }
    // Written as a report is, a line of the dump a line of the report: the same bytes.
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
      lines.push_back(text.substr(at, end - at));
    try {
      WriteReportFile(options.SaveCpuidPath, lines, fs);
    } catch (const Exception& e) {
      err << e.Message() << "\n";
      return ExitCannotWrite;
    }
    return ExitReportWritten;
  }
  return -1;
}

} // namespace qv
