#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fields/PageFields.h"
#include "reports/LinePrinter.h"
#include "reports/ReportBuilder.h"
#include "reports/ReportFile.h"

namespace qv {

// The save dialog of the Export button, held by the form: the filter index chosen last stays
// for the next export.
struct SaveDialogState {
  std::string Title = "Quorvel export";
  std::string DefaultExt = "txt";
  std::string Filter = "Text File|*.txt|HTML File|*.html;*.htm";
  bool OverwritePrompt = true;
  bool HideReadOnly = true;
  bool EnableSizing = true;
  int FilterIndex = 1;  // 1-based, as the dialog counts
  std::string FileName; // UTF-8: the name as typed, whatever the code page
};

// Shows the save dialog for state; true when the user chose a file, with FileName and
// FilterIndex then holding the choice.
using SaveDialogRunner = std::function<bool(SaveDialogState&)>;

// Shows the print dialog; the surface of the chosen printer, or null when the user cancelled.
using PrintDialogRunner = std::function<std::unique_ptr<PrintSurface>()>;

// "Quorvel " + the date text: the proposed file name and the print job's name.
std::string ReportName(const std::string& dateText);

// HTML exactly for the second filter; the extension the user typed plays no part.
ReportFormat ExportFormatForFilter(int filterIndex);

// "Text File|*.txt|..." as the dialog takes it: NUL-separated pairs ending in two NULs.
std::string DialogFilterString(const std::string& filter);

// The text report without its "QUORVEL" line and the empty line after it.
std::vector<std::string> PrintedReportLines(const PageFields& fields, const std::string& totalMemoryText);

// The Export button: proposes the name, asks, then writes the report in the chosen format.
// A cancelled dialog writes nothing; a file that cannot be written raises
// Exception("Cannot create file " + path).
void ExportReport(SaveDialogState& dialog, const SaveDialogRunner& runDialog, const PageFields& fields,
                  const std::string& totalMemoryText, ReportFileSystem& fs = PlatformFileSystem());

// The Print button: asks for a printer, then prints the text report on lp. A cancelled dialog
// leaves lp untouched. The lines stay in lp.Lines afterwards.
void PrintReport(TLinePrinter& lp, const PrintDialogRunner& runDialog, const PageFields& fields,
                 const std::string& totalMemoryText);

} // namespace qv
