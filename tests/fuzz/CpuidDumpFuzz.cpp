// Arbitrary text as a CPUID dump: it is read or refused, and whatever is read decodes, names and
// writes back to a dump that reads the same.
#include <string>

#include "FuzzInput.h"
#include "core/Errors.h"
#include "cpu/CpuNames.h"
#include "cpu/CpuidDump.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  qv::CpuidDump dump;
  try {
    dump = qv::ParseCpuidDump(text);
  } catch (const qv::Exception&) {
    return 0;
  }
  qv::TCPUID cpuid(dump);
  int vendor = qv::VendorCode(cpuid.Vendor);
  qv::GetCPUDescription(cpuid.Family, cpuid.Model, vendor, dump);
  qv::DecodeFeatureFlags(cpuid, vendor, dump, true);

  qv::CpuidDump again = qv::ParseCpuidDump(qv::WriteCpuidDump(dump));
  for (const auto& [leaf, regs] : again.Leaves) FUZZ_CHECK(dump.ReadLeaf(leaf) == regs);
  FUZZ_CHECK(again.Leaves.count(0) && again.Leaves.count(0x80000000u));
  return 0;
}
