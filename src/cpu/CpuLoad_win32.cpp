#include <algorithm>

#include "core/Errors.h"
#include "cpu/CpuPlatform.h"
#include "ui/Win.h"

namespace qv {

namespace {

class RegistryPerfData : public PerfDataReader {
public:
  ~RegistryPerfData() override { RegCloseKey(HKEY_PERFORMANCE_DATA); }
  long QueryPerformanceData(const char* valueName, uint8_t* buffer, uint32_t& size) override {
    DWORD type = 0, bytes = size;
    long status = RegQueryValueExA(HKEY_PERFORMANCE_DATA, valueName, nullptr, &type, buffer, &bytes);
    size = bytes;
    return status;
  }
  bool SystemTimeToFileTime(const PerfSystemTime& t, int64_t& fileTime) override {
    SYSTEMTIME st{t.Year, t.Month, t.DayOfWeek, t.Day, t.Hour, t.Minute, t.Second, t.Milliseconds};
    FILETIME ft;
    if (!::SystemTimeToFileTime(&st, &ft)) return false;
    fileTime = static_cast<int64_t>(static_cast<uint64_t>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime);
    return true;
  }
};

// SYSTEM_PROCESSOR_PERFORMANCE_INFORMATION, one per processor.
struct ProcessorTimes {
  LARGE_INTEGER IdleTime;
  LARGE_INTEGER KernelTime;
  LARGE_INTEGER UserTime;
  LARGE_INTEGER Reserved1[2];
  ULONG Reserved2;
};
static_assert(sizeof(ProcessorTimes) == 48, "the system's layout");

using NtQuerySystemInformationFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

// Under Wine the performance registry has no "Processor" object; ntdll's processor times (class
// 8, SystemProcessorPerformanceInformation) carry the host's idle times in the same 100 ns units.
class NtIdleTimes : public IdleTimeReader {
public:
  explicit NtIdleTimes(NtQuerySystemInformationFn query) : Query(query) {}
  bool ReadIdleTimes(std::vector<int64_t>& idle, int64_t& systemTime) override {
    const LONG InfoLengthMismatch = static_cast<LONG>(0xC0000004);
    std::vector<ProcessorTimes> times(64);
    ULONG returned = 0;
    LONG status;
    for (;;) {
      status = Query(8, times.data(), static_cast<ULONG>(times.size() * sizeof(ProcessorTimes)), &returned);
      if (status != InfoLengthMismatch || times.size() >= 4096) break;
      times.resize(times.size() * 2);
    }
    if (status < 0) return false;
    size_t count = std::min<size_t>(returned / sizeof(ProcessorTimes), times.size());
    idle.clear();
    for (size_t i = 0; i < count; ++i) idle.push_back(times[i].IdleTime.QuadPart);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    systemTime = static_cast<int64_t>(static_cast<uint64_t>(now.dwHighDateTime) << 32 | now.dwLowDateTime);
    return true;
  }

private:
  NtQuerySystemInformationFn Query;
};

class DynKey : public DynDataKey {
public:
  explicit DynKey(HKEY key) : Key(key) {}
  void ReadValue(const char* name, uint32_t& value) override {
    DWORD v = 0, type = 0, size = sizeof v;
    if (RegQueryValueExA(Key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&v), &size) == ERROR_SUCCESS &&
        size == sizeof v)
      value = v;
  }

private:
  UniqueHKey Key;
};

class DynRegistry : public DynDataRegistry {
public:
  std::unique_ptr<DynDataKey> Open(const char* subKey, uint32_t access) override {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_DYN_DATA, subKey, 0, access, &key) != ERROR_SUCCESS) return nullptr;
    return std::make_unique<DynKey>(key);
  }
};

struct LoadModule {
  LoadModule() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version; // 148
    bool versionRead = GetVersionExA(&version) != 0;
    auto query = LookUpLoaded<NtQuerySystemInformationFn>("ntdll.dll", "NtQuerySystemInformation");
    if (query && LookUpLoaded<FARPROC>("ntdll.dll", "wine_get_version")) Idle = std::make_unique<NtIdleTimes>(query);
    Monitor = std::make_unique<TCpuLoadMonitor>(
        SelectCpuLoadPlatform(versionRead, version.dwPlatformId, Idle.get(), &Perf, &Dyn));
  }
  RegistryPerfData Perf;
  DynRegistry Dyn;
  std::unique_ptr<NtIdleTimes> Idle;
  std::unique_ptr<TCpuLoadMonitor> Monitor; // declared last: released first
};

std::unique_ptr<LoadModule> Module;

TCpuLoadMonitor& Monitor() {
  if (!Module) InitCpuLoadMonitor();
  return *Module->Monitor;
}

class ModuleLoad : public CpuLoad {
public:
  int CpuLoadInstanceCount() override { return qv::CpuLoadInstanceCount(); }
  void SampleCpuLoad() override { qv::SampleCpuLoad(); }
  double CpuLoadFraction(int index) override { return qv::CpuLoadFraction(index); }
};

} // namespace

void InitCpuLoadMonitor() {
  if (!Module) Module = std::make_unique<LoadModule>();
}

void ReleaseCpuLoadMonitor() {
  if (!Module) return;
  Module->Monitor->StopCpuLoadSampling();
  Module.reset();
}

int CpuLoadInstanceCount() { return Monitor().CpuLoadInstanceCount(); }
void SampleCpuLoad() { Monitor().SampleCpuLoad(); }
double CpuLoadFraction(int index) { return Monitor().CpuLoadFraction(index); }
void StopCpuLoadSampling() {
  if (Module) Module->Monitor->StopCpuLoadSampling();
}

CpuLoad& CpuLoadModule() {
  static ModuleLoad load;
  return load;
}

} // namespace qv
