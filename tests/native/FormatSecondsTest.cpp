#include <gtest/gtest.h>

#include "core/Errors.h"
#include "status/FormatSeconds.h"

namespace qv {

TEST(FormatSeconds, Examples) {
  struct Row {
    double Seconds;
    bool Whole, All;
    const char* Text;
  } rows[] = {
      {90061, true, false, "1 Day, 1 Hour, 1 Minute, 1 Second."},
      {3600, true, false, "1 Hour, 0 Minutes, 0 Seconds."},
      {59.5, false, false, "59.50 Seconds."},
      {59.5, true, false, "59 Seconds."},
      {0, true, true, "0 Centuries, 0 Years, 0 Months, 0 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds."},
      {31579200, true, false, "1 Year, 0 Months, 0 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds."},
      {31536000, true, false, "11 Months, 3 Weeks, 3 Days, 0 Hours, 0 Minutes, 0 Seconds."},
      {1, false, false, "1.00 Second."},
      {1.5, false, false, "1.50 Seconds."},
      {0, false, false, "0.00 Seconds."},
      {1.9, true, false, "1 Second."},
      {61, true, false, "1 Minute, 1 Second."},
      {120, true, false, "2 Minutes, 0 Seconds."},
      {1296000, true, false, "2 Weeks, 1 Day, 0 Hours, 0 Minutes, 0 Seconds."},
      {2678400, true, false, "1 Month, 0 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds."},
      {3157920000.0, true, false, "1 Century, 0 Years, 0 Months, 0 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds."},
      {2 * 3157920000.0 + 7, true, false,
       "2 Centuries, 0 Years, 0 Months, 0 Weeks, 0 Days, 0 Hours, 0 Minutes, 7 Seconds."},
      {90061.25, false, false, "1 Day, 1 Hour, 1 Minute, 1.25 Seconds."},
      {90061.25, false, true, "0 Centuries, 0 Years, 0 Months, 0 Weeks, 1 Day, 1 Hour, 1 Minute, 1.25 Seconds."},
      {604800 + 1, true, false, "1 Week, 0 Days, 0 Hours, 0 Minutes, 1 Second."},
  };
  for (const Row& r : rows) EXPECT_EQ(FormatSeconds(r.Seconds, r.Whole, r.All), r.Text) << r.Seconds;
}

TEST(FormatSeconds, SecondsUseTheUsersSeparator) {
  EXPECT_EQ(FormatSeconds(59.5, false, false, ","), "59,50 Seconds.");
  EXPECT_EQ(FormatSeconds(59.5, true, false, ","), "59 Seconds.");
}

TEST(FormatSeconds, CenturiesBeyondSixteenBitsKeepTheirCount) {
  const double century = 3157920000.0;
  EXPECT_EQ(FormatSeconds(65535 * century, true, false),
            "65535 Centuries, 0 Years, 0 Months, 0 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds.");
  EXPECT_EQ(FormatSeconds(65536 * century + 90061, true, false),
            "65536 Centuries, 0 Years, 0 Months, 0 Weeks, 1 Day, 1 Hour, 1 Minute, 1 Second.");
  EXPECT_EQ(FormatSeconds(1000000 * century + 31579200, true, false),
            "1000000 Centuries, 1 Year, 0 Months, 0 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds.");
}

TEST(FormatSeconds, DurationsOutsideTheRangeAreErrors) {
  for (double bad : {-1.0, -0.5, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
    EXPECT_THROW(FormatSeconds(bad, true, false), ERangeError) << bad;
  EXPECT_NO_THROW(FormatSeconds(1e300, false, false));
}

} // namespace qv
