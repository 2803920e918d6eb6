#include "cpu/CpuPlatform.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

namespace qv {

namespace {

// Flips the ID bit (21) of EFLAGS and reads it back: a processor that keeps the change has
// CPUID. The flag is left as flipped.
bool IdBitFlips() {
#if defined(__x86_64__)
  return true; // every x86-64 processor has CPUID
#elif defined(__i386__)
  uint32_t before, after;
  __asm__ volatile(
      "pushfl\n\t"
      "popl %0\n\t"
      "movl %0, %1\n\t"
      "xorl $0x200000, %1\n\t"
      "pushl %1\n\t"
      "popfl\n\t"
      "pushfl\n\t"
      "popl %1\n\t"
      : "=&r"(before), "=&r"(after)
      :
      : "cc");
  return ((before ^ after) & 0x200000u) != 0;
#else
  return false; // no x86 processor: no CPUID
#endif
}

class MachineCpuid : public CpuidSource {
public:
  bool CpuidAvailable() override { return IdBitFlips(); }
  CpuidLeaf ReadLeaf(uint32_t leaf) override { return ReadSubLeaf(leaf, 0); }
  CpuidLeaf ReadSubLeaf(uint32_t leaf, uint32_t subLeaf) override {
    CpuidLeaf r;
#if defined(__i386__) || defined(__x86_64__)
    __cpuid_count(leaf, subLeaf, r.Eax, r.Ebx, r.Ecx, r.Edx);
#else
    (void)leaf, (void)subLeaf;
#endif
    return r;
  }
};

} // namespace

std::unique_ptr<CpuidSource> NewMachineCpuid() { return std::make_unique<MachineCpuid>(); }

} // namespace qv
