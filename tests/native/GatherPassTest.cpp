#include "app/GatherPass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fields/FieldInventory.h"
#include "fields/FieldTable.h"
#include "core/Errors.h"

namespace qv {
namespace {

std::vector<std::string> Log;

// Records every field write and every host step, in order.
class RecordingFields : public FieldTable {
public:
  void SetText(const std::string& name, const std::string& text) override {
    Log.push_back("text " + name);
    FieldTable::SetText(name, text);
  }
  void SetPosition(const std::string& name, int position) override {
    Log.push_back("position " + name);
    FieldTable::SetPosition(name, position);
  }
};

class RecordingHost : public PassHost {
public:
  explicit RecordingHost(const PassState& s) : State(s) {}
  void BeginBusy() override { Log.push_back("busy"); }
  void EndBusy() override { Log.push_back(State.Gathered ? "end (gathered)" : "end (not gathered)"); }
  void UpdateLockKeyBoxes() override { Log.push_back("lock keys"); }
  const PassState& State;
};

class FakeSystem : public SystemSource {
public:
  std::string ComputerName() override {
    if (Fail) throw Exception("probe failed");
    return "BENCH-7";
  }
  MemoryStatus Memory() override { return {268435456, 100000000}; }
  LocalDateTime Now() override { return {2026, 3, 5, 9, 0, 1}; }
  bool Fail = false;
};

TEST(GatheringPass, FillsTheSpineFieldsInOrderAndEndsGathered) {
  Log.clear();
  RecordingFields fields;
  PassState state;
  FakeSystem system;
  GatherSources sources;
  sources.System = &system;
  RecordingHost host(state);
  RunGatheringPass(fields, state, sources, host);

  EXPECT_EQ(Log, (std::vector<std::string>{"busy", "text LabelComputer", "lock keys", "text LabelTime",
                                           "text LabelDate", "text LabelPhysical", "position ProgressBarPhysical",
                                           "end (gathered)"}));
  EXPECT_TRUE(state.Gathered);
  EXPECT_EQ(fields.Text("LabelComputer"), "BENCH-7");
  EXPECT_EQ(fields.Text("LabelTime"), "9:00:01");
  EXPECT_EQ(fields.Text("LabelDate"), "05-03-2026");
  EXPECT_EQ(fields.Text("LabelPhysical"), "256 Mb [95 Mb free]");
  EXPECT_EQ(state.TotalMemoryText, "256 Mb");
  EXPECT_EQ(fields.Position("ProgressBarPhysical"), 63);
}

TEST(GatheringPass, AnErrorSkipsTheRestButStillEndsTheBusyState) {
  Log.clear();
  RecordingFields fields;
  PassState state;
  FakeSystem system;
  system.Fail = true;
  GatherSources sources;
  sources.System = &system;
  RecordingHost host(state);
  EXPECT_THROW(RunGatheringPass(fields, state, sources, host), Exception);
  EXPECT_EQ(Log, (std::vector<std::string>{"busy", "end (gathered)"}));
  EXPECT_EQ(fields.Text("LabelTime"), "-");
}

TEST(GatheringPass, WithoutReadersTheFieldsKeepTheirDesignValues) {
  FieldTable fields;
  PassState state;
  GatherSources sources;
  PassHost host;
  RunGatheringPass(fields, state, sources, host);
  EXPECT_TRUE(state.Gathered);
  EXPECT_EQ(fields.Text("LabelComputer"), "-");
  EXPECT_EQ(fields.Lines("MemoDrives"), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
}

TEST(FieldTable, StartsWithTheDesignValues) {
  FieldTable fields;
  for (const auto& field : FieldInventory()) {
    if (field.Kind == FieldKind::fkValue) {
      EXPECT_EQ(fields.Text(field.Name), "-") << field.Name;
    }
    if (field.Kind == FieldKind::fkMemo && std::string(field.Name) != "MemoDrives") {
      EXPECT_EQ(fields.Lines(field.Name), std::vector<std::string>{"-"}) << field.Name;
    }
  }
  EXPECT_EQ(fields.Text("LabelTComputer"), "Computer Name:");
  EXPECT_EQ(fields.Text("LabelIP"), "Who is it?");
  EXPECT_EQ(fields.Text("VersionLabel"), "1.0");
  EXPECT_EQ(fields.Url("HomePageLabel"), HomePageUrl);
  EXPECT_EQ(fields.Top("ScrollBoxChild"), 195);
  EXPECT_EQ(fields.Height("ScrollBoxParent"), 200);
  EXPECT_THROW(fields.Text("LabelNoSuchThing"), Exception);
}

TEST(FieldInventory, NamesAreUniqueAndPagesHoldTheirFields) {
  std::vector<std::string> names;
  int features = 0, memos = 0, values = 0;
  for (const auto& field : FieldInventory()) {
    names.push_back(field.Name);
    if (field.Kind == FieldKind::fkCheck && field.Page == 2) ++features;
    if (field.Kind == FieldKind::fkMemo) ++memos;
    if (field.Kind == FieldKind::fkValue) ++values;
    if (field.Page >= 1) {
      EXPECT_LE(field.Bounds.Right, 440) << field.Name;   // panels are 440 wide
      EXPECT_LE(field.Bounds.Bottom, 250) << field.Name;  // and 250 high
    }
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
  EXPECT_EQ(features, 9);
  EXPECT_EQ(memos, 7);
  EXPECT_EQ(values, 34);   // 6 + 5 + 16 + 5 + 2 across the five pages
}

} // namespace
} // namespace qv
