#include "tools/CpuidOptions.h"

#include <fstream>
#include <ostream>

#include "core/Errors.h"

namespace qv {

int ApplyCpuidOptions(const ReportOptions& options, ProcessorSources* processor, CpuidReplay& replay,
                      std::ostream& err) {
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
    std::ofstream out(options.SaveCpuidPath, std::ios::binary | std::ios::trunc);
    if (out) out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (out) out.close();
    if (!out) {
      err << "Cannot create file " << options.SaveCpuidPath << "\n";
      return ExitCannotWrite;
    }
    return ExitReportWritten;
  }
  return -1;
}

} // namespace qv
