#pragma once
#include <memory>

#include "reports/FileNames_win32.h"
#include "reports/ReportFile.h"

namespace qv {

// The report file system over the wide calls (the NT family), or over the ANSI ones when calls is
// null (the 95 family): there a name that the code page cannot hold exactly is refused.
std::unique_ptr<ReportFileSystem> MakeWindowsFileSystem(const WideFileCalls* calls);

} // namespace qv
