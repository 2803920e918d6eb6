#pragma once
#include <string>

namespace qv {

// Spells a duration out from centuries down to seconds: "1 Day, 2 Hours, 0 Minutes, 5 Seconds.".
// A year is 365.5 days, a month 31 days, a century 100 such years. The phrase starts at the first
// unit that is not 0 (at centuries when ShowAllUnits) and every later unit is printed. Seconds
// show two decimals unless WholeSeconds, which cuts the fraction off; the decimal separator is the
// user's.
//
// The century count is not held to 16 bits: 65536 centuries or more print their full count, so a
// long duration never wraps round to a short phrase. Seconds below 0, infinite or not a number are
// an ERangeError.
std::string FormatSeconds(double Seconds, bool WholeSeconds, bool ShowAllUnits,
                          const std::string& decimalSeparator = ".");

} // namespace qv
