#pragma once
#include <string>

#include "cpu/Cpuid.h"

namespace qv {

// The model name for a family, model and vendor code; empty when the tables do not know it.
// For the Intel rows whose model number alone is ambiguous the brand index (leaf 1 EBX, low
// byte) is read afresh through the source: any index above 0 answers from the brand table, even
// when that answer is empty.
std::string GetCPUDescription(int Family, int Model, int VendorCode, CpuidSource& source);

// What "Description:" shows. A processor whose leaf 1 has extended family or model bits is named
// by its own brand string, where leaves up to 0x80000004 hold one; every other processor, and one
// without a brand string, by GetCPUDescription on the four-bit family and model.
std::string ProcessorDescription(const TCPUID& cpuid, int vendorCode, CpuidSource& source);

// The brand-index table's text; empty for indices it does not list.
std::string BrandName(int BrandIndex);

} // namespace qv
