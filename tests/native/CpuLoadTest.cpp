#include <gtest/gtest.h>

#include <deque>

#include "core/Errors.h"
#include "native/PerfBlock.h"

namespace qv {

namespace {

PerfSystemTime At(uint16_t second, uint16_t ms = 0) { return {2026, 3, 4, 5, 9, 0, second, ms}; }

// Hands out one block per query round; answers 234 while the buffer is too small.
class FakePerfData : public PerfDataReader {
public:
  std::deque<std::vector<uint8_t>> Blocks;
  std::vector<uint32_t> SizesAsked;
  long Status = 0; // answer other than "more data"; 0 copies the block

  long QueryPerformanceData(const char* valueName, uint8_t* buffer, uint32_t& size) override {
    EXPECT_STREQ(valueName, "238");
    SizesAsked.push_back(size);
    if (Status != 0) return Status;
    const std::vector<uint8_t>& block = Blocks.front();
    if (block.size() > size) return 234;
    std::memcpy(buffer, block.data(), block.size());
    size = static_cast<uint32_t>(block.size());
    if (Blocks.size() > 1) Blocks.pop_front();
    return 0;
  }
  // Seconds of the day in 100 ns units; a month of 0 is rejected as the system would.
  bool SystemTimeToFileTime(const PerfSystemTime& t, int64_t& fileTime) override {
    if (t.Month == 0) return false;
    fileTime = ((t.Hour * 60 + t.Minute) * 60 + t.Second) * 10000000ll + t.Milliseconds * 10000ll;
    return true;
  }
};

void ExpectMessage(const std::function<void()>& f, const std::string& message) {
  try {
    f();
    ADD_FAILURE() << "no error, expected: " << message;
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), message);
  }
}

CpuLoadPlatform NtPlatform(PerfDataReader& perf) {
  CpuLoadPlatform p;
  p.IsWinNT = true;
  p.PerfData = &perf;
  return p;
}

const std::string ObjectMessage = "Unable to locate the \"Processor\" performance object";
const std::string CounterMessage = "Unable to locate the \"% of CPU usage\" performance counter";

} // namespace

TEST(ParsePerfData, FindsTheProcessorObjectAmongOthers) {
  PerfObjectSpec memory{4, {1, 2, 3}, {}, 12};
  PerfObjectSpec system{2, {6}, {777}, 0}; // counter 6 of another object is not the one
  PerfObjectSpec processor{238, {4, 5, 6, 7}, {1000, 2000, 3000}, 0};
  std::vector<uint8_t> b = MakePerfBlock({memory, system, processor}, At(7, 250));
  PerfProcessorSample s = ParsePerfData(b.data(), b.size(), -1);
  EXPECT_EQ(s.Idle, (std::vector<int64_t>{1000, 2000, 3000}));
  EXPECT_EQ(s.SystemTime.Second, 7);
  EXPECT_EQ(s.SystemTime.Milliseconds, 250);
  EXPECT_EQ(s.SystemTime.Year, 2026);
}

TEST(ParsePerfData, ReadsTheGivenNumberOfInstances) {
  std::vector<uint8_t> b = MakePerfBlock({{238, {6}, {10, 20, 30}}});
  EXPECT_EQ(ParsePerfData(b.data(), b.size(), 2).Idle, (std::vector<int64_t>{10, 20}));
  EXPECT_EQ(ParsePerfData(b.data(), b.size(), 0).Idle, (std::vector<int64_t>{}));
  ExpectMessage([&] { ParsePerfData(b.data(), b.size(), 4); }, CounterMessage);
}

TEST(ParsePerfData, MissingObjectOrCounter) {
  std::vector<uint8_t> noProcessor = MakePerfBlock({{4, {6}, {1}}, {230, {6}, {1}}});
  ExpectMessage([&] { ParsePerfData(noProcessor.data(), noProcessor.size(), -1); }, ObjectMessage);
  std::vector<uint8_t> noCounter = MakePerfBlock({{238, {5, 7}, {1, 2}}});
  ExpectMessage([&] { ParsePerfData(noCounter.data(), noCounter.size(), -1); }, CounterMessage);
  std::vector<uint8_t> none = MakePerfBlock({});
  ExpectMessage([&] { ParsePerfData(none.data(), none.size(), -1); }, ObjectMessage);

  // Only NumObjectTypes objects are looked at.
  std::vector<uint8_t> b = MakePerfBlock({{4, {6}, {1}}, {238, {6}, {1}}});
  PutU32(b, 28, 1);
  ExpectMessage([&] { ParsePerfData(b.data(), b.size(), -1); }, ObjectMessage);
  // Only NumCounters definitions are looked at.
  std::vector<uint8_t> c = MakePerfBlock({{238, {5, 6}, {1}}});
  PutU32(c, 88 + 32, 1);
  ExpectMessage([&] { ParsePerfData(c.data(), c.size(), -1); }, CounterMessage);
}

TEST(ParsePerfData, EveryShorterBlockIsAnErrorNotAReadPastTheEnd) {
  std::vector<uint8_t> b = MakePerfBlock({{4, {1}, {5}}, {238, {3, 6}, {1000, 2000}}});
  for (size_t size = 0; size < b.size(); ++size) {
    // Copy into a buffer of exactly that size so that a sanitizer would see an overrun.
    std::vector<uint8_t> cut(b.begin(), b.begin() + size);
    try {
      ParsePerfData(cut.data(), cut.size(), -1);
      ADD_FAILURE() << "a block cut to " << size << " bytes was accepted";
    } catch (const Exception& e) {
      EXPECT_TRUE(e.Message() == ObjectMessage || e.Message() == CounterMessage) << size;
    }
  }
  EXPECT_EQ(ParsePerfData(b.data(), b.size(), -1).Idle.size(), 2u);
}

TEST(ParsePerfData, LengthsThatPointOutsideTheBlock) {
  struct Case {
    const char* What;
    size_t Offset;
    uint32_t Value;
    std::string Message;
  } cases[] = {
      {"data block header length", 24, 0xFFFFFFF0u, ObjectMessage},
      {"object header length", 88 + 8, 0xFFFFFFFFu, CounterMessage},
      {"object definition length", 88 + 4, 0xFFFFFF00u, CounterMessage},
      {"counter offset", 88 + 64 + 36, 0xFFFFFFFCu, CounterMessage},
      {"instance count", 88 + 40, 0x7FFFFFFFu, CounterMessage},
      {"instance length", 88 + 104, 0xFFFFFFFFu, CounterMessage},
      {"instance length below its field", 88 + 104, 0, CounterMessage},
      {"counter block length below its field", 88 + 104 + 32, 2, CounterMessage},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> b = MakePerfBlock({{238, {6}, {1, 2}}});
    PutU32(b, c.Offset, c.Value);
    SCOPED_TRACE(c.What);
    ExpectMessage([&] { ParsePerfData(b.data(), b.size(), -1); }, c.Message);
  }
  // An object before the processor's whose length steps past the end.
  std::vector<uint8_t> b = MakePerfBlock({{4, {1}, {5}}, {238, {6}, {1}}});
  PutU32(b, 88, 0x7FFFFFFFu);
  ExpectMessage([&] { ParsePerfData(b.data(), b.size(), -1); }, ObjectMessage);
}

TEST(ParsePerfData, ObjectWithoutInstancesHasNoProcessors) {
  std::vector<uint8_t> b = MakePerfBlock({{238, {6}, {}}});
  PutU32(b, 88 + 40, 0xFFFFFFFFu); // PERF_NO_INSTANCES
  EXPECT_TRUE(ParsePerfData(b.data(), b.size(), -1).Idle.empty());
}

TEST(CpuLoadMonitor, LoadIsTheBusyShareOfTheInterval) {
  FakePerfData perf;
  perf.Blocks.push_back(MakePerfBlock({{238, {6}, {1000000, 4000000, 2500000}}}, At(1)));
  // One second later: CPU 0 idle for 0.25 s, CPU 1 for 1 s, the summary for 0.625 s.
  perf.Blocks.push_back(MakePerfBlock({{238, {6}, {3500000, 14000000, 8750000}}}, At(2)));
  TCpuLoadMonitor monitor(NtPlatform(perf));
  EXPECT_EQ(monitor.CpuLoadInstanceCount(), 3); // first sample taken here
  monitor.SampleCpuLoad();
  EXPECT_DOUBLE_EQ(monitor.CpuLoadFraction(0), 0.75);
  EXPECT_DOUBLE_EQ(monitor.CpuLoadFraction(1), 0.0);
  EXPECT_DOUBLE_EQ(monitor.CpuLoadFraction(2), 0.375);
  EXPECT_EQ(monitor.CurrentTime - monitor.PreviousTime, 10000000);
}

TEST(CpuLoadMonitor, OneProcessorWithSummaryInstanceAcceptsIndexOne) {
  FakePerfData perf;
  perf.Blocks.push_back(MakePerfBlock({{238, {6}, {0, 0}}}, At(1)));
  perf.Blocks.push_back(MakePerfBlock({{238, {6}, {5000000, 5000000}}}, At(2)));
  TCpuLoadMonitor monitor(NtPlatform(perf));
  EXPECT_EQ(monitor.CpuLoadInstanceCount(), 2);
  monitor.SampleCpuLoad();
  EXPECT_DOUBLE_EQ(monitor.CpuLoadFraction(1), 0.5);
  ExpectMessage([&] { monitor.CpuLoadFraction(2); }, "CPU index out of bounds");
  ExpectMessage([&] { monitor.CpuLoadFraction(-1); }, "CPU index out of bounds");
}

TEST(CpuLoadMonitor, EqualTimeStampsAndASingleSampleReadZero) {
  FakePerfData perf;
  perf.Blocks.push_back(MakePerfBlock({{238, {6}, {100, 200}}}, At(5)));
  perf.Blocks.push_back(MakePerfBlock({{238, {6}, {900, 100}}}, At(5)));
  TCpuLoadMonitor monitor(NtPlatform(perf));
  // The fraction takes the first sample itself; with no interval yet the load is 0.
  EXPECT_EQ(monitor.CpuLoadFraction(0), 0.0);
  EXPECT_EQ(monitor.CpuLoadFraction(1), 0.0);
  monitor.SampleCpuLoad();
  EXPECT_EQ(monitor.CpuLoadFraction(0), 0.0);
  EXPECT_EQ(monitor.CpuLoadFraction(1), 0.0);
  EXPECT_EQ(perf.SizesAsked.size(), 2u);
}

TEST(CpuLoadMonitor, LoadIsNotClamped) {
  FakePerfData perf;
  perf.Blocks.push_back(MakePerfBlock({{238, {6}, {0, 0}}}, At(1)));
  perf.Blocks.push_back(MakePerfBlock({{238, {6}, {10100000, -100000}}}, At(2)));
  TCpuLoadMonitor monitor(NtPlatform(perf));
  monitor.SampleCpuLoad();
  monitor.SampleCpuLoad();
  EXPECT_NEAR(monitor.CpuLoadFraction(0), -0.01, 1e-12);
  EXPECT_NEAR(monitor.CpuLoadFraction(1), 1.01, 1e-12);
  EXPECT_EQ(LoadBarPosition(monitor.CpuLoadFraction(0)), -1);
  EXPECT_EQ(LoadBarPosition(monitor.CpuLoadFraction(1)), 101);
}

TEST(CpuLoadMonitor, BufferGrowsInStepsOf4096) {
  PerfObjectSpec big{238, {6}, {1, 2}, 17000};
  FakePerfData perf;
  perf.Blocks.push_back(MakePerfBlock({big}, At(1)));
  ASSERT_GT(perf.Blocks.front().size(), 16384u);
  ASSERT_LE(perf.Blocks.front().size(), 20480u);
  TCpuLoadMonitor monitor(NtPlatform(perf));
  monitor.SampleCpuLoad();
  EXPECT_EQ(perf.SizesAsked, (std::vector<uint32_t>{8192, 12288, 16384, 20480}));
  EXPECT_EQ(monitor.PerfBufferSize, 20480u);
  EXPECT_EQ(monitor.PerfBuffer.size(), 20480u);
  EXPECT_EQ(monitor.CurrentIdle, (std::vector<int64_t>{1, 2}));
  // The grown buffer is kept for the next sample.
  monitor.SampleCpuLoad();
  EXPECT_EQ(perf.SizesAsked.back(), 20480u);
}

TEST(CpuLoadMonitor, OtherAnswersParseTheBufferAsItStands) {
  FakePerfData perf;
  perf.Status = 2; // ERROR_FILE_NOT_FOUND: the buffer still holds zeros
  TCpuLoadMonitor monitor(NtPlatform(perf));
  ExpectMessage([&] { monitor.SampleCpuLoad(); }, ObjectMessage);
  EXPECT_EQ(monitor.InstanceCount, -1);
}

TEST(CpuLoadMonitor, BufferThatNeverSufficesStopsGrowing) {
  struct AlwaysMore : FakePerfData {
    long QueryPerformanceData(const char*, uint8_t*, uint32_t& size) override {
      SizesAsked.push_back(size);
      return 234;
    }
  } perf;
  TCpuLoadMonitor monitor(NtPlatform(perf));
  ExpectMessage([&] { monitor.SampleCpuLoad(); }, ObjectMessage);
  EXPECT_EQ(perf.SizesAsked.back(), TCpuLoadMonitor::MaxPerfBufferSize);
}

TEST(CpuLoadMonitor, InstanceCountIsFixedByTheFirstSample) {
  FakePerfData perf;
  perf.Blocks.push_back(MakePerfBlock({{238, {6}, {0, 0}}}, At(1)));
  perf.Blocks.push_back(MakePerfBlock({{238, {6}, {1, 2, 3}}}, At(2)));
  perf.Blocks.push_back(MakePerfBlock({{238, {6}, {5}}}, At(3)));
  TCpuLoadMonitor monitor(NtPlatform(perf));
  monitor.SampleCpuLoad();
  monitor.SampleCpuLoad();
  EXPECT_EQ(monitor.InstanceCount, 2);
  EXPECT_EQ(monitor.CurrentIdle, (std::vector<int64_t>{1, 2}));
  // A block with fewer instances holds no value for the others: the error changes nothing.
  ExpectMessage([&] { monitor.SampleCpuLoad(); }, CounterMessage);
  EXPECT_EQ(monitor.CurrentIdle, (std::vector<int64_t>{1, 2}));
  EXPECT_EQ(monitor.PreviousIdle, (std::vector<int64_t>{0, 0}));
  EXPECT_EQ(monitor.CurrentTime, 9 * 36000000000ll + 2 * 10000000ll);
}

TEST(CpuLoadMonitor, TimeTheSystemRejectsKeepsTheLastStamp) {
  FakePerfData perf;
  perf.Blocks.push_back(MakePerfBlock({{238, {6}, {0}}}, At(1)));
  perf.Blocks.push_back(MakePerfBlock({{238, {6}, {5000000}}}, {2026, 0, 0, 5, 9, 0, 2, 0}));
  TCpuLoadMonitor monitor(NtPlatform(perf));
  monitor.SampleCpuLoad();
  monitor.SampleCpuLoad();
  EXPECT_EQ(monitor.CpuLoadFraction(0), 0.0);
}

namespace {

class FakeDynKey : public DynDataKey {
public:
  FakeDynKey(std::vector<std::string>& log, std::string name, uint32_t value)
      : Log(log), Name(std::move(name)), Value(value) {}
  ~FakeDynKey() override { Log.push_back("close " + Name); }
  void ReadValue(const char* name, uint32_t& value) override {
    Log.push_back("read " + Name + " " + name);
    value = Value;
  }
  std::vector<std::string>& Log;
  std::string Name;
  uint32_t Value;
};

class FakeDynData : public DynDataRegistry {
public:
  std::vector<std::string> Log;
  std::map<std::string, uint32_t> Keys; // key -> the value its CPUUsage reads
  std::unique_ptr<DynDataKey> Open(const char* subKey, uint32_t access) override {
    Log.push_back(std::string("open ") + subKey +
                  (access == KeyAllAccess ? " all"
                   : access == KeyRead    ? " read"
                                          : " ?"));
    auto it = Keys.find(subKey);
    if (it == Keys.end()) return nullptr;
    return std::make_unique<FakeDynKey>(Log, subKey, it->second);
  }
};

CpuLoadPlatform Win9xPlatform(DynDataRegistry& dyn) {
  CpuLoadPlatform p;
  p.IsWinNT = false;
  p.DynData = &dyn;
  return p;
}

} // namespace

TEST(CpuLoadMonitor, Win9xStartsTheStatisticOnceAndReadsThePercentage) {
  FakeDynData dyn;
  dyn.Keys = {{"PerfStats\\StartStat", 0}, {"PerfStats\\StatData", 37}, {"PerfStats\\StopStat", 0}};
  TCpuLoadMonitor monitor(Win9xPlatform(dyn));
  EXPECT_EQ(monitor.CpuLoadInstanceCount(), 1);
  EXPECT_TRUE(dyn.Log.empty());
  EXPECT_DOUBLE_EQ(monitor.CpuLoadFraction(0), 0.37); // samples first
  EXPECT_EQ(LoadBarPosition(monitor.CpuLoadFraction(0)), 37);
  monitor.SampleCpuLoad();
  std::vector<std::string> expected = {"open PerfStats\\StartStat all",
                                       "read PerfStats\\StartStat KERNEL\\CPUUsage",
                                       "close PerfStats\\StartStat",
                                       "open PerfStats\\StatData read",
                                       "read PerfStats\\StatData KERNEL\\CPUUsage",
                                       "read PerfStats\\StatData KERNEL\\CPUUsage"};
  EXPECT_EQ(dyn.Log, expected);
  ExpectMessage([&] { monitor.CpuLoadFraction(1); }, "CPU index out of bounds");
  ExpectMessage([&] { monitor.CpuLoadFraction(-1); }, "CPU index out of bounds");

  dyn.Log.clear();
  monitor.StopCpuLoadSampling();
  expected = {"close PerfStats\\StatData", "open PerfStats\\StopStat all", "read PerfStats\\StopStat KERNEL\\CPUUsage",
              "close PerfStats\\StopStat"};
  EXPECT_EQ(dyn.Log, expected);
  EXPECT_FALSE(monitor.StatsStarted);
  dyn.Log.clear();
  monitor.StopCpuLoadSampling(); // not started: nothing to stop
  EXPECT_TRUE(dyn.Log.empty());
}

TEST(CpuLoadMonitor, Win9xFailures) {
  FakeDynData dyn;
  TCpuLoadMonitor monitor(Win9xPlatform(dyn));
  ExpectMessage([&] { monitor.SampleCpuLoad(); }, "Unable to start performance monitoring");
  dyn.Keys["PerfStats\\StartStat"] = 12;
  ExpectMessage([&] { monitor.SampleCpuLoad(); }, "Unable to read performance data");
  EXPECT_FALSE(monitor.StatsStarted);
  EXPECT_EQ(monitor.Win9xLoad, 12u); // what the step before the failure read remains
  // A stop key that cannot be opened is ignored.
  dyn.Keys["PerfStats\\StatData"] = 50;
  monitor.SampleCpuLoad();
  monitor.StopCpuLoadSampling();
  EXPECT_FALSE(monitor.StatsStarted);
}

TEST(CpuLoadMonitor, NtStopDoesNothing) {
  FakePerfData perf;
  perf.Blocks.push_back(MakePerfBlock({{238, {6}, {0}}}));
  TCpuLoadMonitor monitor(NtPlatform(perf));
  monitor.SampleCpuLoad();
  monitor.StopCpuLoadSampling();
  EXPECT_EQ(monitor.InstanceCount, 1);
}

namespace {

class FakeIdleTimes : public IdleTimeReader {
public:
  std::deque<std::pair<std::vector<int64_t>, int64_t>> Samples;
  bool Fail = false;
  bool ReadIdleTimes(std::vector<int64_t>& idle, int64_t& time) override {
    if (Fail) return false;
    idle = Samples.front().first;
    time = Samples.front().second;
    if (Samples.size() > 1) Samples.pop_front();
    return true;
  }
};

} // namespace

TEST(CpuLoadMonitor, IdleTimesKeepTheContractWhateverTheVersion) {
  for (bool nt : {true, false}) {
    FakeIdleTimes idle;
    idle.Samples.push_back({{0, 0}, 1000});
    idle.Samples.push_back({{250, 750}, 2000});
    CpuLoadPlatform p;
    p.IsWinNT = nt;
    p.IdleTimes = &idle;
    TCpuLoadMonitor monitor(p);
    EXPECT_EQ(monitor.CpuLoadInstanceCount(), 3); // two processors and the summary
    EXPECT_EQ(monitor.CpuLoadFraction(0), 0.0);
    monitor.SampleCpuLoad();
    EXPECT_DOUBLE_EQ(monitor.CpuLoadFraction(0), 0.75);
    EXPECT_DOUBLE_EQ(monitor.CpuLoadFraction(1), 0.25);
    EXPECT_DOUBLE_EQ(monitor.CpuLoadFraction(2), 0.5);
    ExpectMessage([&] { monitor.CpuLoadFraction(3); }, "CPU index out of bounds");
  }
}

TEST(CpuLoadMonitor, IdleTimesThatCannotBeRead) {
  FakeIdleTimes idle;
  idle.Fail = true;
  CpuLoadPlatform p;
  p.IdleTimes = &idle;
  TCpuLoadMonitor monitor(p);
  ExpectMessage([&] { monitor.SampleCpuLoad(); }, ObjectMessage);
  idle.Fail = false;
  idle.Samples.push_back({{}, 5});
  ExpectMessage([&] { monitor.SampleCpuLoad(); }, ObjectMessage);
}

TEST(LoadBarPosition, RoundsHalvesToEvenAndNeverOverflows) {
  EXPECT_EQ(LoadBarPosition(0.125), 12);
  EXPECT_EQ(LoadBarPosition(0.375), 38);
  EXPECT_EQ(LoadBarPosition(0.0), 0);
  EXPECT_EQ(LoadBarPosition(1.0), 100);
  EXPECT_GT(LoadBarPosition(1e300), 100);
  EXPECT_LT(LoadBarPosition(-1e300), 0);
}

} // namespace qv

namespace qv {

TEST(SelectCpuLoadPlatform, WineFirstThenThePlatformFamily) {
  FakePerfData perf;
  FakeIdleTimes idle;
  FakeDynData dyn;
  CpuLoadPlatform nt = SelectCpuLoadPlatform(true, 2, nullptr, &perf, &dyn);
  EXPECT_TRUE(nt.IsWinNT);
  EXPECT_EQ(nt.PerfData, &perf);
  EXPECT_EQ(nt.DynData, nullptr);
  CpuLoadPlatform w98 = SelectCpuLoadPlatform(true, 1, nullptr, &perf, &dyn);
  EXPECT_FALSE(w98.IsWinNT);
  EXPECT_EQ(w98.DynData, &dyn);
  EXPECT_EQ(w98.PerfData, nullptr);
  for (uint32_t id : {1u, 2u}) {
    CpuLoadPlatform wine = SelectCpuLoadPlatform(true, id, &idle, &perf, &dyn);
    EXPECT_EQ(wine.IdleTimes, &idle);
    EXPECT_EQ(wine.PerfData, nullptr);
    EXPECT_EQ(wine.DynData, nullptr);
  }
  ExpectMessage([&] { SelectCpuLoadPlatform(false, 2, nullptr, &perf, &dyn); }, "Can't get the Windows version");
}

} // namespace qv
