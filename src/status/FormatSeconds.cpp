#include "status/FormatSeconds.h"

#include <cmath>
#include <cstdio>

#include "core/Errors.h"

namespace qv {

namespace {

struct DurationUnit {
  double Length;
  const char* Singular;
  const char* Plural;
};

const DurationUnit DurationUnits[7] = {
    {3157920000.0, " Century, ", " Centuries, "},
    {31579200.0, " Year, ", " Years, "},
    {2678400.0, " Month, ", " Months, "},
    {604800.0, " Week, ", " Weeks, "},
    {86400.0, " Day, ", " Days, "},
    {3600.0, " Hour, ", " Hours, "},
    {60.0, " Minute, ", " Minutes, "},
};

std::string Decimal(double value, const char* format, const std::string& separator) {
  char buf[400];
  std::snprintf(buf, sizeof buf, format, value);
  std::string text = buf;
  auto dot = text.find('.');
  if (dot != std::string::npos) text.replace(dot, 1, separator);
  return text;
}

} // namespace

std::string FormatSeconds(double Seconds, bool WholeSeconds, bool ShowAllUnits, const std::string& decimalSeparator) {
  if (!(Seconds >= 0) || std::isinf(Seconds)) throw ERangeError("Duration out of range");

  // fmod is exact, so each count is a whole number and what remains is never negative.
  double counts[7];
  double rest = Seconds;
  for (int i = 0; i < 7; ++i) {
    double left = std::fmod(rest, DurationUnits[i].Length);
    counts[i] = std::round((rest - left) / DurationUnits[i].Length);
    rest = left;
  }
  if (WholeSeconds) rest = std::trunc(rest);

  int start = 7; // the seconds alone
  if (ShowAllUnits || counts[0] != 0) {
    start = 0;
  } else {
    for (int i = 1; i < 7; ++i)
      if (counts[i] != 0) {
        start = i;
        break;
      }
  }

  std::string phrase;
  for (int i = start; i < 7; ++i)
    phrase += Decimal(counts[i], "%.0f", ".") + (counts[i] == 1 ? DurationUnits[i].Singular : DurationUnits[i].Plural);
  phrase += Decimal(rest, WholeSeconds ? "%.0f" : "%.2f", decimalSeparator);
  phrase += rest == 1.0 ? " Second." : " Seconds.";
  return phrase;
}

} // namespace qv
