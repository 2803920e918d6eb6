#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// Physical memory in bytes. 64-bit: machines have far more than the 4 GB that 32-bit counts hold.
struct MemoryStatus {
  uint64_t TotalPhys = 0;
  uint64_t AvailPhys = 0;
};

struct LocalDateTime {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

// "256 Mb": Kb, stepping to Mb and then Gb only while the number exceeds 1024.
std::string MemoryText(uint64_t bytes);
// "256 Mb [95 Mb free]"
std::string PhysicalMemoryText(const MemoryStatus& m);
// Memory in use, percent: 100 - round(avail / total * 100), halves to even.
// A total of 0 bytes gives 0 rather than a division by zero.
int MemoryInUsePercent(const MemoryStatus& m);
// "9:05:03"
std::string TimeText(const LocalDateTime& t);
// "07-12-2026"
std::string DateText(const LocalDateTime& t);
// The UTC date and time of a count of seconds since 1 January 1970.
LocalDateTime DateTimeFromUnixSeconds(uint32_t seconds);
// "2026-12-07T09:05:03"
std::string IsoDateTimeText(const LocalDateTime& t);
// "00:A0:C9:12:34:56": a hardware address, two upper-case hexadecimal digits a byte.
std::string HardwareAddressText(const std::vector<uint8_t>& bytes);

} // namespace qv
