#include "cpu/CpuPlatform.h"

#if defined(__i386__) || defined(__x86_64__)
#include <x86intrin.h>
#endif

#include "ui/Win.h"

namespace qv {

namespace {

class MachineClock : public ClockSource {
public:
  uint32_t PriorityClass() override { return GetPriorityClass(GetCurrentProcess()); }
  int ThreadPriority() override { return GetThreadPriority(GetCurrentThread()); }
  void SetPriorityClass(uint32_t priorityClass) override { ::SetPriorityClass(GetCurrentProcess(), priorityClass); }
  void SetThreadPriority(int priority) override { ::SetThreadPriority(GetCurrentThread(), priority); }
  void Sleep(uint32_t milliseconds) override { ::Sleep(milliseconds); }
  uint32_t TickCount() override { return GetTickCount(); }
  // (windows.h makes ReadTimeStampCounter a macro, hence the short name.)
  uint64_t Rdtsc() override {
#if defined(__i386__) || defined(__x86_64__)
    return __rdtsc();
#else
    return 0;
#endif
  }
  uint64_t PerformanceFrequency() override {
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return 0;
    return static_cast<uint64_t>(frequency.QuadPart);
  }
  uint64_t PerformanceCounter() override {
    LARGE_INTEGER count;
    if (!QueryPerformanceCounter(&count)) return 0;
    return static_cast<uint64_t>(count.QuadPart);
  }
};

} // namespace

std::unique_ptr<ClockSource> NewMachineClock() { return std::make_unique<MachineClock>(); }

} // namespace qv
