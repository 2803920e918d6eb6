#include "tools/CpuidOptions.h"

#include <cstdio>

#include "core/Errors.h"

namespace qv {

int ApplyCpuidOptions(const ReportOptions& options, ProcessorSources* processor, CpuidReplay& replay, TextSink& err) {
  if (!processor || options.ShowHelp) return -1;
  if (!options.CpuidDumpPath.empty()) {
    try {
      replay.Dump = LoadCpuidDump(options.CpuidDumpPath);
    } catch (const Exception& e) {
      err << "quorvel-report: " << e.Message() << "\n";
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
    std::FILE* out = std::fopen(options.SaveCpuidPath.c_str(), "wb");
    bool written = out && std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (out && std::fclose(out) != 0) written = false;
    if (!written) {
      err << "Cannot create file " << options.SaveCpuidPath << "\n";
      return ExitCannotWrite;
    }
    return ExitReportWritten;
  }
  return -1;
}

} // namespace qv
