#include "app/GatherPass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FieldPrint.h"
#include "core/Errors.h"
#include "fields/FieldInventory.h"
#include "fields/FieldTable.h"

namespace qv {
namespace {

std::vector<std::string> Log;

// Records every field write and every host step, in order.
class RecordingFields : public FieldTable {
public:
  void SetText(Field name, const std::string& text) override {
    Log.push_back(std::string("text ") + FieldName(name));
    FieldTable::SetText(name, text);
  }
  void SetPosition(Field name, int position) override {
    Log.push_back(std::string("position ") + FieldName(name));
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

  EXPECT_EQ(Log, (std::vector<std::string>{"busy", "text ComputerName", "lock keys", "text Time", "text Date",
                                           "text Memory", "position MemoryBar", "end (gathered)"}));
  EXPECT_TRUE(state.Gathered);
  EXPECT_EQ(fields.Text(Field::ComputerName), "BENCH-7");
  EXPECT_EQ(fields.Text(Field::Time), "9:00:01");
  EXPECT_EQ(fields.Text(Field::Date), "05-03-2026");
  EXPECT_EQ(fields.Text(Field::Memory), "256 Mb [95 Mb free]");
  EXPECT_EQ(state.TotalMemoryText, "256 Mb");
  EXPECT_EQ(fields.Position(Field::MemoryBar), 63);
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
  EXPECT_EQ(fields.Text(Field::Time), "-");
}

TEST(GatheringPass, WithoutReadersTheFieldsKeepTheirDesignValues) {
  FieldTable fields;
  PassState state;
  GatherSources sources;
  PassHost host;
  RunGatheringPass(fields, state, sources, host);
  EXPECT_TRUE(state.Gathered);
  EXPECT_EQ(fields.Text(Field::ComputerName), "-");
  EXPECT_EQ(fields.Lines(Field::Drives), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
}

TEST(FieldTable, StartsWithTheDesignValues) {
  FieldTable fields;
  for (const auto& field : FieldInventory()) {
    if (field.Kind == FieldKind::fkValue) {
      EXPECT_EQ(fields.Text(field.Id), "-") << field.Id;
    }
    if (field.Kind == FieldKind::fkMemo && field.Id != Field::Drives) {
      EXPECT_EQ(fields.Lines(field.Id), std::vector<std::string>{"-"}) << field.Id;
    }
  }
  EXPECT_EQ(fields.Text(Field::ComputerNameCaption), "Computer Name:");
  EXPECT_EQ(fields.Text(Field::LocalIp), "Who is it?");
  EXPECT_EQ(fields.Text(Field::ProductVersion), "1.0");
  EXPECT_EQ(fields.Url(Field::HomePage), HomePageUrl);
  EXPECT_EQ(fields.Top(Field::CreditsList), 195);
  EXPECT_EQ(fields.Height(Field::CreditsViewport), 200);
}

TEST(FieldInventory, EachFieldOnceAndPagesHoldTheirFields) {
  std::vector<int> specs(FieldCount, 0);
  int features = 0, memos = 0, values = 0;
  for (const auto& field : FieldInventory()) {
    ++specs[static_cast<int>(field.Id)];
    if (field.Kind == FieldKind::fkCheck && field.Page == 2) ++features;
    if (field.Kind == FieldKind::fkMemo) ++memos;
    if (field.Kind == FieldKind::fkValue) ++values;
    if (field.Page >= 1) {
      EXPECT_LE(field.Bounds.Right, 440) << field.Id;  // panels are 440 wide
      EXPECT_LE(field.Bounds.Bottom, 250) << field.Id; // and 250 high
    }
  }
  EXPECT_EQ(specs, std::vector<int>(FieldCount, 1));
  EXPECT_EQ(features, 9);
  EXPECT_EQ(memos, 7);
  EXPECT_EQ(values, 34); // 6 + 5 + 16 + 5 + 2 across the five pages
}

} // namespace
} // namespace qv
