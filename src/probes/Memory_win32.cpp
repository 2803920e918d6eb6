#include "probes/Memory_win32.h"

namespace qv {

FARPROC KernelProc(const char* name) { return LookUpLoaded<FARPROC>("kernel32.dll", name); }

MemoryStatus ReadMemoryStatus(KernelProcLookup lookup) {
  using StatusEx = BOOL(WINAPI*)(LPMEMORYSTATUSEX);
  if (FARPROC proc = lookup("GlobalMemoryStatusEx")) {
    auto statusEx = reinterpret_cast<StatusEx>(reinterpret_cast<void (*)()>(proc)); // change of signature
    MEMORYSTATUSEX m{};
    m.dwLength = sizeof m;
    if (statusEx(&m)) return {m.ullTotalPhys, m.ullAvailPhys};
  }
  MEMORYSTATUS m{};
  m.dwLength = sizeof m;
  GlobalMemoryStatus(&m);
  return {m.dwTotalPhys, m.dwAvailPhys};
}

} // namespace qv
