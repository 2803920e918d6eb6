#include "fields/SystemTexts.h"

#include <cstdio>

#include "core/Rounding.h"

namespace qv {

std::string MemoryText(uint64_t bytes) {
  uint64_t n = bytes >> 10;
  const char* unit = "Kb";
  if (n > 1024) {
    n = bytes >> 20;
    unit = "Mb";
    if (n > 1024) {
      n = bytes >> 30;
      unit = "Gb";
    }
  }
  return std::to_string(n) + " " + unit;
}

std::string PhysicalMemoryText(const MemoryStatus& m) {
  return MemoryText(m.TotalPhys) + " [" + MemoryText(m.AvailPhys) + " free]";
}

int MemoryInUsePercent(const MemoryStatus& m) {
  if (m.TotalPhys == 0) return 0;
  return 100 - static_cast<int>(RoundHalfEven(static_cast<double>(m.AvailPhys) / m.TotalPhys * 100.0));
}

static std::string TwoDigits(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", n);
  return buf;
}

std::string TimeText(const LocalDateTime& t) {
  return std::to_string(t.Hour) + ":" + TwoDigits(t.Minute) + ":" + TwoDigits(t.Second);
}

std::string DateText(const LocalDateTime& t) {
  return TwoDigits(t.Day) + "-" + TwoDigits(t.Month) + "-" + std::to_string(t.Year);
}

LocalDateTime DateTimeFromUnixSeconds(uint32_t seconds) {
  // Days to a civil date, counted from 1 March 0000 so that the leap day ends each year.
  const int64_t days = seconds / 86400 + 719468;
  const int64_t era = days / 146097, dayOfEra = days % 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  const uint32_t second = seconds % 86400;
  return {year,
          month,
          day,
          static_cast<int>(second / 3600),
          static_cast<int>(second / 60 % 60),
          static_cast<int>(second % 60)};
}

std::string IsoDateTimeText(const LocalDateTime& t) {
  return std::to_string(t.Year) + "-" + TwoDigits(t.Month) + "-" + TwoDigits(t.Day) + "T" + TwoDigits(t.Hour) + ":" +
         TwoDigits(t.Minute) + ":" + TwoDigits(t.Second);
}

std::string HardwareAddressText(const std::vector<uint8_t>& bytes) {
  const char* digits = "0123456789ABCDEF";
  std::string text;
  for (uint8_t b : bytes) {
    if (!text.empty()) text += ':';
    text += digits[b >> 4];
    text += digits[b & 15];
  }
  return text;
}

} // namespace qv
