#pragma once
#include <cstdint>
#include <string>

namespace qv {

// What the clock measurement needs from the system: priorities, sleep, the millisecond tick
// count and the time-stamp counter. The Windows edge reads the real ones; tests script them.
class ClockSource {
public:
  virtual ~ClockSource() = default;
  virtual uint32_t PriorityClass() = 0;
  virtual int ThreadPriority() = 0;
  // Refusals are ignored: the measurement then runs at the priority it has.
  virtual void SetPriorityClass(uint32_t priorityClass) = 0;
  virtual void SetThreadPriority(int priority) = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
  // Milliseconds since the system started, wrapping every 49.7 days.
  virtual uint32_t TickCount() = 0;
  // The time-stamp counter (RDTSC).
  virtual uint64_t Rdtsc() = 0;
  // The high-resolution performance counter's counts per second, and its count; a frequency of 0
  // means the system has no such counter.
  virtual uint64_t PerformanceFrequency() = 0;
  virtual uint64_t PerformanceCounter() = 0;
};

constexpr uint32_t RealtimePriorityClass = 0x100; // REALTIME_PRIORITY_CLASS
constexpr int TimeCriticalThreadPriority = 15;    // THREAD_PRIORITY_TIME_CRITICAL

// Counter ticks over 500 ms of sleep at the highest priority, in megahertz. The ticks are divided
// by the time that really passed, read from the performance counter beside each RDTSC read, since
// on a busy machine the sleep overruns; without that counter, by the nominal 500 ms.
double MeasureClockShort(ClockSource& clock);

// Reads of the performance counter around one RDTSC read, at most this many until the two reads
// lie within MaxCounterBracketMicroseconds of each other (the thread may be preempted between them);
// the narrowest bracket is kept.
constexpr int CounterBracketAttempts = 8;
constexpr double MaxCounterBracketMicroseconds = 20;

// Counter ticks over one second of the tick count (ticks per second), at unchanged priority,
// starting on a tick edge.
int64_t MeasureClockLong(ClockSource& clock);

// "733.40 MHz", "1.80 GHz": two decimals, the unit chosen before rounding (999.996 MHz shows as
// "1000.00 MHz"). Megahertz of 1000 or more are divided by 1000 in place, so the caller keeps the
// number that was shown. The decimal separator is the user's.
std::string ClockText(double& megahertz, const std::string& decimalSeparator);

} // namespace qv
