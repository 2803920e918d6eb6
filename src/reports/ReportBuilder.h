#pragma once
#include <string>
#include <vector>

#include "fields/PageFields.h"

namespace qv {

enum class ReportFormat { rfText, rfHTML };

// The report of what the pages show, line by line (no line ends). Reads the fields only.
std::vector<std::string> BuildReportLines(const PageFields& fields, const std::string& totalMemoryText,
                                          ReportFormat format);

} // namespace qv
