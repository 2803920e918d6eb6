#pragma once
#include <memory>

#include "cpu/Clock.h"
#include "ui/LateImports.h"

namespace qv {

// The clock measurement sleeps half a second in the middle of the pass. That idle time loads the
// libraries of the pass's later steps (printers, audio, sockets, NetBIOS) on another thread, so
// that those steps find them ready; the measurement itself is untouched.
class WarmingClock : public ClockSource {
public:
  explicit WarmingClock(std::unique_ptr<ClockSource> inner) : Inner(std::move(inner)) {}
  uint32_t PriorityClass() override { return Inner->PriorityClass(); }
  int ThreadPriority() override { return Inner->ThreadPriority(); }
  void SetPriorityClass(uint32_t priorityClass) override { Inner->SetPriorityClass(priorityClass); }
  void SetThreadPriority(int priority) override { Inner->SetThreadPriority(priority); }
  void Sleep(uint32_t milliseconds) override {
    WarmUpPassLibraries();
    Inner->Sleep(milliseconds);
  }
  uint32_t TickCount() override { return Inner->TickCount(); }
  uint64_t Rdtsc() override { return Inner->Rdtsc(); }
  uint64_t PerformanceFrequency() override { return Inner->PerformanceFrequency(); }
  uint64_t PerformanceCounter() override { return Inner->PerformanceCounter(); }

private:
  std::unique_ptr<ClockSource> Inner;
};

} // namespace qv
