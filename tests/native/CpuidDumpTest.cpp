#include <gtest/gtest.h>

#include "app/GatherPass.h"
#include "core/Errors.h"
#include "cpu/CpuNames.h"
#include "cpu/CpuidDump.h"
#include "native/CpuFakes.h"

namespace qv {

namespace {

std::string DataFile(const std::string& name) {
  std::string here = __FILE__;
  return here.substr(0, here.rfind("/native/")) + "/data/" + name;
}

void ExpectUsageError(const std::string& text) { EXPECT_THROW(ParseCpuidDump(text), Exception) << text; }

} // namespace

TEST(CpuidDump, ReadsBothLineForms) {
  CpuidDump dump = ParseCpuidDump(
      "CPUID 00000000: 00000002-756E6547-6C65746E-49656E69 [SL 00]\n"
      "  CPUID 00000001: 00000633-00000000-00000000-0080F9FF\r\n"
      "basic_cpuid[2]=03020101 00000000 00000000 0c040882\n"
      "ext_cpuid[1]=00000000 00000000 00000000 c1c3fbff\n"
      "\text_cpuid[0x8] = 1 2 3 4\n"
      "CPUID 8000001E: a-b-c-d and more\n");
  EXPECT_EQ(dump.ReadLeaf(0), (CpuidLeaf{2, 0x756E6547, 0x6C65746E, 0x49656E69}));
  EXPECT_EQ(dump.ReadLeaf(1), (CpuidLeaf{0x633, 0, 0, 0x0080F9FF}));
  EXPECT_EQ(dump.ReadLeaf(2), (CpuidLeaf{0x03020101, 0, 0, 0x0C040882}));
  EXPECT_EQ(dump.ReadLeaf(0x80000001u), (CpuidLeaf{0, 0, 0, 0xC1C3FBFF}));
  EXPECT_EQ(dump.ReadLeaf(0x80000008u), (CpuidLeaf{1, 2, 3, 4}));
  EXPECT_EQ(dump.ReadLeaf(0x8000001Eu), (CpuidLeaf{0xA, 0xB, 0xC, 0xD}));
  EXPECT_EQ(dump.ReadLeaf(3), CpuidLeaf{}); // not in the dump: zeros
  EXPECT_EQ(dump.Leaves.size(), 6u);
  EXPECT_TRUE(dump.CpuidAvailable());
  EXPECT_EQ(dump.ReadBrandIndex(), 0u);
  EXPECT_EQ(dump.ReadExtendedFeatures(), 0xC1C3FBFFu);
  TCPUID cpuid(dump);
  EXPECT_EQ(cpuid.Vendor, "GenuineIntel");
}

TEST(CpuidDump, OtherLinesAreIgnored) {
  CpuidDump dump = ParseCpuidDump(
      "CPUID 00000000: 00000001-756E6547-6C65746E-49656E69\n"
      "CPUID 00000001: 123456789-0-0-0\n" // nine digits
      "CPUID 00000001: 1-2-3\n"           // three registers
      "CPUID00000001: 1-2-3-4\n"          // no blank after the word
      "cpuid 00000001: 1-2-3-4\n"
      "CPUID 00000001 1-2-3-4\n" // no colon
      "basic_cpuid[1]=1 2 3\n"
      "basic_cpuid[1=1 2 3 4\n"
      "ext_cpuid[2147483648]=1 2 3 4\n" // beyond the extended range
      "basic_cpuid[99999999999]=1 2 3 4\n"
      "xbasic_cpuid[1]=1 2 3 4\n"
      "CPUID 00000001: 00000633-g-0-0\n"
      "\n");
  EXPECT_EQ(dump.Leaves.size(), 1u);
}

TEST(CpuidDump, FirstProcessorAndFirstOccurrenceWin) {
  CpuidDump dump = ParseCpuidDump(
      "CPUID 00000000: 00000004-756E6547-6C65746E-49656E69\n"
      "CPUID 00000001: 00000683-00000002-00000000-0387FBFF\n"
      "CPUID 00000004: 00000001-00000000-00000000-00000000 [SL 00]\n"
      "CPUID 00000004: 00000002-00000000-00000000-00000000 [SL 01]\n"
      "basic_cpuid[1]=00000999 0 0 0\n"
      "CPUID 00000000: 00000004-756E6547-6C65746E-49656E69\n"
      "CPUID 00000001: 00000686-01000009-00000000-0387FBFF\n"
      "CPUID 00000003: 00000003-00000003-00000003-00000003\n");
  EXPECT_EQ(dump.ReadLeaf(1).Eax, 0x683u);
  EXPECT_EQ(dump.ReadLeaf(4).Eax, 1u);
  EXPECT_EQ(dump.ReadLeaf(3), CpuidLeaf{}); // only the second processor has it
}

TEST(CpuidDump, WithoutLeafZeroItIsAUsageError) {
  ExpectUsageError("");
  ExpectUsageError("CPUID 00000001: 00000633-00000000-00000000-0080F9FF\n");
  ExpectUsageError("ext_cpuid[0]=80000008 0 0 0\n");
  ExpectUsageError(std::string("\0\xff\n\n", 4));
  EXPECT_THROW(LoadCpuidDump(DataFile("no-such-dump.txt")), Exception);
}

TEST(CpuidDump, WriterCoversBothRunsAndReplays) {
  FakeCpuid source("GenuineIntel", 0x683, 0x0387FBFF, 0, 2);
  source.Leaves[0].Eax = 3;
  source.Leaves[2] = {0x03020101, 0, 0, 0x0C040882};
  source.Leaves[0x80000000u] = {0x80000004u, 0, 0, 0};
  source.Leaves[0x80000004u] = {1, 2, 3, 4};
  std::string text = WriteCpuidDump(source);
  EXPECT_EQ(text.substr(0, 53), "CPUID 00000000: 00000003-756E6547-6C65746E-49656E69\r\n");
  CpuidDump dump = ParseCpuidDump(text);
  EXPECT_EQ(dump.Leaves.size(), 4u + 5u);
  for (uint32_t leaf : {0u, 1u, 2u, 3u, 0x80000000u, 0x80000001u, 0x80000004u})
    EXPECT_EQ(dump.ReadLeaf(leaf), source.ReadLeaf(leaf)) << std::hex << leaf;
}

TEST(CpuidDump, WriterCapsItsRuns) {
  FakeCpuid source("GenuineIntel", 0x683, 0);
  source.Leaves[0].Eax = 0xFFFFFFFFu;                 // nonsense highest leaf
  source.Leaves[0x80000000u] = {0x00000002, 0, 0, 0}; // no extended leaves
  CpuidDump dump = ParseCpuidDump(WriteCpuidDump(source));
  EXPECT_EQ(dump.Leaves.size(), MaxDumpLeaves + 1);
  EXPECT_TRUE(dump.Leaves.count(MaxDumpLeaves - 1));
  EXPECT_FALSE(dump.Leaves.count(MaxDumpLeaves));
  EXPECT_TRUE(dump.Leaves.count(0x80000000u));

  source.Available = false;
  EXPECT_THROW(WriteCpuidDump(source), Exception);
}

// Processors of today, whose four-bit family and model the tables would misname: through the whole
// pass each reads its brand string, and the raw numbers carry its own family and model.
TEST(CpuidDump, TodaysProcessorsReadTheirBrandString) {
  struct Row {
    const char* File;
    const char* Description;
    int Family, Model, BaseFamily, BaseModel;
    std::vector<bool> Boxes; // FPU RDTSC MMX MMX+ 3DNow! 3DNow!+ iSSE iSSE-2 APIC
  } rows[] = {
      {"intel-core-i9-12900k.txt", "12th Gen Intel(R) Core(TM) i9-12900K", 6, 0x97, 6, 7, {1, 1, 1, 0, 0, 0, 1, 1, 1}},
      {"intel-core-i9-13900k.txt", "13th Gen Intel(R) Core(TM) i9-13900K", 6, 0xB7, 6, 7, {1, 1, 1, 0, 0, 0, 1, 1, 1}},
      {"amd-ryzen9-5950x.txt", "AMD Ryzen 9 5950X 16-Core Processor", 0x19, 0x21, 15, 1, {1, 1, 1, 1, 0, 0, 1, 1, 1}},
      {"amd-ryzen9-7950x.txt", "AMD Ryzen 9 7950X 16-Core Processor", 0x19, 0x61, 15, 1, {1, 1, 1, 1, 0, 0, 1, 1, 1}},
      {"amd-ryzen9-9950x.txt", "AMD Ryzen 9 9950X 16-Core Processor", 0x1A, 0x44, 15, 4, {1, 1, 1, 1, 0, 0, 1, 1, 1}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.File);
    CpuidDump dump = LoadCpuidDump(DataFile(r.File));
    ScriptedClock clock;
    clock.CounterPerMillisecond = 3200000;
    FakeLoad load;
    load.Fractions = {0, 0};
    FakeProcessorSystem system;
    ProcessorSources processor{&dump, &clock, &load, &system};
    GatherSources sources;
    sources.Processor = &processor;
    FieldTable fields;
    PassState state;
    PassHost host;
    RunGatheringPass(fields, state, sources, host);
    EXPECT_EQ(fields.Text(Field::CpuDescription), r.Description);
    std::vector<bool> boxes;
    for (Field name : FeatureBoxes) boxes.push_back(fields.Checked(name));
    EXPECT_EQ(boxes, r.Boxes);
    ASSERT_TRUE(state.Raw.Cpu);
    const RawValues::Processor& cpu = *state.Raw.Cpu;
    EXPECT_EQ(cpu.Signature, dump.ReadLeaf(1).Eax);
    EXPECT_EQ(cpu.Family, r.Family);
    EXPECT_EQ(cpu.Model, r.Model);
    EXPECT_EQ(cpu.BaseFamily, r.BaseFamily);
    EXPECT_EQ(cpu.BaseModel, r.BaseModel);
    EXPECT_EQ(cpu.Brand, r.Description);
  }
}

} // namespace qv
