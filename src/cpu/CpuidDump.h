#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "cpu/Cpuid.h"

namespace qv {

// CPUID as recorded in a text dump, so that the probe can show what another processor would.
// Two line forms are read:
//   CPUID 00000001: 00000633-00000000-00000000-0080F9FF   (leaf: EAX-EBX-ECX-EDX, more text may follow)
//   basic_cpuid[1]=00000633 00000000 00000000 0080f9ff    (ext_cpuid[i] is leaf 0x80000000 + i)
// Other lines are ignored. Only the first logical processor counts: a second leaf 0 starts the
// next one and ends the reading. When a leaf appears twice the first wins; a leaf the dump does
// not hold reads as zeros. With a dump the instruction counts as available.
class CpuidDump : public CpuidSource {
public:
  bool CpuidAvailable() override { return true; }
  CpuidLeaf ReadLeaf(uint32_t leaf) override;

  std::map<uint32_t, CpuidLeaf> Leaves;
};

// Reads dump text. A text without leaf 0 is an Exception.
CpuidDump ParseCpuidDump(const std::string& text);

// Reads a dump file. A file that cannot be read, or holds no leaf 0, is an Exception.
CpuidDump LoadCpuidDump(const std::string& path);

// One line of the first form.
std::string CpuidDumpLine(uint32_t leaf, const CpuidLeaf& regs);

// This source's leaves in the first form, one per line ending in CR LF: basic leaves 0 to the
// highest that leaf 0 reports and extended leaves 0x80000000 to the highest that leaf 0x80000000
// reports, each run capped at MaxDumpLeaves. Without CPUID it is an Exception.
constexpr uint32_t MaxDumpLeaves = 256;
std::string WriteCpuidDump(CpuidSource& source);

} // namespace qv
