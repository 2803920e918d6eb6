#include "reports/ReportDialogs_win32.h"

#include <cderr.h>
#include <commdlg.h>

#include <vector>

#include "core/Errors.h"
#include "reports/FileNames_win32.h"

namespace qv {

PrintDialogState::~PrintDialogState() {
  if (DevMode) GlobalFree(DevMode);
  if (DevNames) GlobalFree(DevNames);
}

DWORD SaveDialogFlags(const SaveDialogState& state) {
  return OFN_EXPLORER | (state.OverwritePrompt ? OFN_OVERWRITEPROMPT : 0) |
         (state.HideReadOnly ? OFN_HIDEREADONLY : 0) | (state.EnableSizing ? OFN_ENABLESIZING : 0);
}

namespace {

// The dialog library, held while its dialog runs and freed after: the program loads it on first
// use only. Its wide dialogs serve on the NT family only; the 95 family's do nothing.
class DialogLibrary {
public:
  DialogLibrary() : Module(LoadLibraryA("comdlg32.dll")) {}
  template <typename F>
  F WideDialog(const char* name) const {
    return WideNameCalls() ? LookUp<F>(Module.Get(), name) : nullptr;
  }

private:
  UniqueLibrary Module;
};

// On the NT family the ANSI save dialog hands back the code page's look-alike of a name it cannot
// hold, and checks that name, not the typed one, for the overwrite prompt.
using SaveDialogW = BOOL(WINAPI*)(LPOPENFILENAMEW);

std::wstring AnsiWide(const std::string& ansi) { return Utf8ToWide(AnsiToUtf8Name(ansi)); }

bool ExecuteWideSaveDialog(SaveDialogW dialog, HWND owner, SaveDialogState& state) {
  std::vector<wchar_t> name(4096, L'\0');
  Utf8ToWide(state.FileName).copy(name.data(), name.size() - 1);
  // The filter's separators survive the conversion: NUL stays NUL.
  const std::string ansiFilter = DialogFilterString(state.Filter);
  const std::wstring filter = AnsiWide(ansiFilter);
  const std::wstring title = AnsiWide(state.Title), ext = AnsiWide(state.DefaultExt);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = LOBYTE(LOWORD(GetVersion())) >= 5 ? sizeof ofn : OPENFILENAME_SIZE_VERSION_400W;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(state.FilterIndex);
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrTitle = title.c_str();
  ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  ofn.Flags = SaveDialogFlags(state);
  if (!dialog(&ofn)) {
    DWORD error = CommDlgExtendedError();
    if (error) throw Exception("The save dialog failed (error " + std::to_string(error) + ")");
    return false;
  }
  state.FileName = WideToUtf8(name.data());
  state.FilterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

} // namespace

bool ExecuteSaveDialog(HWND owner, SaveDialogState& state) {
  DialogLibrary library;
  if (auto wide = library.WideDialog<SaveDialogW>("GetSaveFileNameW")) return ExecuteWideSaveDialog(wide, owner, state);
  std::vector<char> name(4096, '\0');
  std::string proposed = Utf8ToAnsiShown(state.FileName);
  proposed.copy(name.data(), name.size() - 1);
  const std::string filter = DialogFilterString(state.Filter);

  OPENFILENAMEA ofn{};
  // Windows before 2000 reject the larger structure.
  ofn.lStructSize = LOBYTE(LOWORD(GetVersion())) >= 5 ? sizeof ofn : OPENFILENAME_SIZE_VERSION_400A;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(state.FilterIndex);
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrTitle = state.Title.c_str();
  ofn.lpstrDefExt = state.DefaultExt.empty() ? nullptr : state.DefaultExt.c_str();
  ofn.Flags = SaveDialogFlags(state);
  if (!GetSaveFileNameA(&ofn)) {
    DWORD error = CommDlgExtendedError();
    if (error) throw Exception("The save dialog failed (error " + std::to_string(error) + ")");
    return false;
  }
  state.FileName = AnsiToUtf8Name(name.data());
  state.FilterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

namespace {

// On the NT family printer names are kept in Unicode, and the ANSI print dialog gives a name the
// code page cannot hold as question marks, which names no printer.
using PrintDlgWProc = BOOL(WINAPI*)(PRINTDLGW*);

std::string PrintDialogErrorText(DWORD error) {
  switch (error) {
    case PDERR_NODEFAULTPRN:
      return "No printer is installed";
    case PDERR_PRINTERNOTFOUND:
      return "The chosen printer cannot be found";
    case PDERR_NODEVICES:
      return "No printer driver was found";
    case PDERR_CREATEICFAILURE:
    case PDERR_INITFAILURE:
    case PDERR_LOADDRVFAILURE:
    case PDERR_GETDEVMODEFAIL:
      return "The chosen printer cannot be used (print dialog error " + std::to_string(error) + ")";
    default:
      return "The print dialog failed (error " + std::to_string(error) + ")";
  }
}

template <class Dialog, class Run>
std::unique_ptr<PrintSurface> RunPrintDialog(HWND owner, PrintDialogState& state, Run run) {
  Dialog pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.hDevMode = state.DevMode;
  pd.hDevNames = state.DevNames;
  // No page range, selection or print-to-file: the job is always the whole report.
  pd.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE;
  pd.nCopies = 1;
  BOOL chosen = run(&pd);
  state.DevMode = pd.hDevMode;
  state.DevNames = pd.hDevNames;
  if (!chosen) {
    DWORD error = CommDlgExtendedError();
    if (error) throw Exception(PrintDialogErrorText(error));
    return nullptr;
  }
  // OK never passes silently: a printer without a device context is said to be unusable.
  if (!pd.hDC) throw Exception("The chosen printer cannot be used");
  return std::make_unique<PrinterDcSurface>(pd.hDC);
}

} // namespace

std::unique_ptr<PrintSurface> ExecutePrintDialog(HWND owner, PrintDialogState& state) {
  DialogLibrary library;
  if (auto wide = library.WideDialog<PrintDlgWProc>("PrintDlgW"))
    return RunPrintDialog<PRINTDLGW>(owner, state, [wide](PRINTDLGW* pd) { return wide(pd); });
  return RunPrintDialog<PRINTDLGA>(owner, state, [](PRINTDLGA* pd) { return PrintDlgA(pd); });
}

void ExportReport(HWND owner, SaveDialogState& dialog, const PageFields& fields, const std::string& totalMemoryText) {
  ExportReport(
      dialog, [owner](SaveDialogState& state) { return ExecuteSaveDialog(owner, state); }, fields, totalMemoryText);
}

void PrintReport(HWND owner, PrintDialogState& printer, TLinePrinter& lp, const PageFields& fields,
                 const std::string& totalMemoryText) {
  PrintReport(
      lp, [owner, &printer] { return ExecutePrintDialog(owner, printer); }, fields, totalMemoryText);
}

} // namespace qv
