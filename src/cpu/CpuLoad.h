#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// What the gathering pass and the refresh ask of the load monitor.
class CpuLoad {
public:
  virtual ~CpuLoad() = default;
  virtual int CpuLoadInstanceCount() = 0;
  virtual void SampleCpuLoad() = 0;
  // Load of processor `index` between the two latest samples, 0..1 (not clamped).
  virtual double CpuLoadFraction(int index) = 0;
};

// Bar position for a load fraction: fraction x 100 rounded, halves to even. A fraction far
// outside 0..1 gives a position outside 0..100 (which the bar ignores) without overflowing.
int LoadBarPosition(double fraction);

// The SYSTEMTIME of a performance data block.
struct PerfSystemTime {
  uint16_t Year = 0, Month = 0, DayOfWeek = 0, Day = 0, Hour = 0, Minute = 0, Second = 0, Milliseconds = 0;
};

// The values the monitor takes from one performance data block: the processor-time counter of
// each instance of the "Processor" object, and the block's time.
struct PerfProcessorSample {
  std::vector<int64_t> Idle;
  PerfSystemTime SystemTime;
};

constexpr uint32_t ProcessorObjectIndex = 238;
constexpr uint32_t ProcessorTimeCounterIndex = 6;
extern const char* const ProcessorObjectMissing;  // "Unable to locate the "Processor" performance object"
extern const char* const ProcessorCounterMissing; // "Unable to locate the "% of CPU usage" performance counter"

// Walks a performance data block of `size` bytes received from the system. `instanceCount` is the
// number of instances to read, or -1 for the number the object declares. The block is untrusted:
// a "Processor" object that is absent or does not lie inside the bytes raises the object message;
// a counter that is absent, or an instance or counter value outside the bytes, raises the counter
// message. Nothing is ever read outside [data, data + size).
PerfProcessorSample ParsePerfData(const uint8_t* data, size_t size, int instanceCount);

// The NT performance registry: RegQueryValueExA on HKEY_PERFORMANCE_DATA.
class PerfDataReader {
public:
  virtual ~PerfDataReader() = default;
  // Fills at most `size` bytes; returns the Windows status (0, 234 = more data, ...). On success
  // `size` holds the number of bytes written.
  virtual long QueryPerformanceData(const char* valueName, uint8_t* buffer, uint32_t& size) = 0;
  // SystemTimeToFileTime; false when the system rejects the time.
  virtual bool SystemTimeToFileTime(const PerfSystemTime& time, int64_t& fileTime) = 0;
};

// Under Wine: per-processor idle times and the system time, both in 100 ns units.
class IdleTimeReader {
public:
  virtual ~IdleTimeReader() = default;
  // False when the system cannot answer.
  virtual bool ReadIdleTimes(std::vector<int64_t>& idle, int64_t& systemTime) = 0;
};

// A key under HKEY_DYN_DATA (Windows 95/98/Me); closed when destroyed.
class DynDataKey {
public:
  virtual ~DynDataKey() = default;
  // Reads a 4-byte value; leaves `value` as it was when the read fails.
  virtual void ReadValue(const char* name, uint32_t& value) = 0;
};

class DynDataRegistry {
public:
  virtual ~DynDataRegistry() = default;
  // Null when the key cannot be opened.
  virtual std::unique_ptr<DynDataKey> Open(const char* subKey, uint32_t access) = 0;
};

constexpr uint32_t KeyAllAccess = 0xF003F;
constexpr uint32_t KeyRead = 0x20019;

// Which source the monitor samples, chosen once at start-up.
struct CpuLoadPlatform {
  bool IsWinNT = true;
  PerfDataReader* PerfData = nullptr;  // NT
  IdleTimeReader* IdleTimes = nullptr; // Wine: used instead of the others, whatever version it reports
  DynDataRegistry* DynData = nullptr;  // 95/98/Me
};

// Chooses the source from what start-up found: Wine's idle times when running under Wine (null
// otherwise), whatever Windows version it reports; else the performance data on the NT family
// (platform id 2) and the dynamic data on 95/98/Me. A version that could not be read raises
// "Can't get the Windows version".
CpuLoadPlatform SelectCpuLoadPlatform(bool versionRead, uint32_t platformId, IdleTimeReader* wineIdleTimes,
                                      PerfDataReader* perfData, DynDataRegistry* dynData);

// The load monitor's module state and its operations. Errors are Exceptions with fixed texts.
class TCpuLoadMonitor : public CpuLoad {
public:
  explicit TCpuLoadMonitor(const CpuLoadPlatform& platform);

  int CpuLoadInstanceCount() override;
  void SampleCpuLoad() override;
  double CpuLoadFraction(int index) override;
  // Stops the 95/98/Me statistic; nothing on NT.
  void StopCpuLoadSampling();

  // The growing buffer stops growing here and is parsed as it is, so a system that keeps asking
  // for more cannot make a sample loop for ever.
  static constexpr uint32_t MaxPerfBufferSize = 16u << 20;

  bool IsWinNT;
  std::vector<uint8_t> PerfBuffer;
  uint32_t PerfBufferSize = 8192;
  int InstanceCount = -1;
  std::vector<int64_t> CurrentIdle, PreviousIdle;
  int64_t CurrentTime = 0, PreviousTime = 0;
  bool StatsStarted = false;
  std::unique_ptr<DynDataKey> StatDataKey;
  uint32_t Win9xLoad = 0;

private:
  void SamplePerfData();
  void SampleIdleTimes();
  void SampleWin9x();
  void StoreSample(const std::vector<int64_t>& idle, int64_t time, bool timeValid);
  CpuLoadPlatform Platform;
};

} // namespace qv
