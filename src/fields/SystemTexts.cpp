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
