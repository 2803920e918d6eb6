#include "app/WindowsSources.h"

#include "app/WarmingClock_win32.h"
#include "cpu/CpuPlatform.h"
#include "probes/Audio.h"
#include "probes/Display.h"
#include "probes/Drives.h"
#include "probes/Memory_win32.h"
#include "probes/Network.h"
#include "probes/Registry_win32.h"
#include "probes/WindowsVersion.h"
#include "ui/OptionalCalls.h"
#include "ui/Win.h"

namespace qv {

namespace {

class WindowsSystemSource : public SystemSource {
public:
  std::string ComputerName() override {
    char name[255];
    DWORD size = sizeof name;
    if (!GetComputerNameA(name, &size)) return "";
    return std::string(name, size);
  }
  MemoryStatus Memory() override { return ReadMemoryStatus(); }
  LocalDateTime Now() override {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
  }
};

using IsWow64ProcessCall = BOOL(WINAPI*)(HANDLE, PBOOL);

// A 32-bit program on 64-bit Windows sees the 32-bit programs' half of the registry; the other
// half is asked for by name (KEY_WOW64_64KEY). IsWow64Process came with XP SP2: before it,
// there is no other half.
std::unique_ptr<Registry> Registry64View() {
  const auto isWow64 = LookUpLoaded<IsWow64ProcessCall>("kernel32.dll", "IsWow64Process");
  BOOL wow64 = FALSE;
  if (!isWow64 || !isWow64(GetCurrentProcess(), &wow64) || !wow64) return nullptr;
  constexpr REGSAM Wow64Key64 = 0x0100;
  return std::make_unique<WindowsRegistry>(HKEY_LOCAL_MACHINE, Wow64Key64);
}

} // namespace

struct WindowsSources::Readers {
  WindowsSystemSource System;
  std::unique_ptr<DriveSource> Drives = MakeWindowsDriveSource();
  std::unique_ptr<OsSource> Os = MakeWindowsOsSource();
  WindowsRegistry MachineRegistry;
  std::unique_ptr<Registry> MachineRegistry64 = Registry64View();
  std::unique_ptr<PrinterSource> Printers = MakeWindowsPrinterSource();
  std::unique_ptr<ScreenSource> Screen = MakeWindowsScreenSource();
  std::unique_ptr<AudioSource> Audio = MakeWindowsAudioSource();
  std::unique_ptr<NetworkSource> Network = MakeWindowsNetworkSource();
  std::unique_ptr<NetBiosSource> NetBios = MakeWindowsNetBiosSource();
  std::unique_ptr<CpuidSource> Cpuid = NewMachineCpuid();
  std::unique_ptr<ClockSource> Clock = std::make_unique<WarmingClock>(NewMachineClock());
  std::unique_ptr<ProcessorSystem> ProcessorInfo = NewMachineProcessorSystem();
  ProcessorSources Processor{Cpuid.get(), Clock.get(), &CpuLoadModule(), ProcessorInfo.get()};
};

WindowsSources::WindowsSources() : R(std::make_unique<Readers>()) {
  S.System = &R->System;
  S.Drives = R->Drives.get();
  S.Os = R->Os.get();
  S.MachineRegistry = &R->MachineRegistry;
  S.MachineRegistry64 = R->MachineRegistry64.get();
  S.Printers = R->Printers.get();
  S.Screen = R->Screen.get();
  S.Audio = R->Audio.get();
  S.Network = R->Network.get();
  S.NetBios = R->NetBios.get();
  S.Processor = &R->Processor;
}

WindowsSources::~WindowsSources() = default;

GatherSources& WindowsSources::Sources() { return S; }

} // namespace qv
