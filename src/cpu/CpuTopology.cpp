#include "cpu/CpuTopology.h"

#include <algorithm>

namespace qv {

namespace {

constexpr uint32_t HyperThreadingBit = 1u << 28; // leaf 1 EDX

// Leaf 2: up to fifteen one-byte descriptors in the four registers (AL is the repeat count);
// a register whose bit 31 is set holds none.
int L2FromDescriptors(CpuidSource& source) {
  CpuidLeaf leaf = source.ReadLeaf(2);
  int size = 0;
  for (uint32_t reg : {leaf.Eax, leaf.Ebx, leaf.Ecx, leaf.Edx}) {
    if (reg & 0x80000000u) continue;
    for (int i = reg == leaf.Eax ? 1 : 0; i < 4; ++i) size = std::max(size, L2CacheOfDescriptor(reg >> (8 * i) & 0xFF));
  }
  return size;
}

int LowByte(uint32_t value, int shift) { return static_cast<int>(value >> shift & 0xFF); }

} // namespace

int L2CacheOfDescriptor(uint8_t descriptor) {
  struct Entry {
    uint8_t Descriptor;
    int KB;
  };
  static const Entry Table[] = {
      {0x39, 128},  {0x3A, 192}, {0x3B, 128},  {0x3C, 256},  {0x3D, 384},  {0x3E, 512},  {0x41, 128},
      {0x42, 256},  {0x43, 512}, {0x44, 1024}, {0x45, 2048}, {0x48, 3072}, {0x49, 4096}, {0x4E, 6144},
      {0x78, 1024}, {0x79, 128}, {0x7A, 256},  {0x7B, 512},  {0x7C, 1024}, {0x7D, 2048}, {0x7F, 512},
      {0x80, 512},  {0x82, 256}, {0x83, 512},  {0x84, 1024}, {0x85, 2048}, {0x86, 512},  {0x87, 1024},
  };
  for (const Entry& e : Table)
    if (e.Descriptor == descriptor) return e.KB;
  return 0;
}

CpuTopology DecodeTopology(CpuidSource& source, int vendor) {
  CpuTopology t;
  if (!source.CpuidAvailable()) return t;
  const uint32_t highest = source.ReadLeaf(0).Eax;
  const uint32_t extended = source.ReadLeaf(0x80000000u).Eax;
  const bool hasExtended = (extended & 0xFFFF0000u) == 0x80000000u;
  const CpuidLeaf one = source.ReadLeaf(1);
  if (one.Edx & HyperThreadingBit) t.LogicalProcessors = std::max(1, LowByte(one.Ebx, 16));

  if (vendor == 1 && highest >= 0xB && (source.ReadSubLeaf(0xB, 1).Ebx & 0xFFFF) != 0) {
    t.LogicalProcessors = static_cast<int>(source.ReadSubLeaf(0xB, 1).Ebx & 0xFFFF);
    t.Cores = t.LogicalProcessors / std::max(1, static_cast<int>(source.ReadSubLeaf(0xB, 0).Ebx & 0xFFFF));
  } else if (vendor == 1 && highest >= 4) {
    t.Cores = static_cast<int>(source.ReadSubLeaf(4, 0).Eax >> 26) + 1;
  } else if (vendor == 3 && hasExtended && extended >= 0x80000008u) {
    t.LogicalProcessors = LowByte(source.ReadLeaf(0x80000008u).Ecx, 0) + 1;
    int threadsPerCore = 1;
    if (ProcessorFamily(one.Eax) >= 0x17 && extended >= 0x8000001Eu)
      threadsPerCore = LowByte(source.ReadLeaf(0x8000001Eu).Ebx, 8) + 1;
    t.Cores = t.LogicalProcessors / threadsPerCore;
  } else {
    t.Cores = t.LogicalProcessors;
  }
  t.Cores = std::max(1, t.Cores);
  t.LogicalProcessors = std::max(t.Cores, t.LogicalProcessors);

  if (hasExtended && extended >= 0x80000006u) t.L2CacheKB = static_cast<int>(source.ReadLeaf(0x80000006u).Ecx >> 16);
  if (t.L2CacheKB == 0 && highest >= 2 && vendor == 1) t.L2CacheKB = L2FromDescriptors(source);
  return t;
}

} // namespace qv
