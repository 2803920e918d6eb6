#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "native/CpuFakes.h"
#include "tools/CpuidOptions.h"

namespace qv {

namespace {

namespace fs = std::filesystem;

struct Rig {
  FakeCpuid Machine{"GenuineIntel", 0x683, 0x0387FBFF, 0, 2};
  ScriptedClock Clock;
  FakeLoad Load;
  FakeProcessorSystem System;
  ProcessorSources Processor{&Machine, &Clock, &Load, &System};
  CpuidReplay Replay;
  StringSink Err;
  fs::path Dir =
      fs::temp_directory_path() / ("qv-cpuid-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
  Rig() { fs::create_directories(Dir); }
  ~Rig() { fs::remove_all(Dir); }
  int Apply(const std::vector<std::string>& args) {
    ParsedReportArguments parsed = ParseReportArguments(args);
    EXPECT_EQ(parsed.Error, "");
    return ApplyCpuidOptions(parsed.Options, &Processor, Replay, Err);
  }
  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream(Dir / name, std::ios::binary) << text;
    return (Dir / name).string();
  }
  std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

} // namespace

TEST(CpuidOptions, WithoutThemTheReportFollows) {
  Rig rig;
  EXPECT_EQ(rig.Apply({"--html"}), -1);
  EXPECT_EQ(rig.Processor.Cpuid, &rig.Machine);
}

TEST(CpuidOptions, DumpReplacesTheProcessor) {
  Rig rig;
  std::string path = rig.Write("k5.txt",
                               "CPUID 00000000: 00000001-68747541-444D4163-69746E65\n"
                               "CPUID 00000001: 00000501-00000000-00000000-000003BF\n");
  EXPECT_EQ(rig.Apply({"--cpuid", path}), -1);
  ASSERT_NE(rig.Processor.Cpuid, &rig.Machine);
  EXPECT_EQ(TCPUID(*rig.Processor.Cpuid).Vendor, "AuthenticAMD");
  EXPECT_EQ(rig.Err.str(), "");
}

TEST(CpuidOptions, UnreadableDumpIsAUsageError) {
  Rig rig;
  std::string missing = (rig.Dir / "missing.txt").string();
  EXPECT_EQ(rig.Apply({"--cpuid", missing}), ExitBadArgument);
  EXPECT_EQ(rig.Err.str(), "quorvel-report: Cannot read the CPUID dump " + missing + "\n");
  EXPECT_EQ(rig.Processor.Cpuid, &rig.Machine);

  Rig noLeafZero;
  std::string path = noLeafZero.Write("one.txt", "CPUID 00000001: 00000501-00000000-00000000-000003BF\n");
  EXPECT_EQ(noLeafZero.Apply({"--cpuid", path}), ExitBadArgument);
  EXPECT_EQ(noLeafZero.Err.str(), "quorvel-report: The CPUID dump holds no leaf 0 (" + path + ")\n");
}

TEST(CpuidOptions, SaveWritesTheLeavesInUseAndNoReport) {
  Rig rig;
  std::string out = (rig.Dir / "saved.txt").string();
  EXPECT_EQ(rig.Apply({"--save-cpuid", out}), ExitReportWritten);
  EXPECT_EQ(rig.Read(out), WriteCpuidDump(rig.Machine));

  // With a dump, the dump's leaves: the second form comes out in the first.
  Rig convert;
  std::string in = convert.Write("p4.txt",
                                 "basic_cpuid[0]=00000001 756e6547 6c65746e 49656e69\n"
                                 "basic_cpuid[1]=00000f27 00010809 00004400 bfebfbff\n");
  std::string saved = (convert.Dir / "p4-first-form.txt").string();
  EXPECT_EQ(convert.Apply({"--cpuid", in, "--save-cpuid", saved}), ExitReportWritten);
  std::string text = convert.Read(saved);
  EXPECT_NE(text.find("CPUID 00000001: 00000F27-00010809-00004400-BFEBFBFF\r\n"), std::string::npos) << text;
}

TEST(CpuidOptions, SaveFailures) {
  Rig rig;
  std::string out = (rig.Dir / "no-such-folder" / "saved.txt").string();
  EXPECT_EQ(rig.Apply({"--save-cpuid", out}), ExitCannotWrite);
  EXPECT_EQ(rig.Err.str(), "Cannot create file " + out + "\n");

  Rig none;
  none.Machine.Available = false;
  EXPECT_EQ(none.Apply({"--save-cpuid", (none.Dir / "x.txt").string()}), ExitCannotWrite);
  EXPECT_FALSE(fs::exists(none.Dir / "x.txt"));
}

} // namespace qv
