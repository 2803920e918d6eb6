#pragma once
#include <cstdint>
#include <cstring>
#include <vector>

#include "cpu/CpuLoad.h"

namespace qv {

// Builds performance data blocks in the system's published layout, for the load monitor's tests
// and the fuzzer's seeds.
struct PerfObjectSpec {
  uint32_t TitleIndex = 238;
  std::vector<uint32_t> Counters = {6}; // counter title indices, in order
  std::vector<int64_t> Values;          // per instance: the value of the counter titled 6
  uint32_t Padding = 0;                 // extra bytes at the end of the object
};

inline void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); }
inline void PutI64(std::vector<uint8_t>& b, size_t at, int64_t v) { std::memcpy(&b[at], &v, 8); }

inline std::vector<uint8_t> MakePerfBlock(const std::vector<PerfObjectSpec>& objects,
                                          PerfSystemTime time = {2026, 3, 4, 5, 9, 0, 1, 0}) {
  std::vector<uint8_t> b(88, 0);
  std::memcpy(&b[0], "P\0E\0R\0F\0", 8);
  PutU32(b, 8, 1);
  PutU32(b, 24, 88);
  PutU32(b, 28, static_cast<uint32_t>(objects.size()));
  uint16_t st[8] = {time.Year, time.Month,  time.DayOfWeek, time.Day,
                    time.Hour, time.Minute, time.Second,    time.Milliseconds};
  std::memcpy(&b[36], st, 16);
  for (const PerfObjectSpec& o : objects) {
    size_t object = b.size();
    size_t counters = o.Counters.size();
    size_t definition = 64 + 40 * counters;
    b.resize(object + definition, 0);
    PutU32(b, object + 4, static_cast<uint32_t>(definition));
    PutU32(b, object + 8, 64);
    PutU32(b, object + 12, o.TitleIndex);
    PutU32(b, object + 32, static_cast<uint32_t>(counters));
    PutU32(b, object + 40, static_cast<uint32_t>(o.Values.size()));
    for (size_t c = 0; c < counters; ++c) {
      size_t d = object + 64 + 40 * c;
      PutU32(b, d, 40);
      PutU32(b, d + 4, o.Counters[c]);
      PutU32(b, d + 32, 8);
      PutU32(b, d + 36, static_cast<uint32_t>(8 + 8 * c)); // after the block's length and padding
    }
    for (size_t i = 0; i < o.Values.size(); ++i) {
      size_t instance = b.size();
      size_t blockLength = 8 + 8 * counters;
      b.resize(instance + 32 + blockLength, 0);
      PutU32(b, instance, 32); // definition and a short name
      PutU32(b, instance + 16, 24);
      PutU32(b, instance + 20, 4);
      b[instance + 24] = static_cast<uint8_t>('0' + i % 10);
      size_t block = instance + 32;
      PutU32(b, block, static_cast<uint32_t>(blockLength));
      for (size_t c = 0; c < counters; ++c)
        PutI64(b, block + 8 + 8 * c, o.Counters[c] == 6 ? o.Values[i] : 0x0BADBADBADBADBADll);
    }
    b.resize(b.size() + o.Padding, 0);
    PutU32(b, object, static_cast<uint32_t>(b.size() - object));
  }
  PutU32(b, 20, static_cast<uint32_t>(b.size()));
  return b;
}

} // namespace qv
