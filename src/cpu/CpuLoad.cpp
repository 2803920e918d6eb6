#include "cpu/CpuLoad.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "core/Errors.h"
#include "core/Rounding.h"

namespace qv {

const char* const ProcessorObjectMissing = "Unable to locate the \"Processor\" performance object";
const char* const ProcessorCounterMissing = "Unable to locate the \"% of CPU usage\" performance counter";

namespace {

const char* const IndexOutOfBounds = "CPU index out of bounds";

// Byte offsets in the published layout (winperf.h), the same for 32- and 64-bit Windows.
namespace DataBlock {
constexpr size_t HeaderLength = 24, NumObjectTypes = 28, SystemTime = 36, End = 52;
}
namespace ObjectType {
constexpr size_t TotalByteLength = 0, DefinitionLength = 4, HeaderLength = 8, ObjectNameTitleIndex = 12,
                 NumCounters = 32, NumInstances = 40, End = 44;
}
namespace CounterDefinition {
constexpr size_t ByteLength = 0, CounterNameTitleIndex = 4, CounterOffset = 36, End = 40;
}
namespace InstanceDefinition {
constexpr size_t ByteLength = 0, End = 4;
}
namespace CounterBlock {
constexpr size_t ByteLength = 0, End = 4;
}

// Bounds-checked little-endian reads: offsets are 64-bit so that no sum of untrusted lengths can
// wrap around to a small value.
class Block {
public:
  Block(const uint8_t* data, size_t size) : Data(data), Size(size) {}
  bool Holds(uint64_t offset, uint64_t length) const { return offset <= Size && length <= Size - offset; }
  uint32_t U32(uint64_t offset) const {
    uint32_t v;
    std::memcpy(&v, Data + offset, 4);
    return v;
  }
  uint16_t U16(uint64_t offset) const {
    uint16_t v;
    std::memcpy(&v, Data + offset, 2);
    return v;
  }
  int64_t I64(uint64_t offset) const {
    int64_t v;
    std::memcpy(&v, Data + offset, 8);
    return v;
  }

private:
  const uint8_t* Data;
  size_t Size;
};

} // namespace

int LoadBarPosition(double fraction) {
  double percent = fraction * 100.0;
  if (std::isnan(percent)) return 0;
  if (percent >= 1e9) return 1000000000;
  if (percent <= -1e9) return -1000000000;
  return static_cast<int>(RoundHalfEven(percent));
}

PerfProcessorSample ParsePerfData(const uint8_t* data, size_t size, int instanceCount) {
  Block b(data, size);
  if (!b.Holds(0, DataBlock::End)) throw Exception(ProcessorObjectMissing);
  PerfProcessorSample sample;
  for (int i = 0; i < 8; ++i) {
    uint16_t v = b.U16(DataBlock::SystemTime + 2 * i);
    uint16_t* fields[8] = {&sample.SystemTime.Year,   &sample.SystemTime.Month,       &sample.SystemTime.DayOfWeek,
                           &sample.SystemTime.Day,    &sample.SystemTime.Hour,        &sample.SystemTime.Minute,
                           &sample.SystemTime.Second, &sample.SystemTime.Milliseconds};
    *fields[i] = v;
  }

  // The "Processor" object: at most NumObjectTypes objects, each TotalByteLength after the last.
  uint64_t object = b.U32(DataBlock::HeaderLength);
  uint32_t objectCount = b.U32(DataBlock::NumObjectTypes);
  bool found = false;
  for (uint32_t i = 0; i < objectCount; ++i) {
    if (!b.Holds(object, ObjectType::End)) break;
    if (b.U32(object + ObjectType::ObjectNameTitleIndex) == ProcessorObjectIndex) {
      found = true;
      break;
    }
    uint32_t length = b.U32(object + ObjectType::TotalByteLength);
    if (length == 0) break; // every later step would land on this same object
    object += length;
  }
  if (!found) throw Exception(ProcessorObjectMissing);

  int32_t declared = static_cast<int32_t>(b.U32(object + ObjectType::NumInstances));
  // An object without instances declares -1; it has no processor to read.
  int count = instanceCount >= 0 ? instanceCount : (declared > 0 ? declared : 0);

  // The processor-time counter among its definitions.
  uint64_t counter = object + b.U32(object + ObjectType::HeaderLength);
  uint32_t counterCount = b.U32(object + ObjectType::NumCounters);
  bool counterFound = false;
  for (uint32_t i = 0; i < counterCount; ++i) {
    if (!b.Holds(counter, CounterDefinition::End)) break;
    if (b.U32(counter + CounterDefinition::CounterNameTitleIndex) == ProcessorTimeCounterIndex) {
      counterFound = true;
      break;
    }
    uint32_t length = b.U32(counter + CounterDefinition::ByteLength);
    if (length == 0) break;
    counter += length;
  }
  if (!counterFound) throw Exception(ProcessorCounterMissing);
  uint32_t counterOffset = b.U32(counter + CounterDefinition::CounterOffset);

  // The instances: each definition is followed by its counter block, which is followed by the
  // next instance. Every value must lie inside the block; a block too short for the instances it
  // is asked for holds no counter for them. Checking before reserving keeps a huge declared count
  // from reserving memory the block cannot fill.
  uint64_t instance = object + b.U32(object + ObjectType::DefinitionLength);
  for (int i = 0; i < count; ++i) {
    // A record shorter than its own length field is malformed; requiring that much also makes
    // every step move forward, so the walk ends within the block whatever count it is asked for.
    if (!b.Holds(instance, InstanceDefinition::End)) throw Exception(ProcessorCounterMissing);
    uint32_t instanceLength = b.U32(instance + InstanceDefinition::ByteLength);
    if (instanceLength < InstanceDefinition::End) throw Exception(ProcessorCounterMissing);
    uint64_t block = instance + instanceLength;
    if (!b.Holds(block, CounterBlock::End) || !b.Holds(block + counterOffset, 8))
      throw Exception(ProcessorCounterMissing);
    uint32_t blockLength = b.U32(block + CounterBlock::ByteLength);
    if (blockLength < CounterBlock::End) throw Exception(ProcessorCounterMissing);
    sample.Idle.push_back(b.I64(block + counterOffset));
    instance = block + blockLength;
  }
  return sample;
}

CpuLoadPlatform SelectCpuLoadPlatform(bool versionRead, uint32_t platformId, IdleTimeReader* wineIdleTimes,
                                      PerfDataReader* perfData, DynDataRegistry* dynData) {
  if (!versionRead) throw Exception("Can't get the Windows version");
  CpuLoadPlatform p;
  p.IsWinNT = platformId == 2;
  if (wineIdleTimes)
    p.IdleTimes = wineIdleTimes;
  else if (p.IsWinNT)
    p.PerfData = perfData;
  else
    p.DynData = dynData;
  return p;
}

TCpuLoadMonitor::TCpuLoadMonitor(const CpuLoadPlatform& platform)
    : IsWinNT(platform.IsWinNT), PerfBuffer(8192, 0), Platform(platform) {}

int TCpuLoadMonitor::CpuLoadInstanceCount() {
  if (!IsWinNT && !Platform.IdleTimes) return 1;
  if (InstanceCount == -1) SampleCpuLoad();
  return InstanceCount;
}

void TCpuLoadMonitor::SampleCpuLoad() {
  if (Platform.IdleTimes)
    SampleIdleTimes();
  else if (IsWinNT)
    SamplePerfData();
  else
    SampleWin9x();
}

void TCpuLoadMonitor::StoreSample(const std::vector<int64_t>& idle, int64_t time, bool timeValid) {
  bool first = InstanceCount == -1;
  if (first) {
    InstanceCount = static_cast<int>(idle.size());
    CurrentIdle.assign(idle.size(), 0);
    PreviousIdle.assign(idle.size(), 0);
  }
  PreviousIdle = CurrentIdle;
  for (int i = 0; i < InstanceCount; ++i) CurrentIdle[i] = idle[i];
  PreviousTime = CurrentTime;
  // A time the system cannot convert keeps the last stamp, so this interval reads as 0.
  if (timeValid) CurrentTime = time;
  // With one sample there is no interval yet: the first sample is its own predecessor, so the
  // load reads 0 rather than the share of all time since boot.
  if (first) {
    PreviousIdle = CurrentIdle;
    PreviousTime = CurrentTime;
  }
}

void TCpuLoadMonitor::SamplePerfData() {
  uint32_t received = PerfBufferSize;
  for (;;) {
    uint32_t size = PerfBufferSize;
    long status = Platform.PerfData->QueryPerformanceData("238", PerfBuffer.data(), size);
    if (status == 234 && PerfBufferSize + 4096 <= MaxPerfBufferSize) {
      PerfBufferSize += 4096;
      PerfBuffer.resize(PerfBufferSize, 0);
      continue;
    }
    // Any other answer is taken as done. Only a success says how many bytes are new; otherwise
    // the buffer is parsed as it stands.
    received = status == 0 && size <= PerfBufferSize ? size : PerfBufferSize;
    break;
  }
  PerfProcessorSample sample = ParsePerfData(PerfBuffer.data(), received, InstanceCount);
  int64_t time = 0;
  bool valid = Platform.PerfData->SystemTimeToFileTime(sample.SystemTime, time);
  StoreSample(sample.Idle, time, valid);
}

void TCpuLoadMonitor::SampleIdleTimes() {
  std::vector<int64_t> idle;
  int64_t time = 0;
  if (!Platform.IdleTimes->ReadIdleTimes(idle, time) || idle.empty()) throw Exception(ProcessorObjectMissing);
  // A summary instance follows the processors, as the "Processor" object has one: the mean idle
  // time, so its load is the mean load.
  int64_t sum = 0;
  for (int64_t v : idle) sum += v / static_cast<int64_t>(idle.size());
  idle.push_back(sum);
  if (InstanceCount != -1 && idle.size() < static_cast<size_t>(InstanceCount)) throw Exception(ProcessorCounterMissing);
  if (InstanceCount != -1 && idle.size() > static_cast<size_t>(InstanceCount)) idle.resize(InstanceCount);
  StoreSample(idle, time, true);
}

void TCpuLoadMonitor::SampleWin9x() {
  if (!StatsStarted) {
    // Reading the start key is what starts the kernel's statistic.
    std::unique_ptr<DynDataKey> start = Platform.DynData->Open("PerfStats\\StartStat", KeyAllAccess);
    if (!start) throw Exception("Unable to start performance monitoring");
    start->ReadValue("KERNEL\\CPUUsage", Win9xLoad);
    start.reset();
    StatDataKey = Platform.DynData->Open("PerfStats\\StatData", KeyRead);
    if (!StatDataKey) throw Exception("Unable to read performance data");
    StatsStarted = true;
  }
  StatDataKey->ReadValue("KERNEL\\CPUUsage", Win9xLoad);
}

double TCpuLoadMonitor::CpuLoadFraction(int index) {
  if (!IsWinNT && !Platform.IdleTimes) {
    if (index != 0) throw Exception(IndexOutOfBounds);
    if (!StatsStarted) SampleCpuLoad();
    return Win9xLoad / 100.0;
  }
  if (InstanceCount == -1) SampleCpuLoad();
  if (index < 0 || index >= InstanceCount) throw Exception(IndexOutOfBounds);
  if (CurrentTime == PreviousTime) return 0;
  // Differences taken modulo 2^64 so that untrusted counters cannot overflow.
  auto diff = [](int64_t a, int64_t b) {
    return static_cast<double>(static_cast<int64_t>(static_cast<uint64_t>(a) - static_cast<uint64_t>(b)));
  };
  return 1.0 - diff(CurrentIdle[index], PreviousIdle[index]) / diff(CurrentTime, PreviousTime);
}

void TCpuLoadMonitor::StopCpuLoadSampling() {
  if (IsWinNT || Platform.IdleTimes || !StatsStarted) return;
  StatsStarted = false;
  StatDataKey.reset();
  std::unique_ptr<DynDataKey> stop = Platform.DynData->Open("PerfStats\\StopStat", KeyAllAccess);
  if (stop) stop->ReadValue("KERNEL\\CPUUsage", Win9xLoad);
}

} // namespace qv
