// quorvel-report: the gathering pass with no window, and the report the Export button writes.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>

#include "app/FieldTable.h"
#include "app/WindowsSources.h"
#include "tools/ReportTool.h"

int main(int argc, char** argv) {
  // The report's CR LF must reach the file or pipe as they are.
  _setmode(_fileno(stdout), _O_BINARY);

  auto parsed = qv::ParseReportArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.Error.empty()) {
    std::cerr << "quorvel-report: " << parsed.Error << "\n" << qv::ReportUsage();
    return qv::ExitBadArgument;
  }
  try {
    qv::FieldTable fields;
    qv::WindowsSources sources;
    return qv::RunReport(parsed.Options, fields, sources.Sources(), std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return qv::ExitPassError;
  }
}
