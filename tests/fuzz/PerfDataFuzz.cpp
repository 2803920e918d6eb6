// Arbitrary bytes as a performance data block: the walk must end in a sample or in one of its two
// messages, never read outside the bytes it was given.
#include <cstring>
#include <vector>

#include "FuzzInput.h"
#include "core/Errors.h"
#include "cpu/CpuLoad.h"

namespace {

class BytesPerfData : public qv::PerfDataReader {
public:
  BytesPerfData(const uint8_t* data, size_t size) : Data(data), Size(size) {}
  long QueryPerformanceData(const char*, uint8_t* buffer, uint32_t& size) override {
    if (Size > size) return 234;
    std::memcpy(buffer, Data, Size);
    size = static_cast<uint32_t>(Size);
    return 0;
  }
  bool SystemTimeToFileTime(const qv::PerfSystemTime& t, int64_t& fileTime) override {
    fileTime = t.Second * 10000000ll + t.Milliseconds;
    return t.Month != 0;
  }

private:
  const uint8_t* Data;
  size_t Size;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exact-size copy, so that a read one byte past the block is caught.
  std::vector<uint8_t> block(data, data + size);
  for (int count : {-1, 1, 3}) {
    try {
      qv::PerfProcessorSample s = qv::ParsePerfData(block.data(), block.size(), count);
      FUZZ_CHECK(count < 0 || s.Idle.size() == static_cast<size_t>(count));
    } catch (const qv::Exception&) {
    }
  }
  // The monitor over the same block, twice: buffer growth, first-sample bookkeeping, the formula.
  BytesPerfData perf(data, size);
  qv::CpuLoadPlatform platform;
  platform.PerfData = &perf;
  qv::TCpuLoadMonitor monitor(platform);
  for (int round = 0; round < 2; ++round) {
    try {
      monitor.SampleCpuLoad();
      for (int i = 0; i < monitor.InstanceCount && i < 4; ++i) qv::LoadBarPosition(monitor.CpuLoadFraction(i));
    } catch (const qv::Exception&) {
    }
  }
  return 0;
}
