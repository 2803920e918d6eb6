#pragma once
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace qv::fuzz {

// A fuzz target as the native tests know it: its name (the file name in tests/fuzz) and its
// entry point, renamed from LLVMFuzzerTestOneInput.
struct ReplayTarget {
  std::string Name;
  int (*TestOneInput)(const uint8_t* data, size_t size);
};
const std::vector<ReplayTarget>& ReplayTargets();

// Test names and messages show the target by its name.
inline void PrintTo(const ReplayTarget& target, std::ostream* out) { *out << target.Name; }

} // namespace qv::fuzz
