#include "cpu/Cpuid.h"

#include "fields/PageFields.h"

namespace qv {

namespace {

void PutWord(char* out, uint32_t word) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((word >> (8 * i)) & 0xFF);
}

bool Bit(uint32_t word, int bit) { return (word >> bit) & 1u; }

} // namespace

TCPUID::TCPUID(CpuidSource& source) {
  if (!source.CpuidAvailable()) {
    Available = false;
    return;
  }
  CpuidLeaf one = source.ReadLeaf(1);
  Signature = one.Eax;
  MiscInfo = one.Ebx;
  FeaturesEcx = one.Ecx;
  FeaturesEdx = one.Edx;
  CpuType = static_cast<int>((Signature >> 12) & 3);
  Family = BaseFamily(Signature);
  Model = BaseModel(Signature);
  Stepping = static_cast<int>(Signature & 15);

  // The vendor string is EBX, EDX, ECX in that order, each low byte first.
  CpuidLeaf zero = source.ReadLeaf(0);
  PutWord(&VendorChars[0], zero.Ebx);
  PutWord(&VendorChars[4], zero.Edx);
  PutWord(&VendorChars[8], zero.Ecx);
  Vendor.assign(VendorChars.data(), VendorChars.size());
  Available = true;
}

std::optional<std::string> ReadBrandString(CpuidSource& source) {
  // Processors without extended leaves answer 0x80000000 with something below it.
  uint32_t highest = source.ReadLeaf(0x80000000u).Eax;
  if ((highest & 0xFFFF0000u) != 0x80000000u || highest < 0x80000004u) return std::nullopt;
  char chars[48];
  for (uint32_t i = 0; i < 3; ++i) {
    CpuidLeaf leaf = source.ReadLeaf(0x80000002u + i);
    PutWord(&chars[16 * i], leaf.Eax);
    PutWord(&chars[16 * i + 4], leaf.Ebx);
    PutWord(&chars[16 * i + 8], leaf.Ecx);
    PutWord(&chars[16 * i + 12], leaf.Edx);
  }
  std::string brand;
  for (char c : chars) {
    if (c == '\0') break;
    if (c >= 0x20 && c < 0x7F) brand += c;
  }
  size_t first = brand.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  return brand.substr(first, brand.find_last_not_of(' ') - first + 1);
}

int ProcessorFamily(uint32_t signature) {
  int family = BaseFamily(signature);
  return family == 15 ? family + static_cast<int>((signature >> 20) & 0xFF) : family;
}

int ProcessorModel(uint32_t signature) {
  int family = BaseFamily(signature);
  int model = BaseModel(signature);
  return family == 6 || family == 15 ? model | static_cast<int>((signature >> 16) & 15) << 4 : model;
}

bool HasExtendedSignature(uint32_t signature) { return (signature & 0x0FFF0000u) != 0; }

int VendorCode(const std::string& vendor) {
  static const char* const Vendors[] = {"GenuineIntel", "UMC UMC UMC ", "AuthenticAMD", "CyrixInstead",
                                        "NexGenDriven", "CentaurHauls", "RiseRiseRise", "GenuineTMx86"};
  for (int i = 0; i < 8; ++i)
    if (vendor == Vendors[i]) return i + 1;
  return -1;
}

std::string CpuTypeText(int cpuType) {
  switch (cpuType) {
    case 0:
      return "Primary";
    case 1:
      return "Overdrive";
    case 2:
      return "Secondary";
    default:
      return "";
  }
}

std::string CpuCountText(int count) { return std::to_string(count) + " CPUs found"; }

FeatureDecoding DecodeFeatureFlags(const TCPUID& cpuid, int vendorCode, CpuidSource& source, bool rdtsc) {
  FeatureDecoding d;
  TFeatureFlags& f = d.Flags;
  uint32_t edx = cpuid.FeaturesEdx;
  f[ffRDTSC] = rdtsc;
  f[ffFPU] = Bit(edx, 0);
  f[ffAPIC] = Bit(edx, 9);
  if (f[ffAPIC]) d.ApicCaption = (cpuid.Family == 5 && vendorCode == 3 && cpuid.Model == 0) ? "PGE" : "APIC";
  f[ffMMX] = Bit(edx, 23);
  f[ffSSE] = Bit(edx, 25);
  f[ffSSE2] = Bit(edx, 26);
  // Each of these reads the extended leaf afresh, as the probe always has.
  f[ffExtended3DNow] = Bit(source.ReadExtendedFeatures(), 30);
  f[ff3DNow] = Bit(source.ReadExtendedFeatures(), 31);
  bool amdExtended = Bit(source.ReadExtendedFeatures(), 22) && vendorCode == 3;
  bool cyrixExtended = Bit(source.ReadExtendedFeatures(), 24) && vendorCode == 4;
  f[ffExtendedMMX] = amdExtended || cyrixExtended;
  return d;
}

void UpdateFeatureBoxes(PageFields& fields, const TFeatureFlags& flags) {
  for (int i = 0; i < FeatureFlagCount; ++i) fields.SetChecked(FeatureBoxes[i], flags[i]);
}

} // namespace qv
