#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "native/CpuFakes.h"

namespace qv {

TEST(MeasureClockShort, RaisesPriorityMeasuresAndRestoresInOrder) {
  ScriptedClock clock;
  clock.CounterPerMillisecond = 733400; // 366,700,000 ticks in 500 ms
  clock.SavedClass = 0x20;
  clock.SavedThread = -1;
  EXPECT_DOUBLE_EQ(MeasureClockShort(clock), 733.4);
  std::vector<std::string> expected = {"GetPriorityClass",
                                       "GetThreadPriority",
                                       "SetPriorityClass 256",
                                       "SetThreadPriority 15",
                                       "Sleep 10",
                                       "RDTSC",
                                       "Sleep 500",
                                       "RDTSC",
                                       "SetThreadPriority -1",
                                       "SetPriorityClass 32"};
  EXPECT_EQ(clock.Calls, expected);
}

TEST(MeasureClockShort, CounterThatDoesNotMoveGivesZero) {
  ScriptedClock clock;
  EXPECT_EQ(MeasureClockShort(clock), 0.0);
}

namespace {

// A busy machine: the 500 ms sleep overruns, and the thread may lose the processor between two
// reads. Both counters run on through the sleeps and the stalls.
struct BusyClock : ScriptedClock {
  uint64_t Frequency = 10000000;  // performance counts per second
  uint32_t Overrun = 8;           // milliseconds the 500 ms sleep runs over
  uint64_t Now = 0;               // the performance counter
  std::map<int, uint32_t> Stalls; // milliseconds lost before the Nth performance-counter read
  int Reads = 0;
  void Pass(uint32_t ms) {
    Counter += CounterPerMillisecond * ms;
    Now += Frequency * ms / 1000;
  }
  void Sleep(uint32_t ms) override {
    Calls.push_back("Sleep " + std::to_string(ms));
    Pass(ms == 500 ? ms + Overrun : ms);
  }
  uint64_t PerformanceFrequency() override { return Frequency; }
  uint64_t PerformanceCounter() override {
    if (Stalls.count(Reads)) Pass(Stalls[Reads]);
    ++Reads;
    return Now;
  }
};

} // namespace

TEST(MeasureClockShort, DividesByTheTimeThatReallyPassed) {
  BusyClock clock;
  clock.CounterPerMillisecond = 733400;
  EXPECT_NEAR(MeasureClockShort(clock), 733.4, 1e-9);
  EXPECT_EQ(clock.Reads, 4); // one pair around each RDTSC read

  // Preempted between the counter reads around an RDTSC read: the pair is read again.
  BusyClock stalled;
  stalled.CounterPerMillisecond = 733400;
  stalled.Stalls = {{1, 5}, {5, 3}};
  EXPECT_NEAR(MeasureClockShort(stalled), 733.4, 1e-9);
  EXPECT_EQ(stalled.Reads, 8);

  // Always preempted: the tries are bounded, and a stamp still lies within its pair.
  BusyClock always;
  always.CounterPerMillisecond = 733400;
  for (int i = 1; i < 4 * CounterBracketAttempts; i += 2) always.Stalls[i] = 2;
  EXPECT_NEAR(MeasureClockShort(always), 733.4, 1e-9);
  EXPECT_EQ(always.Reads, 4 * CounterBracketAttempts);

  // Without the counter (frequency 0) the nominal 500 ms divides, overrun and all.
  BusyClock none;
  none.CounterPerMillisecond = 733400;
  none.Frequency = 0;
  EXPECT_NEAR(MeasureClockShort(none), 733.4 * 508 / 500, 1e-9);
  EXPECT_EQ(none.Reads, 0);
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
  clock.Ticks = 0xFFFFFF00u; // 256 ms before the wrap
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
      {733.4, ".", "733.40 MHz", 733.4}, {1000.0, ".", "1.00 GHz", 1.0},    {999.996, ".", "1000.00 MHz", 999.996},
      {1800.0, ".", "1.80 GHz", 1.8},    {733.4, ",", "733,40 MHz", 733.4}, {2394.567, ",", "2,39 GHz", 2.394567},
      {5.0, ".", "5.00 MHz", 5.0},       {0.5, ".", "0.50 MHz", 0.5},
  };
  for (const Row& r : rows) {
    double value = r.Megahertz;
    EXPECT_EQ(ClockText(value, r.Separator), r.Text);
    EXPECT_DOUBLE_EQ(value, r.Shown);
  }
}

} // namespace qv
