#include "reports/ReportCommands.h"

#include <algorithm>

namespace qv {

std::string ReportName(const std::string& dateText) { return "Quorvel " + dateText; }

ReportFormat ExportFormatForFilter(int filterIndex) {
  return filterIndex == 2 ? ReportFormat::rfHTML : ReportFormat::rfText;
}

std::string DialogFilterString(const std::string& filter) {
  std::string out = filter;
  for (char& c : out)
    if (c == '|') c = '\0';
  out.push_back('\0');
  out.push_back('\0');
  return out;
}

std::vector<std::string> PrintedReportLines(const PageFields& fields, const std::string& totalMemoryText) {
  auto lines = BuildReportLines(fields, totalMemoryText, ReportFormat::rfText);
  lines.erase(lines.begin(), lines.begin() + std::min<size_t>(2, lines.size()));
  return lines;
}

void ExportReport(SaveDialogState& dialog, const SaveDialogRunner& runDialog, const PageFields& fields,
                  const std::string& totalMemoryText, ReportFileSystem& fs) {
  dialog.FileName = ReportName(fields.Text(Field::Date));
  if (!runDialog(dialog)) return;
  // The texts as they are now: the refresh may have changed them while the dialog was open.
  auto lines = BuildReportLines(fields, totalMemoryText, ExportFormatForFilter(dialog.FilterIndex));
  WriteReportFile(dialog.FileName, lines, fs);
}

void PrintReport(TLinePrinter& lp, const PrintDialogRunner& runDialog, const PageFields& fields,
                 const std::string& totalMemoryText) {
  std::unique_ptr<PrintSurface> printer = runDialog();
  if (!printer) return;
  lp.PrintTitle = ReportName(fields.Text(Field::Date));
  lp.Lines = PrintedReportLines(fields, totalMemoryText);
  lp.Print(*printer);
}

} // namespace qv
