#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <iostream>
#include <vector>

#include "app/WindowsSources.h"
#include "core/Errors.h"
#include "cpu/CpuPlatform.h"
#include "fields/FieldTable.h"
#include "ui/Win.h"

#include <winperf.h>

namespace qv {

namespace {

// A "Processor" object with two instances, laid out with the system's own structures, so the
// walk's offsets are checked against the real headers on both word sizes.
std::vector<uint8_t> SystemLayoutBlock() {
  const size_t counterBlockSize = sizeof(PERF_COUNTER_BLOCK) + 4 + 8;
  const size_t instanceSize = sizeof(PERF_INSTANCE_DEFINITION) + 8;
  const size_t objectSize =
      sizeof(PERF_OBJECT_TYPE) + 2 * sizeof(PERF_COUNTER_DEFINITION) + 2 * (instanceSize + counterBlockSize);
  std::vector<uint8_t> b(sizeof(PERF_DATA_BLOCK) + objectSize, 0);
  auto* data = reinterpret_cast<PERF_DATA_BLOCK*>(b.data());
  data->HeaderLength = sizeof(PERF_DATA_BLOCK);
  data->TotalByteLength = static_cast<DWORD>(b.size());
  data->NumObjectTypes = 1;
  data->SystemTime = {2026, 3, 4, 5, 9, 0, 1, 0};
  auto* object = reinterpret_cast<PERF_OBJECT_TYPE*>(b.data() + sizeof(PERF_DATA_BLOCK));
  object->TotalByteLength = static_cast<DWORD>(objectSize);
  object->HeaderLength = sizeof(PERF_OBJECT_TYPE);
  object->DefinitionLength = sizeof(PERF_OBJECT_TYPE) + 2 * sizeof(PERF_COUNTER_DEFINITION);
  object->ObjectNameTitleIndex = 238;
  object->NumCounters = 2;
  object->NumInstances = 2;
  auto* counters =
      reinterpret_cast<PERF_COUNTER_DEFINITION*>(reinterpret_cast<uint8_t*>(object) + object->HeaderLength);
  counters[0].ByteLength = sizeof(PERF_COUNTER_DEFINITION);
  counters[0].CounterNameTitleIndex = 148;
  counters[1].ByteLength = sizeof(PERF_COUNTER_DEFINITION);
  counters[1].CounterNameTitleIndex = 6;
  counters[1].CounterOffset = sizeof(PERF_COUNTER_BLOCK) + 4;
  uint8_t* at = reinterpret_cast<uint8_t*>(object) + object->DefinitionLength;
  for (int64_t value : {111111, 222222}) {
    reinterpret_cast<PERF_INSTANCE_DEFINITION*>(at)->ByteLength = static_cast<DWORD>(instanceSize);
    at += instanceSize;
    reinterpret_cast<PERF_COUNTER_BLOCK*>(at)->ByteLength = static_cast<DWORD>(counterBlockSize);
    std::memcpy(at + counters[1].CounterOffset, &value, 8);
    at += counterBlockSize;
  }
  return b;
}

} // namespace

TEST(PerfDataLayout, WalkAgreesWithTheSystemHeaders) {
  std::vector<uint8_t> b = SystemLayoutBlock();
  PerfProcessorSample s = ParsePerfData(b.data(), b.size(), -1);
  EXPECT_EQ(s.Idle, (std::vector<int64_t>{111111, 222222}));
  EXPECT_EQ(s.SystemTime.Year, 2026);
  EXPECT_EQ(s.SystemTime.Second, 1);
}

TEST(MachineCpuid, ReadsThisProcessor) {
  auto cpuid = NewMachineCpuid();
  ASSERT_TRUE(cpuid->CpuidAvailable());
  // The 32-bit program flips the EFLAGS ID bit and leaves it so: the next test starts from there.
  ASSERT_TRUE(cpuid->CpuidAvailable());
  TCPUID probe(*cpuid);
  EXPECT_TRUE(probe.Available);
  EXPECT_EQ(probe.Vendor.size(), 12u);
  for (char c : probe.Vendor) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << probe.Vendor;
  EXPECT_NE(probe.FeaturesEdx & TimeStampCounterBit, 0u);
  EXPECT_EQ(cpuid->ReadBrandIndex(), probe.MiscInfo);
  std::cout << "vendor " << probe.Vendor << ", family " << probe.Family << ", model " << probe.Model << "\n";
}

TEST(MachineClock, MeasuresAndRestoresThePriority) {
  auto clock = NewMachineClock();
  DWORD classBefore = GetPriorityClass(GetCurrentProcess());
  int threadBefore = GetThreadPriority(GetCurrentThread());
  double shortMhz = 0;
  int64_t longTicks = 0;
  // Both ways measure the same counter. The long way spins at normal priority, so on a busy machine
  // a preemption at its end can stretch one window: measure again before calling it a disagreement.
  for (int attempt = 0; attempt < 3; ++attempt) {
    shortMhz = MeasureClockShort(*clock);
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), classBefore);
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), threadBefore);
    longTicks = MeasureClockLong(*clock);
    if (std::abs(longTicks / 1e6 - shortMhz) <= shortMhz * 0.25) break;
  }
  EXPECT_GT(shortMhz, 50.0);
  EXPECT_GT(longTicks, 50000000);
  EXPECT_NEAR(longTicks / 1e6, shortMhz, shortMhz * 0.25);
  std::printf("measured clock: short %.3f MHz, long %.3f MHz\n", shortMhz, longTicks / 1e6);
}

TEST(LoadMonitor, UnderWineSamplesTheHostsIdleTimes) {
  InitCpuLoadMonitor();
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  // Every processor and the summary instance, as the "Processor" object would list them.
  EXPECT_EQ(CpuLoadInstanceCount(), static_cast<int>(info.dwNumberOfProcessors) + 1);
  SampleCpuLoad();
  // Keep this thread busy for a while so that the interval has load to see.
  DWORD start = GetTickCount();
  volatile double sink = 0;
  while (GetTickCount() - start < 300) sink = sink + std::sqrt(sink + 1.0);
  SampleCpuLoad();
  double total = 0;
  for (int i = 0; i < CpuLoadInstanceCount(); ++i) {
    double f = CpuLoadFraction(i);
    EXPECT_TRUE(f > -0.1 && f < 1.1) << i << ": " << f;
    total += f;
  }
  std::printf("load over 300 ms of one busy thread: summary %.2f\n", CpuLoadFraction(CpuLoadInstanceCount() - 1));
  EXPECT_GT(total, 0.0);
  EXPECT_THROW(CpuLoadFraction(-1), Exception);
  EXPECT_THROW(CpuLoadFraction(CpuLoadInstanceCount()), Exception);
  ReleaseCpuLoadMonitor();
}

TEST(ProcessorSection, ThePassFillsTheProcessorPage) {
  FieldTable fields;
  PassState state;
  WindowsSources sources;
  PassHost host;
  RunGatheringPass(fields, state, sources.Sources(), host);
  // The pass's clock reaches the performance counter, through every wrapper.
  LARGE_INTEGER frequency;
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  EXPECT_EQ(sources.Sources().Processor->Clock->PerformanceFrequency(), static_cast<uint64_t>(frequency.QuadPart));
  TCPUID probe(*NewMachineCpuid());
  EXPECT_EQ(fields.Text(Field::CpuVendor), probe.Vendor);
  EXPECT_EQ(fields.Text(Field::CpuType), CpuTypeText(probe.CpuType));
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  EXPECT_EQ(fields.Text(Field::CpuCount), std::to_string(info.dwNumberOfProcessors) + " CPUs found");
  std::string speed = fields.Text(Field::CpuSpeed);
  EXPECT_TRUE(speed.size() > 4 &&
              (speed.substr(speed.size() - 4) == " MHz" || speed.substr(speed.size() - 4) == " GHz"))
      << speed;
  EXPECT_TRUE(fields.Checked(Field::RdtscBox));
  EXPECT_TRUE(fields.Checked(Field::FpuBox));
  EXPECT_EQ(state.Processor.CpuCount, static_cast<int>(info.dwNumberOfProcessors));
  int bar = fields.Position(Field::LoadBar1);
  EXPECT_TRUE(bar >= -10 && bar <= 110) << bar;
  std::cout << "Speed: " << speed << "\n";
  ReleaseCpuLoadMonitor();
}

TEST(ProcessorSystem, DecimalSeparatorOfTheLocale) {
  auto system = NewMachineProcessorSystem();
  char expected[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, expected, sizeof expected);
  EXPECT_EQ(system->DecimalSeparator(), expected[0] ? std::string(expected) : std::string("."));
  EXPECT_GE(system->NumberOfProcessors(), 1);
}

} // namespace qv
