#include "cpu/Clock.h"

#include <cmath>
#include <cstdio>

#include "core/Rounding.h"

namespace qv {

namespace {

// One RDTSC read and where it lies on the performance counter: the middle of the narrowest pair
// of counter reads around it.
struct ClockStamp {
  uint64_t Tsc = 0;
  double Counter = 0;
};

ClockStamp ReadStamp(ClockSource& clock, uint64_t frequency) {
  ClockStamp best;
  if (frequency == 0) {
    best.Tsc = clock.Rdtsc();
    return best;
  }
  double narrow = static_cast<double>(frequency) * MaxCounterBracketMicroseconds / 1e6;
  double bestWidth = -1;
  for (int attempt = 0; attempt < CounterBracketAttempts; ++attempt) {
    uint64_t before = clock.PerformanceCounter();
    uint64_t tsc = clock.Rdtsc();
    uint64_t after = clock.PerformanceCounter();
    double width = static_cast<double>(after - before);
    if (bestWidth < 0 || width < bestWidth) {
      bestWidth = width;
      best.Tsc = tsc;
      best.Counter = static_cast<double>(before) + width / 2;
    }
    if (width <= narrow) break;
  }
  return best;
}

} // namespace

double MeasureClockShort(ClockSource& clock) {
  uint32_t savedClass = clock.PriorityClass();
  int savedPriority = clock.ThreadPriority();
  clock.SetPriorityClass(RealtimePriorityClass);
  clock.SetThreadPriority(TimeCriticalThreadPriority);
  uint64_t frequency = clock.PerformanceFrequency();
  // Start at the beginning of a fresh time slice, so the 500 ms sleep is not cut short.
  clock.Sleep(10);
  ClockStamp first = ReadStamp(clock, frequency);
  clock.Sleep(500);
  ClockStamp second = ReadStamp(clock, frequency);
  clock.SetThreadPriority(savedPriority);
  clock.SetPriorityClass(savedClass);
  // Modular difference, read as signed: a counter that went backwards gives a negative value,
  // which, like 0, sends the display to the long measurement.
  int64_t ticks = static_cast<int64_t>(second.Tsc - first.Tsc);
  double passed = second.Counter - first.Counter;
  if (frequency > 0 && passed > 0) return static_cast<double>(ticks) / (passed / static_cast<double>(frequency) * 1e6);
  return static_cast<double>(ticks) / 500000.0;
}

int64_t MeasureClockLong(ClockSource& clock) {
  uint32_t start = clock.TickCount();
  while (clock.TickCount() == start) {
  }
  uint64_t first = clock.Rdtsc();
  // The window ends 1000 ms after the value read before the edge. We wait on the elapsed time
  // (now - start, modulo 2^32) rather than on now >= start + 1000: the two agree everywhere except
  // within a second of the tick count's wrap, where start + 1000 overflows and the plain comparison
  // would end the window at once.
  while (static_cast<uint32_t>(clock.TickCount() - start) < 1000u) {
  }
  uint64_t second = clock.Rdtsc();
  auto value = [](uint64_t v) {
    return static_cast<double>(static_cast<uint32_t>(v >> 32)) * 4294967296.0 +
           static_cast<double>(static_cast<uint32_t>(v));
  };
  return RoundHalfEven(value(second) - value(first));
}

std::string ClockText(double& megahertz, const std::string& decimalSeparator) {
  const char* unit = "MHz";
  if (megahertz >= 1000) {
    unit = "GHz";
    megahertz /= 1000;
  }
  char buf[512];
  std::snprintf(buf, sizeof buf, "%3.2f ", megahertz);
  std::string text = buf;
  // printf speaks the C locale; the user's separator replaces its full stop.
  auto dot = text.find('.');
  if (dot != std::string::npos) text.replace(dot, 1, decimalSeparator);
  return text + unit;
}

} // namespace qv
