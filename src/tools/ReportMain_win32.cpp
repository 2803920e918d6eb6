// quorvel-report: the gathering pass with no window, and the report the Export button writes.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "app/WindowsSources.h"
#include "cpu/CpuPlatform.h"
#include "fields/FieldTable.h"
#include "reports/FileNames_win32.h"
#include "reports/JsonReport.h"
#include "tools/CpuidOptions.h"
#include "tools/ReportTool.h"

int main(int argc, char** argv) {
  // The report's CR LF must reach the file or pipe as they are.
  _setmode(_fileno(stdout), _O_BINARY);

  qv::FileSink out(stdout), err(stderr);
  auto parsed = qv::ParseReportArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.Error.empty()) {
    err << "quorvel-report: " << parsed.Error << "\n" << qv::ReportUsage();
    return qv::ExitBadArgument;
  }
  // The file names as typed: from the wide command line where the system has one, else the ANSI
  // arguments in UTF-8 (a name the code page cannot hold is refused when the file is opened).
  std::vector<std::string> utf8Arguments;
  if (const qv::WideFileCalls* wide = qv::WideNameCalls()) {
    auto split = qv::SplitCommandLine(std::u16string(reinterpret_cast<const char16_t*>(wide->GetCommandLine())));
    for (const auto& arg : split) utf8Arguments.push_back(qv::Utf16ToUtf8(arg));
  } else {
    for (int i = 1; i < argc; ++i) utf8Arguments.push_back(qv::AnsiToUtf8Name(argv[i]));
  }
  qv::TakeFileNamesFrom(parsed, utf8Arguments);
  parsed.Options.ToUtf8 = qv::SystemAnsiConverter();
  try {
    qv::InitCpuLoadMonitor();
    struct LoadMonitorRelease {
      ~LoadMonitorRelease() { qv::ReleaseCpuLoadMonitor(); }
    } release;
    qv::FieldTable fields;
    qv::WindowsSources sources;
    qv::CpuidReplay replay;
    int cpuidStatus = qv::ApplyCpuidOptions(parsed.Options, sources.Sources().Processor, replay, err);
    if (cpuidStatus >= 0) return cpuidStatus;
    auto transport = qv::MakeWinInetTransport();
    return qv::RunReport(parsed.Options, fields, sources.Sources(), out, err, qv::PlatformFileSystem(),
                         transport.get());
  } catch (const std::exception& e) {
    err << e.what() << "\n";
    return qv::ExitPassError;
  }
}
