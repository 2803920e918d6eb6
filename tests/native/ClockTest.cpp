#include <gtest/gtest.h>

#include <algorithm>

#include "native/CpuFakes.h"

namespace qv {

TEST(MeasureClockShort, RaisesPriorityMeasuresAndRestoresInOrder) {
  ScriptedClock clock;
  clock.CounterPerMillisecond = 733400;   // 366,700,000 ticks in 500 ms
  clock.SavedClass = 0x20;
  clock.SavedThread = -1;
  EXPECT_DOUBLE_EQ(MeasureClockShort(clock), 733.4);
  std::vector<std::string> expected = {"GetPriorityClass", "GetThreadPriority", "SetPriorityClass 256",
                                       "SetThreadPriority 15", "Sleep 10", "RDTSC", "Sleep 500", "RDTSC",
                                       "SetThreadPriority -1", "SetPriorityClass 32"};
  EXPECT_EQ(clock.Calls, expected);
}

TEST(MeasureClockShort, CounterThatDoesNotMoveGivesZero) {
  ScriptedClock clock;
  EXPECT_EQ(MeasureClockShort(clock), 0.0);
}

TEST(MeasureClockLong, CountsFromTheTickEdgeToOneSecondAfterTheFirstReading) {
  ScriptedClock clock;
  clock.Ticks = 5000;
  clock.CounterPerMillisecond = 1000000;
  // Reads: 5000 (start), 5001 (edge), then on to 6000: the counter runs from 5002 to 6001.
  EXPECT_EQ(MeasureClockLong(clock), 999000000);
  EXPECT_EQ(std::count(clock.Calls.begin(), clock.Calls.end(), "RDTSC"), 2);
  EXPECT_TRUE(std::find(clock.Calls.begin(), clock.Calls.end(), "SetPriorityClass 256") == clock.Calls.end());
}

TEST(MeasureClockLong, WaitsOnTheEdgeWhenTheTickCountStands) {
  // A tick count that moves in 16 ms steps, as it does on many systems.
  ScriptedClock clock;
  clock.Ticks = 100;
  clock.TickStep = 16;
  clock.CounterPerMillisecond = 1000;
  // Readings 100 (start), 116 (edge), ..., 1108, the first at or past 100 + 1000. The counter is
  // read after the edge reading (32 ms in) and after the last one (1024 ms in).
  EXPECT_EQ(MeasureClockLong(clock), 992000);
}

TEST(MeasureClockLong, KeepsItsSecondAcrossTheTickCountWrap) {
  ScriptedClock clock;
  clock.Ticks = 0xFFFFFF00u;   // 256 ms before the wrap
  clock.CounterPerMillisecond = 1000000;
  EXPECT_EQ(MeasureClockLong(clock), 999000000);
}

TEST(MeasureClockLong, ReadingsUseBothHalvesUnsigned) {
  struct TwoReadings : ScriptedClock {
    uint64_t Values[2];
    int Next = 0;
    uint64_t Rdtsc() override { return Values[Next++]; }
  };
  TwoReadings clock;
  clock.Values[0] = 0x00000001FFFFFFF0ull;
  clock.Values[1] = 0x0000000200000010ull;
  EXPECT_EQ(MeasureClockLong(clock), 32);
  TwoReadings high;
  high.Values[0] = 0x8000000000000000ull;
  high.Values[1] = 0x8000000080000000ull;
  EXPECT_EQ(MeasureClockLong(high), 0x80000000ll);
}

TEST(ClockText, UnitChosenBeforeRounding) {
  struct Row {
    double Megahertz;
    const char* Separator;
    const char* Text;
    double Shown;
  } rows[] = {
      {733.4, ".", "733.40 MHz", 733.4},
      {1000.0, ".", "1.00 GHz", 1.0},
      {999.996, ".", "1000.00 MHz", 999.996},
      {1800.0, ".", "1.80 GHz", 1.8},
      {733.4, ",", "733,40 MHz", 733.4},
      {2394.567, ",", "2,39 GHz", 2.394567},
      {5.0, ".", "5.00 MHz", 5.0},
      {0.5, ".", "0.50 MHz", 0.5},
  };
  for (const Row& r : rows) {
    double value = r.Megahertz;
    EXPECT_EQ(ClockText(value, r.Separator), r.Text);
    EXPECT_DOUBLE_EQ(value, r.Shown);
  }
}

} // namespace qv
