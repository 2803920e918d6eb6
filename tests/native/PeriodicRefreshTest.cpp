#include <gtest/gtest.h>

#include "native/CpuFakes.h"
#include "status/PeriodicRefresh.h"

namespace qv {

namespace {

class FakeSystem : public SystemSource {
public:
  MemoryStatus Status{268435456, 100000000};
  LocalDateTime Time{2026, 12, 7, 9, 5, 7};
  int Reads = 0;
  std::string ComputerName() override { return "HOST"; }
  MemoryStatus Memory() override {
    ++Reads;
    return Status;
  }
  LocalDateTime Now() override {
    ++Reads;
    return Time;
  }
};

struct Rig {
  FieldTable Fields;
  PassState State;
  FakeSystem System;
  FakeLoad Load;
  RefreshSources Sources{&System, &Load};
  Rig(int tab, bool gathered) {
    Fields.ActiveTabIndex = tab;
    State.Gathered = gathered;
    State.Processor.CpuCount = 2;
    Load.Fractions = {0.125, 0.375};
  }
  void Tick() { RunPeriodicRefresh(Fields, State, Sources); }
};

} // namespace

TEST(PeriodicRefresh, CreditsScrollUpAndReEnterFromBelow) {
  struct Row {
    int Top, After;
  } rows[] = {{-1412, -1422}, {-1600, 200}, {-1595, -1605}, {200, 190}, {195, 185}};
  for (bool gathered : {false, true})
    for (const Row& r : rows) {
      Rig rig(0, gathered);
      rig.Fields.SetTop(Field::CreditsList, r.Top);
      rig.Tick();
      EXPECT_EQ(rig.Fields.Top(Field::CreditsList), r.After) << r.Top;
      EXPECT_EQ(rig.System.Reads, 0);
      EXPECT_TRUE(rig.Load.Calls.empty());
    }
}

TEST(PeriodicRefresh, OneCycleTakes181Ticks) {
  Rig rig(0, false);
  rig.Fields.SetTop(Field::CreditsList, 200);
  int ticks = 0;
  do {
    rig.Tick();
    ++ticks;
  } while (rig.Fields.Top(Field::CreditsList) != 200);
  EXPECT_EQ(ticks, 181);
}

TEST(PeriodicRefresh, CreditsStandStillOnOtherPages) {
  Rig rig(1, true);
  rig.Fields.SetTop(Field::CreditsList, -100);
  rig.Tick();
  EXPECT_EQ(rig.Fields.Top(Field::CreditsList), -100);
}

TEST(PeriodicRefresh, ProcessorPageSamplesTheLoad) {
  Rig rig(2, true);
  rig.Tick();
  EXPECT_EQ(rig.Load.Calls, (std::vector<std::string>{"sample", "fraction 0", "fraction 1"}));
  EXPECT_EQ(rig.Fields.Position(Field::LoadBar1), 12);
  EXPECT_EQ(rig.Fields.Position(Field::LoadBar2), 38);
  EXPECT_EQ(rig.System.Reads, 0);

  // Four processors: only the first is shown, the second bar reads 0 and is not hidden again.
  Rig four(2, true);
  four.State.Processor.CpuCount = 4;
  four.Fields.SetPosition(Field::LoadBar2, 77);
  four.Tick();
  EXPECT_EQ(four.Load.Calls, (std::vector<std::string>{"sample", "fraction 0"}));
  EXPECT_EQ(four.Fields.Position(Field::LoadBar1), 12);
  EXPECT_EQ(four.Fields.Position(Field::LoadBar2), 0);
  EXPECT_TRUE(four.Fields.Visible(Field::LoadBar2));
}

TEST(PeriodicRefresh, NothingIsSampledBeforeTheFirstPass) {
  for (int tab : {1, 2}) {
    Rig rig(tab, false);
    rig.Fields.SetPosition(Field::LoadBar1, 40);
    rig.Tick();
    EXPECT_TRUE(rig.Load.Calls.empty());
    EXPECT_EQ(rig.System.Reads, 0);
    EXPECT_EQ(rig.Fields.Position(Field::LoadBar1), 40);
    EXPECT_EQ(rig.Fields.Text(Field::Time), "-");
  }
}

TEST(PeriodicRefresh, LoadErrorsEndTheTick) {
  Rig rig(2, true);
  rig.Load.Fail = true;
  EXPECT_THROW(rig.Tick(), Exception);
}

TEST(PeriodicRefresh, MyComputerPageShowsMemoryTimeAndDate) {
  struct Row {
    uint32_t Total, Avail;
    const char* Label;
    int Position;
  } rows[] = {
      {2147483648u, 1073741824u, "2 Gb [1024 Mb free]", 50},
      {1048576u, 524288u, "1024 Kb [512 Kb free]", 50},
      {1610612736u, 536870912u, "1 Gb [512 Mb free]", 67},
      {268435456u, 100000000u, "256 Mb [95 Mb free]", 63},
      {0, 0, "0 Kb [0 Kb free]", 0}, // a total of 0 bytes is not divided by
  };
  for (const Row& r : rows) {
    Rig rig(1, true);
    rig.System.Status = {r.Total, r.Avail};
    rig.Tick();
    EXPECT_EQ(rig.Fields.Text(Field::Memory), r.Label);
    EXPECT_EQ(rig.Fields.Position(Field::MemoryBar), r.Position) << r.Label;
    EXPECT_TRUE(rig.Load.Calls.empty());
  }
  Rig rig(1, true);
  rig.Tick();
  EXPECT_EQ(rig.Fields.Text(Field::Time), "9:05:07");
  EXPECT_EQ(rig.Fields.Text(Field::Date), "07-12-2026");
  rig.System.Time = {2026, 3, 5, 14, 30, 0};
  rig.Tick();
  EXPECT_EQ(rig.Fields.Text(Field::Time), "14:30:00");
  EXPECT_EQ(rig.Fields.Text(Field::Date), "05-03-2026");
}

TEST(PeriodicRefresh, OtherPagesAreLeftAlone) {
  for (int tab : {3, 4, 5}) {
    Rig rig(tab, true);
    rig.Tick();
    EXPECT_TRUE(rig.Load.Calls.empty());
    EXPECT_EQ(rig.System.Reads, 0);
  }
}

} // namespace qv
