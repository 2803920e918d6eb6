#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "probes/Memory_win32.h"

namespace qv {

namespace {

// The kernel's own count of physical memory, in bytes, read through Wine's Z: drive; 0 on Windows.
uint64_t HostMemTotal() {
  FILE* f = std::fopen("Z:\\proc\\meminfo", "r");
  if (!f) return 0;
  char line[256];
  unsigned long long kb = 0;
  while (std::fgets(line, sizeof line, f))
    if (std::sscanf(line, "MemTotal: %llu kB", &kb) == 1) break;
  std::fclose(f);
  return kb * 1024;
}

std::string LastLookup;
FARPROC Absent(const char* name) {
  LastLookup = name;
  return nullptr;
}

} // namespace

TEST(Memory, SixtyFourBitCountsMatchTheHostInWholeGigabytes) {
  MemoryStatus m = ReadMemoryStatus();
  ASSERT_GT(m.TotalPhys, 0u);
  EXPECT_LE(m.AvailPhys, m.TotalPhys);
  uint64_t host = HostMemTotal();
  if (host == 0) GTEST_SKIP() << "not under Wine: no /proc/meminfo to compare with";
  EXPECT_EQ(MemoryText(m.TotalPhys), MemoryText(host));
  // Beyond 4 GB the 32-bit program must not stop at the old cap either.
  if (host > 0xFFFFFFFFull) EXPECT_GT(m.TotalPhys, 0xFFFFFFFFull);
}

TEST(Memory, WithoutTheExFunctionTheOldCallAnswers) {
  MemoryStatus m = ReadMemoryStatus(Absent);
  EXPECT_EQ(LastLookup, "GlobalMemoryStatusEx");
  MEMORYSTATUS old{};
  old.dwLength = sizeof old;
  GlobalMemoryStatus(&old);
  EXPECT_EQ(m.TotalPhys, static_cast<uint64_t>(old.dwTotalPhys));
  EXPECT_GT(m.TotalPhys, 0u);
  EXPECT_LE(m.AvailPhys, m.TotalPhys);
  if (sizeof(void*) == 4) EXPECT_LE(m.TotalPhys, 0xFFFFFFFFull); // the 32-bit call's own limit
  // The 64-bit program's old call has pointer-sized counts: no cap, the host's whole memory.
  uint64_t host = HostMemTotal();
  if (sizeof(void*) == 8 && host != 0) EXPECT_EQ(MemoryText(m.TotalPhys), MemoryText(host));
}

} // namespace qv
