#include "core/MessageText.h"

#include <gtest/gtest.h>

namespace qv {

TEST(BreakLongRuns, BreaksLongPathsAfterASeparatorAndLeavesWordsAlone) {
  EXPECT_EQ(BreakLongRuns("Cannot create file C:\\a.txt", 10), "Cannot create file C:\\a.txt");
  EXPECT_EQ(BreakLongRuns("Cannot create file C:\\aaaa\\bbbb\\cccc.txt", 12),
            "Cannot create file C:\\aaaa\\\nbbbb\\\ncccc.txt");
  // No separator: at the width; a blank or a line end starts a new count.
  EXPECT_EQ(BreakLongRuns("x abcdefghij\nklmnopqrst", 4), "x abcd\nefgh\nij\nklmn\nopqr\nst");
  // Bytes above 0x7F may be halves of one character: never split between two of them.
  EXPECT_EQ(BreakLongRuns("ab\x82\xA0\x82\xA2"
                          "cd",
                          3),
            "ab\x82\xA0\x82\xA2"
            "c\nd");
  const std::string path = "Z:\\" + std::string(250, 'd') + "\\n.txt";
  for (size_t width : {40u, 64u}) {
    std::string broken = BreakLongRuns(path, width);
    size_t longest = 0, line = 0;
    for (char c : broken) line = c == '\n' ? 0 : line + 1, longest = std::max(longest, line);
    EXPECT_LE(longest, width);
    std::string joined;
    for (char c : broken)
      if (c != '\n') joined += c;
    EXPECT_EQ(joined, path);
  }
}

} // namespace qv
