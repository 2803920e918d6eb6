#include "fields/SystemTexts.h"

#include <gtest/gtest.h>

namespace qv {

TEST(MemoryText, StepsUpOnlyPastTheThousandAndTwentyFourth) {
  EXPECT_EQ(MemoryText(1048576), "1024 Kb"); // 1024 is not more than 1024
  EXPECT_EQ(MemoryText(1049600), "1 Mb");
  EXPECT_EQ(MemoryText(268435456), "256 Mb");
  EXPECT_EQ(MemoryText(1073741824), "1024 Mb");
  EXPECT_EQ(MemoryText(1074790400), "1 Gb");
  EXPECT_EQ(MemoryText(4294967295u), "3 Gb");
  EXPECT_EQ(MemoryText(0), "0 Kb");
  EXPECT_EQ(MemoryText(1023), "0 Kb");
}

TEST(MemoryText, SixtyFourBitCountsKeepTheSameSteps) {
  EXPECT_EQ(MemoryText(4294967296ull), "4 Gb");       // 2^32: past the old 32-bit count
  EXPECT_EQ(MemoryText(25125558682ull), "23 Gb");     // 23.4 GiB
  EXPECT_EQ(MemoryText(1099511627776ull), "1024 Gb"); // Gb is the last step
  EXPECT_EQ(MemoryText(UINT64_MAX), "17179869183 Gb");
  EXPECT_EQ(PhysicalMemoryText({25125558682ull, 3221225472ull}), "23 Gb [3 Gb free]");
  // The share in use stays exact when the counts no longer fit 32 bits.
  EXPECT_EQ(MemoryInUsePercent({1ull << 44, 1ull << 42}), 75);
  EXPECT_EQ(MemoryInUsePercent({UINT64_MAX, UINT64_MAX / 2}), 50);
  EXPECT_EQ(MemoryInUsePercent({25125558682ull, 251255587ull}), 99); // 0.999... % free rounds to 1
}

TEST(MemoryText, FreePartHasItsOwnUnit) {
  EXPECT_EQ(PhysicalMemoryText({268435456, 100000000}), "256 Mb [95 Mb free]");
  EXPECT_EQ(PhysicalMemoryText({4294967295u, 943718400}), "3 Gb [900 Mb free]");
  EXPECT_EQ(PhysicalMemoryText({4294967295u, 900000}), "3 Gb [878 Kb free]");
}

TEST(MemoryText, InUsePercentRoundsHalvesToEven) {
  EXPECT_EQ(MemoryInUsePercent({268435456, 100000000}), 63); // 37.25 % free
  EXPECT_EQ(MemoryInUsePercent({200, 1}), 100);              // 0.5 % free rounds to 0
  EXPECT_EQ(MemoryInUsePercent({200, 3}), 98);               // 1.5 % free rounds to 2
  EXPECT_EQ(MemoryInUsePercent({200, 200}), 0);
  EXPECT_EQ(MemoryInUsePercent({0, 0}), 0); // no division by zero
}

TEST(TimeAndDate, PaddingRules) {
  EXPECT_EQ(TimeText({2026, 3, 5, 9, 0, 1}), "9:00:01");
  EXPECT_EQ(DateText({2026, 3, 5, 9, 0, 1}), "05-03-2026");
  EXPECT_EQ(TimeText({2026, 12, 7, 14, 30, 0}), "14:30:00");
  EXPECT_EQ(TimeText({2026, 12, 7, 0, 5, 3}), "0:05:03");
  EXPECT_EQ(DateText({2026, 12, 7, 0, 0, 0}), "07-12-2026");
  EXPECT_EQ(DateText({999, 1, 31, 0, 0, 0}), "31-01-999");
}

} // namespace qv
