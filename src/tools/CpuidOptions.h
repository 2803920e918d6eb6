#pragma once
#include <optional>

#include "cpu/CpuidDump.h"
#include "tools/ReportTool.h"

namespace qv {

// What --cpuid and --save-cpuid need to keep alive for the pass.
struct CpuidReplay {
  std::optional<CpuidDump> Dump;
};

// Applies --cpuid (the processor section then reads the dump) and --save-cpuid (the leaves of the
// CPUID in use are written to the file: this processor's, or the dump's). Returns -1 when the
// report should follow, else the exit status: ExitBadArgument for a dump that cannot be read or
// holds no leaf 0, ExitCannotWrite for a dump file that cannot be written, ExitReportWritten after
// a saved dump. Messages go to err. The files are named as --output's is: exactly as typed, and a
// name this system cannot store is refused, never read or written under a look-alike.
int ApplyCpuidOptions(const ReportOptions& options, ProcessorSources* processor, CpuidReplay& replay, TextSink& err,
                      ReportFileSystem& fs = PlatformFileSystem());

} // namespace qv
