#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "FieldPrint.h"
#include "core/Errors.h"
#include "cpu/Clock.h"
#include "cpu/CpuLoad.h"
#include "cpu/Cpuid.h"
#include "cpu/ProcessorSection.h"
#include "fields/FieldTable.h"

namespace qv {

// Leaf 0 registers for a 12-character vendor string (EBX, EDX, ECX, low byte first).
inline CpuidLeaf VendorLeaf(const std::string& vendor, uint32_t maxLeaf = 1) {
  auto word = [&](int at) {
    uint32_t w = 0;
    for (int i = 3; i >= 0; --i) w = w << 8 | static_cast<uint8_t>(vendor[at + i]);
    return w;
  };
  return {maxLeaf, word(0), word(8), word(4)};
}

// CPUID from a table of leaves; counts the reads that matter to the callers.
class FakeCpuid : public CpuidSource {
public:
  bool Available = true;
  std::map<uint32_t, CpuidLeaf> Leaves;
  int BrandReads = 0, ExtendedReads = 0, LeafReads = 0;

  FakeCpuid() = default;
  FakeCpuid(const std::string& vendor, uint32_t signature, uint32_t edx, uint32_t extEdx = 0, uint32_t ebx = 0) {
    Leaves[0] = VendorLeaf(vendor);
    Leaves[1] = {signature, ebx, 0, edx};
    Leaves[0x80000001u] = {0, 0, 0, extEdx};
  }
  bool CpuidAvailable() override { return Available; }
  CpuidLeaf ReadLeaf(uint32_t leaf) override {
    ++LeafReads;
    auto it = Leaves.find(leaf);
    return it == Leaves.end() ? CpuidLeaf{} : it->second;
  }
  uint32_t ReadBrandIndex() override {
    ++BrandReads;
    return ReadLeaf(1).Ebx;
  }
  uint32_t ReadExtendedFeatures() override {
    ++ExtendedReads;
    return ReadLeaf(0x80000001u).Edx;
  }
};

// A clock whose counter runs at a fixed rate during sleeps; records every call.
class ScriptedClock : public ClockSource {
public:
  uint64_t CounterPerMillisecond = 0;
  uint64_t Counter = 0;
  uint32_t Ticks = 0;
  uint32_t TickStep = 1; // each TickCount call moves the tick count on by this much
  uint32_t SavedClass = 0x20;
  int SavedThread = 0;
  std::vector<std::string> Calls;

  uint32_t PriorityClass() override {
    Calls.push_back("GetPriorityClass");
    return SavedClass;
  }
  int ThreadPriority() override {
    Calls.push_back("GetThreadPriority");
    return SavedThread;
  }
  void SetPriorityClass(uint32_t c) override { Calls.push_back("SetPriorityClass " + std::to_string(c)); }
  void SetThreadPriority(int p) override { Calls.push_back("SetThreadPriority " + std::to_string(p)); }
  void Sleep(uint32_t ms) override {
    Calls.push_back("Sleep " + std::to_string(ms));
    Counter += CounterPerMillisecond * ms;
  }
  uint32_t TickCount() override {
    uint32_t now = Ticks;
    Ticks += TickStep;
    Counter += CounterPerMillisecond * TickStep;
    return now;
  }
  uint64_t Rdtsc() override {
    Calls.push_back("RDTSC");
    return Counter;
  }
  // No performance counter: the nominal 500 ms divides.
  uint64_t PerformanceFrequency() override { return 0; }
  uint64_t PerformanceCounter() override { return 0; }
};

// Loads handed out from a table; records the calls.
class FakeLoad : public CpuLoad {
public:
  std::vector<double> Fractions;
  std::vector<std::string> Calls;
  int Instances = 1;
  bool Fail = false;

  int CpuLoadInstanceCount() override {
    Calls.push_back("count");
    return Instances;
  }
  void SampleCpuLoad() override {
    Calls.push_back("sample");
    if (Fail) throw Exception("CPU index out of bounds");
  }
  double CpuLoadFraction(int index) override {
    Calls.push_back("fraction " + std::to_string(index));
    return Fractions.at(index);
  }
};

class FakeProcessorSystem : public ProcessorSystem {
public:
  int Count = 1;
  std::string Separator = ".";
  int NumberOfProcessors() override { return Count; }
  std::string DecimalSeparator() override { return Separator; }
};

// Field table that also records the order of check-box writes.
class RecordingFields : public FieldTable {
public:
  std::vector<Field> CheckedWrites;
  void SetChecked(Field name, bool checked) override {
    CheckedWrites.push_back(name);
    FieldTable::SetChecked(name, checked);
  }
};

} // namespace qv
