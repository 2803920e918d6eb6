// Every seed and every saved crash input of every fuzz target, replayed through the target's own
// checks, so a finding once fixed stays fixed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "../fuzz/FuzzInput.h"
#include "FuzzReplay.h"

namespace qv::fuzz {
namespace {

namespace fs = std::filesystem;

// tests/fuzz/<target>/, searched through (seeds/, corpus/ and crashes/ by convention), and the older
// tests/fuzz/<name>-seeds/ (name: the target's in lower case without "Fuzz").
std::vector<fs::path> InputsOf(const std::string& target) {
  std::string name = target.substr(0, target.size() - (target.ends_with("Fuzz") ? 4 : 0));
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::vector<fs::path> files;
  for (const fs::path& folder : {fs::path(QUORVEL_FUZZ_DIR) / target, fs::path(QUORVEL_FUZZ_DIR) / (name + "-seeds")}) {
    if (!fs::is_directory(folder)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
      if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string Replay(const ReplayTarget& target, const std::vector<uint8_t>& bytes) {
  try {
    // An exact-size copy, as the fuzzer hands it over.
    std::vector<uint8_t> copy(bytes);
    static const uint8_t none = 0;
    target.TestOneInput(copy.empty() ? &none : copy.data(), copy.size());
  } catch (const CheckFailure& failure) {
    return failure.What;
  } catch (const std::exception& e) {
    return std::string("exception: ") + e.what();
  }
  return "";
}

class FuzzReplay : public testing::TestWithParam<ReplayTarget> {};

TEST_P(FuzzReplay, EverySavedInputPassesTheTargetsChecks) {
  const ReplayTarget& target = GetParam();
  EXPECT_EQ(Replay(target, {}), "") << "empty input";
  const auto files = InputsOf(target.Name);
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(Replay(target, bytes), "") << file;
  }
  if (files.empty()) GTEST_SKIP() << "no saved inputs in tests/fuzz/" << target.Name << "/";
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, testing::ValuesIn(ReplayTargets()),
                         [](const testing::TestParamInfo<ReplayTarget>& info) { return info.param.Name; });

TEST(FuzzReplaySetup, FindsTheTargetsAndTheirInputs) {
  // The two oldest targets and their seeds: proof that the glob and the folders line up.
  std::vector<std::string> names;
  for (const auto& target : ReplayTargets()) names.push_back(target.Name);
  EXPECT_NE(std::find(names.begin(), names.end(), "PerfDataFuzz"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "CpuidDumpFuzz"), names.end());
  EXPECT_GE(InputsOf("PerfDataFuzz").size(), 4u);
  EXPECT_GE(InputsOf("CpuidDumpFuzz").size(), 7u);
}

} // namespace
} // namespace qv::fuzz
