#include "app/HelpFile.h"

#include <gtest/gtest.h>

namespace qv {

TEST(HelpFile, FollowsTheProgramsOwnName) {
  EXPECT_EQ(HelpFileFor("C:\\Tools\\Quorvel.exe"), "C:\\Tools\\Quorvel.hlp");
  EXPECT_EQ(HelpFileFor("C:\\Tools\\sysinfo.EXE"), "C:\\Tools\\sysinfo.hlp");
  EXPECT_EQ(HelpFileFor("C:\\My.Tools\\quorvel"), "C:\\My.Tools\\quorvel.hlp"); // a dot in a folder only
  EXPECT_EQ(HelpFileFor("C:\\a\\b.c.exe"), "C:\\a\\b.c.hlp");
}

} // namespace qv
