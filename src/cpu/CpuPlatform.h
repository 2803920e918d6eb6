#pragma once
#include <memory>

#include "cpu/Clock.h"
#include "cpu/CpuLoad.h"
#include "cpu/Cpuid.h"
#include "cpu/ProcessorSection.h"

// The processor readers of this machine (Windows only).
namespace qv {

// CPUID through the instruction: availability by the EFLAGS ID-bit test (always there on x86-64),
// leaf reads with sub-leaf 0.
std::unique_ptr<CpuidSource> NewMachineCpuid();

// Priorities, Sleep, GetTickCount and RDTSC.
std::unique_ptr<ClockSource> NewMachineClock();

// GetSystemInfo and the locale's decimal separator.
std::unique_ptr<ProcessorSystem> NewMachineProcessorSystem();

// The load monitor's module state, one per process. Main calls InitCpuLoadMonitor before the main
// window is created (it raises "Can't get the Windows version" when the version cannot be read)
// and ReleaseCpuLoadMonitor at shut-down (stops the 95/98/Me statistic, frees the buffer). The
// module functions start it themselves if nothing has, so quorvel-report and the tests work too.
void InitCpuLoadMonitor();
void ReleaseCpuLoadMonitor();
int CpuLoadInstanceCount();
void SampleCpuLoad();
double CpuLoadFraction(int index);
void StopCpuLoadSampling();

// The module behind the CpuLoad seam, for the pass and the refresh.
CpuLoad& CpuLoadModule();

} // namespace qv
