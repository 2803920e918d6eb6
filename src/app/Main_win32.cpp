#include "app/BusyWindow_win32.h"
#include "app/MainWindow_win32.h"
#include "cpu/CpuPlatform.h"
#include "ui/Accessible.h"
#include "ui/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace qv;
  try {
    InitCpuLoadMonitor();
    // The monitor's state outlives the window and is released on every way out.
    struct ReleaseMonitor {
      ~ReleaseMonitor() { ReleaseCpuLoadMonitor(); }
    } releaseMonitor;
    // What a screen reader's first question started (COM) ends after the windows are gone.
    struct ReleaseScreenReaderObjects {
      ~ReleaseScreenReaderObjects() { ReleaseAccessibility(); }
    } releaseAccessibility;
    TComponent root(nullptr);
    MainWindow = new TMainWindow(&root);
    Application().MainForm = MainWindow;
    Application().Title = "Quorvel";
    BusyWindow = new TBusyWindow(&root);
    MainWindow->BusyWindow = BusyWindow;
    MainWindow->Show();
    Application().Run();
    Application().SetShowHint(false);
  } catch (const std::exception& e) {
    MessageBoxA(nullptr, e.what(), "Quorvel", MB_OK | MB_ICONERROR);
    return 1;
  }
  return 0;
}
