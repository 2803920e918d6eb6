#include "probes/Memory_win32.h"

namespace qv {

FARPROC KernelProc(const char* name) {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  return kernel ? GetProcAddress(kernel, name) : nullptr;
}

MemoryStatus ReadMemoryStatus(KernelProcLookup lookup) {
  using StatusEx = BOOL(WINAPI*)(LPMEMORYSTATUSEX);
  if (FARPROC proc = lookup("GlobalMemoryStatusEx")) {
    // Through void (*)() so that the compiler accepts the change of signature.
    auto statusEx = reinterpret_cast<StatusEx>(reinterpret_cast<void (*)()>(proc));
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
