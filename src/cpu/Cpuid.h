#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "fields/FieldInventory.h"

namespace qv {

class PageFields;

// The four registers one CPUID leaf answers with.
struct CpuidLeaf {
  uint32_t Eax = 0, Ebx = 0, Ecx = 0, Edx = 0;
  bool operator==(const CpuidLeaf&) const = default;
};

// Where the register values come from: the instruction itself, or a recorded dump. All decoding
// below works on what this answers, so it runs on any machine.
class CpuidSource {
public:
  virtual ~CpuidSource() = default;
  // The CPUID instruction exists (on x86 it is the EFLAGS ID-bit test).
  virtual bool CpuidAvailable() = 0;
  virtual CpuidLeaf ReadLeaf(uint32_t leaf) = 0;
  // A leaf that has sub-leaves (4, 0xB). A dump holds sub-leaf 0 only; the others read as zeros.
  virtual CpuidLeaf ReadSubLeaf(uint32_t leaf, uint32_t subLeaf) { return subLeaf == 0 ? ReadLeaf(leaf) : CpuidLeaf{}; }
  // Leaf 1 EBX; the caller keeps the low 8 bits.
  virtual uint32_t ReadBrandIndex() { return ReadLeaf(1).Ebx; }
  // Leaf 0x80000001 EDX, read without asking 0x80000000 first whether that leaf exists.
  virtual uint32_t ReadExtendedFeatures() { return ReadLeaf(0x80000001u).Edx; }
};

// The probe: made afresh by every gathering pass and kept on the form until the next one.
class TCPUID {
public:
  explicit TCPUID(CpuidSource& source);

  bool Available = false;
  uint32_t Signature = 0;   // leaf 1 EAX
  uint32_t MiscInfo = 0;    // leaf 1 EBX, brand index in bits 0-7
  uint32_t FeaturesEcx = 0; // leaf 1 ECX
  uint32_t FeaturesEdx = 0; // leaf 1 EDX
  int CpuType = 0;
  int Family = 0; // base family only: the naming tables' four bits
  int Model = 0;
  int Stepping = 0;
  std::array<char, 12> VendorChars{};
  std::string Vendor = "unknown";
};

// The brand string of leaves 0x80000002-0x80000004, printable characters only (the string is ASCII;
// any other byte is dropped, so no control character reaches the label or a report), blanks around
// it trimmed; nothing when leaf 0x80000000 does not report those leaves or the string is empty.
std::optional<std::string> ReadBrandString(CpuidSource& source);

// The processor's own family and model, as its maker numbers it: the extended family (bits 20-27)
// adds to a base family of 15, the extended model (bits 16-19) is the high half of the model where
// the base family is 6 or 15.
int ProcessorFamily(uint32_t signature);
int ProcessorModel(uint32_t signature);

// The four-bit fields of the signature, which the naming tables use.
constexpr int BaseFamily(uint32_t signature) { return static_cast<int>((signature >> 8) & 15); }
constexpr int BaseModel(uint32_t signature) { return static_cast<int>((signature >> 4) & 15); }

// Leaf 1 reports an extended family or model, so the four-bit rows of the naming tables would
// describe some older processor.
bool HasExtendedSignature(uint32_t signature);

// 1 GenuineIntel, 2 "UMC UMC UMC ", 3 AuthenticAMD, 4 CyrixInstead, 5 NexGenDriven, 6 CentaurHauls,
// 7 RiseRiseRise, 8 GenuineTMx86; -1 for anything else. Exact, case-sensitive, all 12 characters.
int VendorCode(const std::string& vendor);

// "Primary", "Overdrive", "Secondary", or empty for type 3.
std::string CpuTypeText(int cpuType);

// "2 CPUs found" (and "1 CPUs found").
std::string CpuCountText(int count);

// The nine feature flags, in the order the form keeps them.
enum TFeatureFlag {
  ffFPU,
  ffRDTSC,
  ffMMX,
  ffExtendedMMX,
  ff3DNow,
  ffExtended3DNow,
  ffSSE,
  ffSSE2,
  ffAPIC,
  FeatureFlagCount
};
using TFeatureFlags = std::array<bool, FeatureFlagCount>;

static_assert(FeatureFlagCount == FeatureBoxes.size(), "one feature box for each flag, in flag order");

// Leaf 1 EDX bit 4: the time-stamp counter is there.
constexpr uint32_t TimeStampCounterBit = 1u << 4;

// Sets every flag except RDTSC (which the clock section owns) from the probe and from four reads
// of leaf 0x80000001 through the source. The APIC caption that goes with them: "PGE" for an AMD
// family 5 model 0 with bit 9 set, "APIC" for any other processor with bit 9, and empty (leave the
// caption as it is) when bit 9 is clear.
struct FeatureDecoding {
  TFeatureFlags Flags{};
  std::string ApicCaption;
};
FeatureDecoding DecodeFeatureFlags(const TCPUID& cpuid, int vendorCode, CpuidSource& source, bool rdtsc);

// Copies the nine flags into their indicator boxes: FPU, RDTSC, MMX, MMX+, 3DNow!, 3DNow!+, iSSE,
// iSSE-2, APIC. The form calls this from its own UpdateFeatureBoxes and from the boxes' click
// handler, so a click never changes what a box shows.
void UpdateFeatureBoxes(PageFields& fields, const TFeatureFlags& flags);

} // namespace qv
