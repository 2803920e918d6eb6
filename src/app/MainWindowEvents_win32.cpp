#include "app/BusyWindow_win32.h"
#include "app/HelpFile.h"
#include "app/MainWindow_win32.h"
#include "cpu/CpuPlatform.h"
#include "cpu/Cpuid.h"
#include "status/PeriodicRefresh.h"
#include "ui/LateImports.h"

namespace qv {

void TMainWindow::ShowPage(int n) {
  for (int i = 0; i < PageCount; ++i) Pages[i]->SetVisible(i == n);
}

void TMainWindow::TabStripTabChanged(TControl*) {
  if (!State.Gathered) return;
  ShowPage(TabStrip->ActiveTab());
}

void TMainWindow::InfoButtonClick(TControl*) {
  // The libraries only the pass uses are not needed again until the next pass.
  struct Release {
    ~Release() { ReleasePassLibraries(); }
  } release;
  RunGatheringPass(*this, State, Sources->Sources(), *this);
}

void TMainWindow::BeginBusy() {
  BusyWindow->Show();
  SetEnabled(false);
  BusyWindow->Update();
  BusyWindow->BringToFront();
}

void TMainWindow::EndBusy() {
  PrintButton->SetEnabled(true);
  ExportButton->SetEnabled(true);
  BusyWindow->Hide();
  SetEnabled(true);
  TabStrip->SetActiveTab(1);
  TabStrip->SetEnabled(true);
  BringToFront();
}

void TMainWindow::CloseButtonClick(TControl*) { Close(); }

void TMainWindow::HelpButtonClick(TControl*) {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  Application().HelpFile = HelpFileFor(std::string(path, n));
  Application().HelpCommand(HELP_CONTENTS, 0);
}

void TMainWindow::PrintButtonClick(TControl*) {
  PrintReport(Handle(), PrintDialog, LinePrinter, *this, State.TotalMemoryText);
}

void TMainWindow::ExportButtonClick(TControl*) { ExportReport(Handle(), SaveDialog, *this, State.TotalMemoryText); }

void TMainWindow::TitleBarMouseDown(TControl*, TMouseButton, unsigned, int x, int y) {
  DragStartX = x;
  DragStartY = y;
  Dragging = true;
}

void TMainWindow::TitleBarMouseMove(TControl*, unsigned, int x, int y) {
  if (!Dragging) return;
  SetBounds(Left() + x - DragStartX, Top() + y - DragStartY, Width(), Height());
}

void TMainWindow::TitleBarMouseUp(TControl*, TMouseButton, unsigned, int, int) { Dragging = false; }

void TMainWindow::RefreshTimerTick(TTimer*) {
  RefreshSources sources;
  sources.System = Sources->Sources().System;
  sources.Load = &CpuLoadModule();
  RunPeriodicRefresh(*this, State, sources);
}

void TMainWindow::UpdateLockKeyBoxes() {
  SetChecked(Field::NumLockBox, LockKeys->NumLockOn());
  SetChecked(Field::CapsLockBox, LockKeys->CapsLockOn());
  SetChecked(Field::ScrollLockBox, LockKeys->ScrollLockOn());
  SetChecked(Field::InsertBox, LockKeys->InsertOn());
}

void TMainWindow::LockKeyChanged(TLockKeys&) { UpdateLockKeyBoxes(); }

// The boxes are indicators: a click toggles the box, and the handler puts back what it stands for.
void TMainWindow::LockKeyBoxClick(TControl*) { UpdateLockKeyBoxes(); }

void TMainWindow::FeatureBoxClick(TControl*) { UpdateFeatureBoxes(); }

void TMainWindow::UpdateFeatureBoxes() { qv::UpdateFeatureBoxes(*this, State.Processor.FeatureFlags); }

} // namespace qv
