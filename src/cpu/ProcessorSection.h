#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "cpu/Clock.h"
#include "cpu/CpuLoad.h"
#include "cpu/Cpuid.h"

namespace qv {

class PageFields;

// What the processor section reads from the system besides CPUID, the clock and the load.
class ProcessorSystem {
public:
  virtual ~ProcessorSystem() = default;
  // The number of processors, as CountProcessors chooses it.
  virtual int NumberOfProcessors() = 0;
  // The decimal separator of the user's regional settings ("." where none is set).
  virtual std::string DecimalSeparator() = 0;
};

// GetActiveProcessorCount's group number that counts every group.
constexpr uint16_t AllProcessorGroups = 0xFFFF;

// Every processor of every group where the system can count them (activeProcessorCount, found at
// run time from Windows 7 on; empty where it is missing), else GetSystemInfo's count, which a
// 32-bit program on 64-bit Windows sees capped at 32. A count of 0 means the call failed.
int CountProcessors(const std::function<uint32_t(uint16_t group)>& activeProcessorCount,
                    const std::function<uint32_t()>& systemInfoCount);

// The readers behind the processor section; all four must be set.
struct ProcessorSources {
  CpuidSource* Cpuid = nullptr;
  ClockSource* Clock = nullptr;
  CpuLoad* Load = nullptr;
  ProcessorSystem* System = nullptr;
};

// Processor state kept on the form between passes.
struct ProcessorState {
  std::shared_ptr<const TCPUID> CPUID; // the latest probe
  int CpuCount = 0;
  TFeatureFlags FeatureFlags{};
  double CpuSpeed = 0;       // megahertz, or gigahertz once scaled for display
  int64_t CpuSpeedTicks = 0; // the long measurement's ticks; 0 when it was not used
  double ClockMHz = 0;       // the shown clock in megahertz, before any scaling; 0 when none
};

// The processor section of the gathering pass: count, clock, vendor, description, type, the nine
// flags and their boxes, then the first load bars. Errors of the load monitor pass through.
void GatherProcessor(PageFields& fields, ProcessorState& state, ProcessorSources& sources);

// The clock part of the section on its own: sets LabelSpeed, CpuSpeed, CpuSpeedTicks and returns
// the RDTSC flag.
bool GatherClock(PageFields& fields, ProcessorState& state, const TCPUID& cpuid, ClockSource& clock,
                 const std::string& decimalSeparator);

// Both load bars from the monitor, as the pass and the refresh set them: with exactly two
// processors each bar shows its own; otherwise the first shows processor 0 and the second 0.
void SetLoadBars(PageFields& fields, CpuLoad& load, int cpuCount);

} // namespace qv
