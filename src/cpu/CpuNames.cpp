#include "cpu/CpuNames.h"

namespace qv {

namespace {

// A row matches one family, one or two vendor codes and one model. A brand row answers from the
// brand table when the brand index is above 0 and with its name otherwise.
struct CpuNameRow {
  int Family;
  int Vendor;
  int OtherVendor; // 0 when the row has one vendor
  int Model;
  const char* Name;
  bool Brand = false;
};

// The names are shown as they stand, including the lower-case "intel" and the trailing blank of
// the early Pentium rows.
const CpuNameRow CpuNameTable[] = {
    {4, 1, 0, 0, "intel 80486 DX (25/33)"},
    {4, 1, 0, 1, "intel 80486 DX (50)"},
    {4, 1, 0, 2, "intel 80486 SX"},
    {4, 1, 0, 3, "intel 80486 DX-2"},
    {4, 1, 0, 4, "intel 80486 SL"},
    {4, 1, 0, 5, "intel 80486 SX-2"},
    {4, 1, 0, 7, "intel 80486 DX-2 *WB*"},
    {4, 1, 0, 8, "intel 80486 DX-4"},
    {4, 1, 0, 9, "intel 80486 DX-4 *WB*"},
    {4, 2, 3, 1, "UMC 80486 *U5D*"},
    {4, 2, 3, 2, "UMC 80486 *U5S*"},
    {4, 2, 3, 3, "AMD 80486 DX-2"},
    {4, 2, 3, 7, "AMD 80486 DX-2 *WB*"},
    {4, 2, 3, 8, "AMD 80486 DX-4"},
    {4, 2, 3, 9, "AMD 80486 DX-4 *WB*"},
    {4, 2, 3, 14, "AMD 5x86"},
    {4, 2, 3, 15, "AMD 5x86 *WB*"},
    {4, 4, 0, 9, "Cyrix 5x86"},
    {4, 4, 0, 4, "Cyrix MediaGX"},
    {5, 1, 0, 0, "intel Pentium *A-Step*"},
    {5, 1, 0, 1, "intel Pentium "},
    {5, 1, 0, 2, "intel Pentium "},
    {5, 1, 0, 3, "intel Pentium Overdrive"},
    {5, 1, 0, 4, "intel Pentium with MMX technology"},
    {5, 1, 0, 7, "intel Pentium"},
    {5, 1, 0, 8, "intel Pentium with MMX technology"},
    {5, 5, 0, 0, "NexGen Nx586"},
    {5, 4, 0, 2, "IBM Cyrix M1 (6x86)"},
    {5, 3, 0, 0, "AMD K5 (PR75/PR90/PR100)"},
    {5, 3, 0, 1, "AMD K5 (PR120/PR133)"},
    {5, 3, 0, 2, "AMD K5 (PR166)"},
    {5, 3, 0, 3, "AMD K5 (PR200)"},
    {5, 3, 0, 6, "AMD K6"},
    {5, 3, 0, 7, "AMD K6"},
    {5, 3, 0, 8, "AMD K6-2"},
    {5, 3, 0, 9, "AMD K6-III"},
    {5, 3, 0, 13, "AMD K6-2+ or K6-III+"},
    {5, 6, 0, 4, "IDT Centaur WinChip"},
    {5, 6, 0, 8, "IDT Centaur WinChip2"},
    {5, 6, 0, 9, "IDT Centaur WinChip3"},
    {5, 7, 0, 0, "Rise mP6"},
    {5, 7, 0, 2, "Rise mP6"},
    {5, 8, 0, 4, "Crusoe TM3x00 or TM5x00"},
    {6, 1, 0, 0, "intel Pentium Pro *A-Step*"},
    {6, 1, 0, 1, "intel Pentium Pro"},
    {6, 1, 0, 3, "intel Pentium II, Celeron or Xeon", true},
    {6, 1, 0, 5, "intel Pentium II, Celeron or Xeon", true},
    {6, 1, 0, 6, "intel Pentium II, Celeron or Xeon", true},
    {6, 1, 0, 7, "intel Pentium III or Xeon", true},
    {6, 1, 0, 8, "intel Pentium III or Xeon", true},
    {6, 1, 0, 10, "intel Pentium III or Xeon", true},
    {6, 1, 0, 11, "intel Pentium III or Xeon", true},
    {6, 3, 0, 1, "AMD Athlon (K7)"},
    {6, 3, 0, 2, "AMD Athlon (K75)"},
    {6, 3, 0, 3, "AMD Duron (SPITFIRE)"},
    {6, 3, 0, 4, "AMD Athlon (THUNDERBIRD)"},
    {6, 3, 0, 6, "AMD Athlon (PALOMINO)"},
    {6, 3, 0, 7, "AMD Duron (MORGAN)"},
    {6, 4, 0, 0, "IBM Cyrix M2 (6x86 MX)"},
    {6, 4, 0, 5, "VIA Cyrix III (based on Cyrix M2)"},
    {6, 4, 0, 6, "VIA Cyrix III (based on WinChip)"},
    {6, 4, 0, 7, "VIA Cyrix III (based on WinChip)"},
    {15, 1, 0, 0, "intel Pentium III or Xeon", true},
    {15, 1, 0, 1, "intel Pentium III or Xeon", true},
    {15, 1, 0, 2, "intel Pentium III or Xeon", true},
};

} // namespace

std::string BrandName(int BrandIndex) {
  switch (BrandIndex) {
    case 1:
      return "intel Celeron";
    case 2:
      return "intel Pentium III";
    case 3:
      return "intel Pentium III Xeon";
    case 4:
      return "intel Pentium III";
    case 6:
      return "intel Pentium III Mobile";
    case 7:
      return "intel Celeron Mobile";
    case 8:
    case 9:
    case 10:
      return "intel Pentium 4";
    case 11:
    case 14:
      return "intel Pentium 4 Xeon";
    default:
      return "";
  }
}

std::string GetCPUDescription(int Family, int Model, int VendorCode, CpuidSource& source) {
  for (const CpuNameRow& row : CpuNameTable) {
    if (row.Family != Family || row.Model != Model) continue;
    if (row.Vendor != VendorCode && (row.OtherVendor == 0 || row.OtherVendor != VendorCode)) continue;
    if (!row.Brand) return row.Name;
    int brandIndex = static_cast<int>(source.ReadBrandIndex() & 0xFF);
    return brandIndex > 0 ? BrandName(brandIndex) : row.Name;
  }
  return "";
}

std::string ProcessorDescription(const TCPUID& cpuid, int vendorCode, CpuidSource& source) {
  if (HasExtendedSignature(cpuid.Signature))
    if (auto brand = ReadBrandString(source)) return *brand;
  return GetCPUDescription(cpuid.Family, cpuid.Model, vendorCode, source);
}

} // namespace qv
