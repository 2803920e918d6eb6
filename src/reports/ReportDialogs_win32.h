#pragma once
#include <memory>
#include <string>

#include "reports/LinePrinter_win32.h"
#include "reports/ReportCommands.h"
#include "ui/Win.h"

namespace qv {

// The printer chosen in the last print dialog, offered again by the next one.
class PrintDialogState {
public:
  PrintDialogState() = default;
  ~PrintDialogState();
  PrintDialogState(const PrintDialogState&) = delete;
  PrintDialogState& operator=(const PrintDialogState&) = delete;
  HGLOBAL DevMode = nullptr;
  HGLOBAL DevNames = nullptr;
};

// The OFN_ flags for the options in state.
DWORD SaveDialogFlags(const SaveDialogState& state);
// The save dialog with the settings in state; FileName in and out is UTF-8. The wide dialog on
// the NT family, the ANSI one on the 95 family.
bool ExecuteSaveDialog(HWND owner, SaveDialogState& state);
// The print dialog (PrintDlgW on the NT family, else PrintDlgA); the chosen printer's surface, or
// null when cancelled. A dialog that fails, or a printer without a device context, raises.
std::unique_ptr<PrintSurface> ExecutePrintDialog(HWND owner, PrintDialogState& state);

// ExportButtonClick and PrintButtonClick. Errors (a file that cannot be written, a printer
// failure) are raised for the application's handler.
void ExportReport(HWND owner, SaveDialogState& dialog, const PageFields& fields, const std::string& totalMemoryText);
void PrintReport(HWND owner, PrintDialogState& printer, TLinePrinter& lp, const PageFields& fields,
                 const std::string& totalMemoryText);

} // namespace qv
