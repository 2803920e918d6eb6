#include <gtest/gtest.h>

#include "cpu/CpuNames.h"
#include "native/CpuFakes.h"

namespace qv {

namespace {

std::string Describe(int family, int model, int vendor, uint32_t brandEbx = 0) {
  FakeCpuid source;
  source.Leaves[1] = {0, brandEbx, 0, 0};
  return GetCPUDescription(family, model, vendor, source);
}

struct NameRow {
  int Family, Vendor, Model;
  const char* Name;
};

} // namespace

// Every row of the name table (shared rows under both vendor codes), with brand index 0.
TEST(GetCPUDescription, EveryRowOfTheNameTable) {
  const NameRow rows[] = {
      {4, 1, 0, "intel 80486 DX (25/33)"},
      {4, 1, 1, "intel 80486 DX (50)"},
      {4, 1, 2, "intel 80486 SX"},
      {4, 1, 3, "intel 80486 DX-2"},
      {4, 1, 4, "intel 80486 SL"},
      {4, 1, 5, "intel 80486 SX-2"},
      {4, 1, 7, "intel 80486 DX-2 *WB*"},
      {4, 1, 8, "intel 80486 DX-4"},
      {4, 1, 9, "intel 80486 DX-4 *WB*"},
      {4, 2, 1, "UMC 80486 *U5D*"},
      {4, 3, 1, "UMC 80486 *U5D*"},
      {4, 2, 2, "UMC 80486 *U5S*"},
      {4, 3, 2, "UMC 80486 *U5S*"},
      {4, 2, 3, "AMD 80486 DX-2"},
      {4, 3, 3, "AMD 80486 DX-2"},
      {4, 2, 7, "AMD 80486 DX-2 *WB*"},
      {4, 3, 7, "AMD 80486 DX-2 *WB*"},
      {4, 2, 8, "AMD 80486 DX-4"},
      {4, 3, 8, "AMD 80486 DX-4"},
      {4, 2, 9, "AMD 80486 DX-4 *WB*"},
      {4, 3, 9, "AMD 80486 DX-4 *WB*"},
      {4, 2, 14, "AMD 5x86"},
      {4, 3, 14, "AMD 5x86"},
      {4, 2, 15, "AMD 5x86 *WB*"},
      {4, 3, 15, "AMD 5x86 *WB*"},
      {4, 4, 9, "Cyrix 5x86"},
      {4, 4, 4, "Cyrix MediaGX"},
      {5, 1, 0, "intel Pentium *A-Step*"},
      {5, 1, 1, "intel Pentium "},
      {5, 1, 2, "intel Pentium "},
      {5, 1, 3, "intel Pentium Overdrive"},
      {5, 1, 4, "intel Pentium with MMX technology"},
      {5, 1, 7, "intel Pentium"},
      {5, 1, 8, "intel Pentium with MMX technology"},
      {5, 5, 0, "NexGen Nx586"},
      {5, 4, 2, "IBM Cyrix M1 (6x86)"},
      {5, 3, 0, "AMD K5 (PR75/PR90/PR100)"},
      {5, 3, 1, "AMD K5 (PR120/PR133)"},
      {5, 3, 2, "AMD K5 (PR166)"},
      {5, 3, 3, "AMD K5 (PR200)"},
      {5, 3, 6, "AMD K6"},
      {5, 3, 7, "AMD K6"},
      {5, 3, 8, "AMD K6-2"},
      {5, 3, 9, "AMD K6-III"},
      {5, 3, 13, "AMD K6-2+ or K6-III+"},
      {5, 6, 4, "IDT Centaur WinChip"},
      {5, 6, 8, "IDT Centaur WinChip2"},
      {5, 6, 9, "IDT Centaur WinChip3"},
      {5, 7, 0, "Rise mP6"},
      {5, 7, 2, "Rise mP6"},
      {5, 8, 4, "Crusoe TM3x00 or TM5x00"},
      {6, 1, 0, "intel Pentium Pro *A-Step*"},
      {6, 1, 1, "intel Pentium Pro"},
      {6, 1, 3, "intel Pentium II, Celeron or Xeon"},
      {6, 1, 5, "intel Pentium II, Celeron or Xeon"},
      {6, 1, 6, "intel Pentium II, Celeron or Xeon"},
      {6, 1, 7, "intel Pentium III or Xeon"},
      {6, 1, 8, "intel Pentium III or Xeon"},
      {6, 1, 10, "intel Pentium III or Xeon"},
      {6, 1, 11, "intel Pentium III or Xeon"},
      {6, 3, 1, "AMD Athlon (K7)"},
      {6, 3, 2, "AMD Athlon (K75)"},
      {6, 3, 3, "AMD Duron (SPITFIRE)"},
      {6, 3, 4, "AMD Athlon (THUNDERBIRD)"},
      {6, 3, 6, "AMD Athlon (PALOMINO)"},
      {6, 3, 7, "AMD Duron (MORGAN)"},
      {6, 4, 0, "IBM Cyrix M2 (6x86 MX)"},
      {6, 4, 5, "VIA Cyrix III (based on Cyrix M2)"},
      {6, 4, 6, "VIA Cyrix III (based on WinChip)"},
      {6, 4, 7, "VIA Cyrix III (based on WinChip)"},
      {15, 1, 0, "intel Pentium III or Xeon"},
      {15, 1, 1, "intel Pentium III or Xeon"},
      {15, 1, 2, "intel Pentium III or Xeon"},
  };
  for (const NameRow& r : rows)
    EXPECT_EQ(Describe(r.Family, r.Model, r.Vendor), r.Name) << r.Family << "/" << r.Vendor << "/" << r.Model;
}

// The holes next to the rows: a wrong digit in a row would fill one of them.
TEST(GetCPUDescription, NeighboursOfTheRowsAreEmpty) {
  const NameRow rows[] = {
      {4, 1, 6, ""},  {4, 1, 10, ""}, {4, 2, 0, ""}, {4, 3, 4, ""},  {4, 3, 10, ""}, {4, 3, 13, ""}, {4, 4, 2, ""},
      {4, 4, 8, ""},  {4, 5, 1, ""},  {4, 6, 3, ""}, {5, 1, 5, ""},  {5, 1, 6, ""},  {5, 1, 9, ""},  {5, 5, 1, ""},
      {5, 4, 1, ""},  {5, 4, 3, ""},  {5, 3, 4, ""}, {5, 3, 5, ""},  {5, 3, 10, ""}, {5, 3, 12, ""}, {5, 3, 14, ""},
      {5, 6, 5, ""},  {5, 6, 10, ""}, {5, 7, 1, ""}, {5, 7, 3, ""},  {5, 8, 3, ""},  {5, 8, 5, ""},  {5, 2, 1, ""},
      {6, 1, 2, ""},  {6, 1, 4, ""},  {6, 1, 9, ""}, {6, 1, 12, ""}, {6, 3, 0, ""},  {6, 3, 5, ""},  {6, 3, 8, ""},
      {6, 2, 1, ""},  {6, 4, 1, ""},  {6, 4, 4, ""}, {6, 4, 8, ""},  {6, 6, 7, ""},  {6, 8, 4, ""},  {15, 1, 3, ""},
      {15, 3, 1, ""}, {7, 1, 0, ""},  {3, 1, 0, ""}, {0, 1, 0, ""},
  };
  for (const NameRow& r : rows)
    EXPECT_EQ(Describe(r.Family, r.Model, r.Vendor), "") << r.Family << "/" << r.Vendor << "/" << r.Model;
}

TEST(GetCPUDescription, UnknownVendorIsAlwaysEmpty) {
  for (int family : {4, 5, 6, 15})
    for (int model = 0; model < 16; ++model) EXPECT_EQ(Describe(family, model, -1, 2), "");
}

TEST(BrandName, EveryIndex) {
  const char* expected[16] = {"",
                              "intel Celeron",
                              "intel Pentium III",
                              "intel Pentium III Xeon",
                              "intel Pentium III",
                              "",
                              "intel Pentium III Mobile",
                              "intel Celeron Mobile",
                              "intel Pentium 4",
                              "intel Pentium 4",
                              "intel Pentium 4",
                              "intel Pentium 4 Xeon",
                              "",
                              "",
                              "intel Pentium 4 Xeon",
                              ""};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(BrandName(i), expected[i]) << i;
  for (int i : {16, 100, 255}) EXPECT_EQ(BrandName(i), "") << i;
}

TEST(GetCPUDescription, BrandIndexTakesPrecedenceOverTheRowDefault) {
  EXPECT_EQ(Describe(6, 8, 1, 2), "intel Pentium III");
  EXPECT_EQ(Describe(6, 8, 1, 0), "intel Pentium III or Xeon");
  EXPECT_EQ(Describe(6, 8, 1, 5), ""); // listed brand index, empty answer: no fallback
  EXPECT_EQ(Describe(6, 6, 1, 1), "intel Celeron");
  EXPECT_EQ(Describe(6, 3, 1, 0), "intel Pentium II, Celeron or Xeon");
  EXPECT_EQ(Describe(15, 2, 1, 9), "intel Pentium 4");
  EXPECT_EQ(Describe(15, 0, 1, 14), "intel Pentium 4 Xeon");
  EXPECT_EQ(Describe(15, 3, 1, 9), "");
  // Only the low byte of EBX is the brand index.
  EXPECT_EQ(Describe(6, 8, 1, 0x01020300), "intel Pentium III or Xeon");
  EXPECT_EQ(Describe(6, 8, 1, 0xFFFFFF07), "intel Celeron Mobile");
  // A fixed row ignores the brand index.
  EXPECT_EQ(Describe(6, 1, 1, 2), "intel Pentium Pro");
}

TEST(GetCPUDescription, BrandIndexIsReadAfreshOnlyForBrandRows) {
  FakeCpuid source;
  source.Leaves[1] = {0, 2, 0, 0};
  GetCPUDescription(6, 1, 1, source);
  EXPECT_EQ(source.BrandReads, 0);
  EXPECT_EQ(GetCPUDescription(6, 7, 1, source), "intel Pentium III");
  EXPECT_EQ(source.BrandReads, 1);
}

// The brand string names a processor only where leaf 1 has extended bits and the extended leaves
// hold a string; everywhere else the tables answer as they always have.
TEST(ProcessorDescription, BrandStringOnlyPastTheTables) {
  auto describe = [](uint32_t signature, uint32_t highest, const std::string& brand) {
    FakeCpuid source("GenuineIntel", signature, 0);
    source.Leaves[0x80000000u] = {highest, 0, 0, 0};
    std::string bytes = brand;
    bytes.resize(48, '\0');
    for (uint32_t i = 0; i < 3; ++i) {
      uint32_t w[4];
      for (int r = 0; r < 4; ++r) {
        w[r] = 0;
        for (int b = 3; b >= 0; --b) w[r] = w[r] << 8 | static_cast<uint8_t>(bytes[16 * i + 4 * r + b]);
      }
      source.Leaves[0x80000002u + i] = {w[0], w[1], w[2], w[3]};
    }
    TCPUID cpuid(source);
    return ProcessorDescription(cpuid, VendorCode(cpuid.Vendor), source);
  };
  EXPECT_EQ(describe(0x90672, 0x80000008u, "  12th Gen Core  \0junk"), "12th Gen Core");
  EXPECT_EQ(describe(0x100F00, 0x80000004u, "family only"), "family only");      // extended family alone
  EXPECT_EQ(describe(0x90672, 0x80000008u, "\rCore\n\a\xFF i9\x7F"), "Core i9"); // no control bytes
  EXPECT_EQ(describe(0x90672, 0x80000003u, "12th Gen Core"), "intel Pentium III or Xeon");
  EXPECT_EQ(describe(0x90672, 0x80000008u, "    "), "intel Pentium III or Xeon");
  EXPECT_EQ(describe(0x90692, 0x80000008u, ""), "");
  // No extended bits: a Pentium III with a brand string keeps its table name.
  EXPECT_EQ(describe(0x683, 0x80000004u, "Pentium(R) III"), "intel Pentium III or Xeon");
}

// The recorded processors of today check the extended values; here, that they count only under
// the base families that define them.
TEST(ProcessorDescription, ExtendedBitsOnlyUnderTheirBaseFamilies) {
  EXPECT_EQ(ProcessorFamily(0x0F10500), 5);
  EXPECT_EQ(ProcessorModel(0x0F10540), 4);
  EXPECT_EQ(ProcessorFamily(0x01F0672), 6);
}

} // namespace qv
