#pragma once
#include "cpu/Cpuid.h"

namespace qv {

// One processor package as CPUID describes it.
struct CpuTopology {
  int Cores = 1;
  int LogicalProcessors = 1;
  int L2CacheKB = 0; // 0 when the processor does not say
};

// Cores and logical processors from the leaves each maker documents for them (Intel: 0xB, else 4;
// AMD: 0x80000008, with 0x8000001E for the threads of a core from family 17h on; anyone: the
// hyper-threading count of leaf 1), the level-2 cache from leaf 0x80000006 or else the cache
// descriptors of leaf 2. Leaves the processor does not report are not read. Never fewer than one
// core, nor fewer logical processors than cores.
CpuTopology DecodeTopology(CpuidSource& source, int vendorCode);

// The level-2 size, in KB, that one cache descriptor of leaf 2 names; 0 for any other descriptor.
int L2CacheOfDescriptor(uint8_t descriptor);

} // namespace qv
