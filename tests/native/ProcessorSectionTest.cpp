#include <gtest/gtest.h>

#include "app/GatherPass.h"
#include "native/CpuFakes.h"

namespace qv {

namespace {

struct Rig {
  RecordingFields Fields;
  ProcessorState State;
  FakeCpuid Cpuid;
  ScriptedClock Clock;
  FakeLoad Load;
  FakeProcessorSystem System;
  ProcessorSources Sources{&Cpuid, &Clock, &Load, &System};

  Rig(const std::string& vendor, uint32_t signature, uint32_t edx, uint32_t extEdx = 0, uint32_t ebx = 0)
      : Cpuid(vendor, signature, edx, extEdx, ebx) {
    Clock.CounterPerMillisecond = 733400;
    Load.Fractions = {0.125, 0.375, 0.9};
  }
  void Run() { GatherProcessor(Fields, State, Sources); }
  std::vector<bool> Boxes() const {
    std::vector<bool> v;
    for (Field name : FeatureBoxes) v.push_back(Fields.Checked(name));
    return v;
  }
};

// Leaf 1 EDX bits.
constexpr uint32_t FPU = 1u << 0, TSC = 1u << 4, APIC = 1u << 9, MMX = 1u << 23, SSE = 1u << 25, SSE2 = 1u << 26;

} // namespace

TEST(GatherProcessor, FillsTheProcessorPage) {
  Rig rig("GenuineIntel", 0x00000683, FPU | TSC | APIC | MMX | SSE, 0, 0x00000002);
  rig.System.Count = 2;
  rig.Run();
  const FieldTable& f = rig.Fields;
  EXPECT_EQ(f.Text(Field::CpuCount), "2 CPUs found");
  EXPECT_EQ(f.Text(Field::CpuSpeed), "733.40 MHz");
  EXPECT_EQ(f.Text(Field::CpuVendor), "GenuineIntel");
  EXPECT_EQ(f.Text(Field::CpuDescription), "intel Pentium III");
  EXPECT_EQ(f.Text(Field::CpuType), "Primary");
  EXPECT_EQ(f.Text(Field::ApicBox), "APIC");
  //                                  FPU   RDTSC MMX   MMX+   3DNow 3DNow+ iSSE  iSSE-2 APIC
  EXPECT_EQ(rig.Boxes(), (std::vector<bool>{true, true, true, false, false, false, true, false, true}));
  EXPECT_EQ(rig.State.FeatureFlags[ffRDTSC], true);
  EXPECT_EQ(rig.State.CpuCount, 2);
  EXPECT_DOUBLE_EQ(rig.State.CpuSpeed, 733.4);
  EXPECT_EQ(rig.State.CpuSpeedTicks, 0);
  ASSERT_TRUE(rig.State.CPUID);
  EXPECT_EQ(rig.State.CPUID->Family, 6);
  // Two samples, then one fraction per bar.
  EXPECT_EQ(rig.Load.Calls, (std::vector<std::string>{"count", "sample", "fraction 0", "fraction 1"}));
  EXPECT_EQ(f.Position(Field::LoadBar1), 12);
  EXPECT_EQ(f.Position(Field::LoadBar2), 38);
  EXPECT_TRUE(f.Visible(Field::LoadBar2));
}

TEST(GatherProcessor, FeatureBoxesAreWrittenOnceInFlagOrder) {
  Rig rig("AuthenticAMD", 0x00000642, FPU | TSC | MMX, 0xC0400000);
  rig.Run();
  EXPECT_EQ(rig.Fields.CheckedWrites, std::vector<Field>(FeatureBoxes.begin(), FeatureBoxes.end()));
  EXPECT_EQ(rig.Boxes(), (std::vector<bool>{true, true, true, true, true, true, false, false, false}));
  EXPECT_EQ(rig.Fields.Text(Field::CpuDescription), "AMD Athlon (THUNDERBIRD)");
  EXPECT_EQ(rig.Fields.Text(Field::ApicBox), "APIC"); // bit 9 clear: design caption stays
}

TEST(GatherProcessor, AmdFamilyFiveModelZeroShowsPge) {
  Rig rig("AuthenticAMD", 0x00000501, FPU | TSC | APIC);
  rig.Run();
  EXPECT_EQ(rig.Fields.Text(Field::ApicBox), "PGE");
  EXPECT_TRUE(rig.Fields.Checked(Field::ApicBox));
  EXPECT_EQ(rig.Fields.Text(Field::CpuDescription), "AMD K5 (PR75/PR90/PR100)");
}

TEST(GatherProcessor, OneProcessorHidesTheSecondBar) {
  for (int count : {1, 3, 4}) {
    Rig rig("GenuineIntel", 0x683, FPU | TSC);
    rig.System.Count = count;
    rig.Run();
    EXPECT_EQ(rig.Fields.Text(Field::CpuCount), std::to_string(count) + " CPUs found");
    EXPECT_FALSE(rig.Fields.Visible(Field::LoadBar2)) << count;
    EXPECT_EQ(rig.Fields.Position(Field::LoadBar1), 12);
    EXPECT_EQ(rig.Fields.Position(Field::LoadBar2), 0);
    EXPECT_EQ(rig.Load.Calls, (std::vector<std::string>{"count", "sample", "fraction 0"}));
  }
}

// Where the system counts every group, that count wins over GetSystemInfo's (a 32-bit program sees
// at most 32 there); where the call is missing or fails, GetSystemInfo answers.
TEST(CountProcessors, AllGroupsWhereTheSystemCanCountThem) {
  std::vector<int> groups;
  int systemInfoCalls = 0;
  auto systemInfo = [&] {
    ++systemInfoCalls;
    return 32u;
  };
  auto active = [&](uint16_t group) {
    groups.push_back(group);
    return 64u;
  };
  EXPECT_EQ(CountProcessors(active, systemInfo), 64);
  EXPECT_EQ(groups, std::vector<int>{0xFFFF});
  EXPECT_EQ(systemInfoCalls, 0);
  EXPECT_EQ(CountProcessors(nullptr, systemInfo), 32);
  EXPECT_EQ(CountProcessors([](uint16_t) { return 0u; }, systemInfo), 32);
  EXPECT_EQ(systemInfoCalls, 2);
}

TEST(GatherProcessor, WithoutCpuidTheLabelsStayAndEveryBoxIsClear) {
  Rig rig("GenuineIntel", 0x683, 0xFFFFFFFF, 0xFFFFFFFF);
  rig.Cpuid.Available = false;
  for (Field name : FeatureBoxes) rig.Fields.SetChecked(name, true);
  rig.Run();
  EXPECT_EQ(rig.Fields.Text(Field::CpuVendor), "-");
  EXPECT_EQ(rig.Fields.Text(Field::CpuDescription), "-");
  EXPECT_EQ(rig.Fields.Text(Field::CpuType), "-");
  EXPECT_EQ(rig.Fields.Text(Field::CpuSpeed), "");
  EXPECT_EQ(rig.Boxes(), std::vector<bool>(9, false));
  EXPECT_EQ(rig.State.CPUID->Vendor, "unknown");
  EXPECT_TRUE(rig.Clock.Calls.empty());
}

TEST(GatherProcessor, WithoutTimeStampCounterSpeedIsEmpty) {
  Rig rig("GenuineIntel", 0x00001480, FPU);
  rig.Fields.SetText(Field::CpuSpeed, "733.40 MHz"); // from an earlier pass
  rig.State.CpuSpeed = 733.4;
  rig.State.CpuSpeedTicks = 12;
  rig.Run();
  EXPECT_EQ(rig.Fields.Text(Field::CpuSpeed), "");
  EXPECT_FALSE(rig.Fields.Checked(Field::RdtscBox));
  EXPECT_EQ(rig.State.CpuSpeed, 0.0);
  EXPECT_EQ(rig.State.CpuSpeedTicks, 0);
  EXPECT_TRUE(rig.Clock.Calls.empty());
  EXPECT_EQ(rig.Fields.Text(Field::CpuDescription), "intel 80486 DX-4");
  EXPECT_EQ(rig.Fields.Text(Field::CpuType), "Overdrive");
}

TEST(GatherProcessor, SpeedInGigahertzKeepsTheShownNumber) {
  Rig rig("GenuineIntel", 0xF27, FPU | TSC | SSE2, 0, 9);
  rig.Clock.CounterPerMillisecond = 2400000;
  rig.System.Separator = ",";
  rig.Run();
  EXPECT_EQ(rig.Fields.Text(Field::CpuSpeed), "2,40 GHz");
  EXPECT_DOUBLE_EQ(rig.State.CpuSpeed, 2.4);
  EXPECT_EQ(rig.Fields.Text(Field::CpuDescription), "intel Pentium 4");
}

TEST(GatherClock, LongMeasurementWhenTheShortOneGivesNothing) {
  // A counter that stands still over sleeps but runs while the tick count is read.
  struct SleepyClock : ScriptedClock {
    void Sleep(uint32_t ms) override { Calls.push_back("Sleep " + std::to_string(ms)); }
  };
  struct Row {
    uint64_t PerMillisecond;
    const char* Text;
  } rows[] = {{733400, "732.67 MHz"}, {1800000, "1.80 GHz"}};
  for (const Row& r : rows) {
    FakeCpuid source("GenuineIntel", 0x683, TSC);
    TCPUID cpuid(source);
    SleepyClock clock;
    clock.CounterPerMillisecond = r.PerMillisecond;
    FieldTable fields;
    ProcessorState state;
    EXPECT_TRUE(GatherClock(fields, state, cpuid, clock, "."));
    // The window is 999 ms of the scripted tick count.
    EXPECT_EQ(state.CpuSpeedTicks, static_cast<int64_t>(r.PerMillisecond * 999));
    EXPECT_EQ(state.CpuSpeed, 0.0);
    EXPECT_EQ(fields.Text(Field::CpuSpeed), r.Text);
  }
}

TEST(GatherPass, ProcessorStepAndItsErrors) {
  Rig rig("GenuineIntel", 0x683, FPU | TSC);
  struct Host : PassHost {
    int Ends = 0;
    void EndBusy() override { ++Ends; }
  } host;
  PassState state;
  GatherSources sources;
  sources.Processor = &rig.Sources;
  RunGatheringPass(rig.Fields, state, sources, host);
  EXPECT_EQ(rig.Fields.Text(Field::CpuVendor), "GenuineIntel");
  auto first = state.Processor.CPUID;
  RunGatheringPass(rig.Fields, state, sources, host);
  EXPECT_NE(state.Processor.CPUID, first); // each pass makes its own probe

  // A load-monitor error ends the pass in its end state and reaches the caller.
  rig.Load.Fail = true;
  PassState fresh;
  EXPECT_THROW(RunGatheringPass(rig.Fields, fresh, sources, host), Exception);
  EXPECT_TRUE(fresh.Gathered);
  EXPECT_EQ(host.Ends, 3);
}

} // namespace qv
