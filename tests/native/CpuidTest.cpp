#include <gtest/gtest.h>

#include "native/CpuFakes.h"

namespace qv {

TEST(TCPUID, DecodesSignatureAndVendor) {
  struct Row {
    uint32_t Signature;
    int CpuType, Family, Model, Stepping;
  } rows[] = {
      {0x00000633, 0, 6, 3, 3},
      {0x00001480, 1, 4, 8, 0},
      {0x000026A5, 2, 6, 10, 5},
      {0x00003FFF, 3, 15, 15, 15},
      // Extended family and model are not looked at.
      {0x00100F22, 0, 15, 2, 2},
      {0x000306A9, 0, 6, 10, 9},
  };
  for (const Row& r : rows) {
    FakeCpuid source("GenuineIntel", r.Signature, 0x11, 0, 0x22);
    source.Leaves[1].Ecx = 0x33;
    TCPUID cpuid(source);
    SCOPED_TRACE(r.Signature);
    EXPECT_TRUE(cpuid.Available);
    EXPECT_EQ(cpuid.Signature, r.Signature);
    EXPECT_EQ(cpuid.CpuType, r.CpuType);
    EXPECT_EQ(cpuid.Family, r.Family);
    EXPECT_EQ(cpuid.Model, r.Model);
    EXPECT_EQ(cpuid.Stepping, r.Stepping);
    EXPECT_EQ(cpuid.MiscInfo, 0x22u);
    EXPECT_EQ(cpuid.FeaturesEcx, 0x33u);
    EXPECT_EQ(cpuid.FeaturesEdx, 0x11u);
    EXPECT_EQ(cpuid.Vendor, "GenuineIntel");
  }
}

TEST(TCPUID, VendorIsEbxThenEdxThenEcxLowByteFirst) {
  FakeCpuid source;
  source.Leaves[0] = {2, 0x756E6547, 0x6C65746E, 0x49656E69};
  TCPUID cpuid(source);
  EXPECT_EQ(cpuid.Vendor, "GenuineIntel");
  EXPECT_EQ(std::string(cpuid.VendorChars.data(), 12), "GenuineIntel");
}

TEST(TCPUID, WithoutTheInstructionNothingIsRead) {
  FakeCpuid source("AuthenticAMD", 0x633, 0xFFFFFFFF);
  source.Available = false;
  TCPUID cpuid(source);
  EXPECT_FALSE(cpuid.Available);
  EXPECT_EQ(cpuid.Vendor, "unknown");
  EXPECT_EQ(cpuid.Signature, 0u);
  EXPECT_EQ(cpuid.FeaturesEdx, 0u);
  EXPECT_EQ(cpuid.Family, 0);
  EXPECT_EQ(source.LeafReads, 0);
}

TEST(VendorCode, ExactTwelveCharacterMatch) {
  struct Row {
    const char* Vendor;
    int Code;
  } rows[] = {
      {"GenuineIntel", 1},
      {"UMC UMC UMC ", 2},
      {"AuthenticAMD", 3},
      {"CyrixInstead", 4},
      {"NexGenDriven", 5},
      {"CentaurHauls", 6},
      {"RiseRiseRise", 7},
      {"GenuineTMx86", 8},
      {"UMC UMC UMC", -1}, // 11 characters: the last
                           // blank is part of the
                           // name
      {"genuineintel", -1},
      {"GenuineIntel ", -1},
      {"HygonGenuine", -1},
      {"unknown", -1},
      {"", -1},
  };
  for (const Row& r : rows) EXPECT_EQ(VendorCode(r.Vendor), r.Code) << '"' << r.Vendor << '"';
}

TEST(CpuTexts, TypeAndCount) {
  EXPECT_EQ(CpuTypeText(0), "Primary");
  EXPECT_EQ(CpuTypeText(1), "Overdrive");
  EXPECT_EQ(CpuTypeText(2), "Secondary");
  EXPECT_EQ(CpuTypeText(3), "");
  EXPECT_EQ(CpuCountText(1), "1 CPUs found");
  EXPECT_EQ(CpuCountText(2), "2 CPUs found");
  EXPECT_EQ(CpuCountText(16), "16 CPUs found");
}

TEST(FeatureFlags, EachFlagHasItsBitAndVendor) {
  struct Row {
    const char* What;
    uint32_t Edx, ExtEdx;
    const char* Vendor;
    int Flag; // -1: no flag
  } rows[] = {
      {"FPU", 1u << 0, 0, "GenuineIntel", ffFPU},
      {"time-stamp counter bit alone", 1u << 4, 0, "GenuineIntel", -1},
      {"MMX", 1u << 23, 0, "GenuineIntel", ffMMX},
      {"iSSE", 1u << 25, 0, "GenuineIntel", ffSSE},
      {"iSSE-2", 1u << 26, 0, "GenuineIntel", ffSSE2},
      {"APIC", 1u << 9, 0, "GenuineIntel", ffAPIC},
      {"3DNow!", 0, 1u << 31, "GenuineIntel", ff3DNow},
      {"3DNow!+", 0, 1u << 30, "GenuineIntel", ffExtended3DNow},
      {"MMX+ AMD bit 22", 0, 1u << 22, "AuthenticAMD", ffExtendedMMX},
      {"bit 22 on Intel", 0, 1u << 22, "GenuineIntel", -1},
      {"bit 22 on Cyrix", 0, 1u << 22, "CyrixInstead", -1},
      {"MMX+ Cyrix bit 24", 0, 1u << 24, "CyrixInstead", ffExtendedMMX},
      {"bit 24 on AMD", 0, 1u << 24, "AuthenticAMD", -1},
      {"leaf-1 bits in the extended leaf", 0, (1u << 0) | (1u << 23) | (1u << 25), "AuthenticAMD", -1},
      {"extended bits in leaf 1", (1u << 31) | (1u << 30) | (1u << 22), 0, "AuthenticAMD", -1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.What);
    FakeCpuid source(r.Vendor, 0x633, r.Edx, r.ExtEdx);
    TCPUID cpuid(source);
    FeatureDecoding d = DecodeFeatureFlags(cpuid, VendorCode(cpuid.Vendor), source, false);
    for (int f = 0; f < FeatureFlagCount; ++f) EXPECT_EQ(d.Flags[f], f == r.Flag) << FeatureBoxes[f];
  }
}

TEST(FeatureFlags, RdtscComesFromTheClockSection) {
  FakeCpuid source("GenuineIntel", 0x633, 0);
  TCPUID cpuid(source);
  EXPECT_TRUE(DecodeFeatureFlags(cpuid, 1, source, true).Flags[ffRDTSC]);
  EXPECT_FALSE(DecodeFeatureFlags(cpuid, 1, source, false).Flags[ffRDTSC]);
}

TEST(FeatureFlags, ExtendedLeafIsReadFourTimesWithoutAskingForItsRange) {
  FakeCpuid source("AuthenticAMD", 0x633, 0, 0xC0400000);
  TCPUID cpuid(source);
  DecodeFeatureFlags(cpuid, 3, source, false);
  EXPECT_EQ(source.ExtendedReads, 4);
  // A processor whose 0x80000000 says it has no extended leaves still gets whatever the
  // instruction answers for 0x80000001.
  source.Leaves[0x80000000u] = {0x00000002, 0, 0, 0};
  source.Leaves[0x80000001u] = {0, 0, 0, 1u << 31};
  EXPECT_TRUE(DecodeFeatureFlags(cpuid, 3, source, false).Flags[ff3DNow]);
}

TEST(FeatureFlags, ApicCaptionIsPgeOnlyForAmdFamilyFiveModelZero) {
  struct Row {
    const char* Vendor;
    uint32_t Signature;
    uint32_t Edx;
    const char* Caption;
  } rows[] = {
      {"AuthenticAMD", 0x501, 1u << 9, "PGE"},  {"AuthenticAMD", 0x511, 1u << 9, "APIC"}, // model 1
      {"AuthenticAMD", 0x601, 1u << 9, "APIC"},                                           // family 6
      {"GenuineIntel", 0x501, 1u << 9, "APIC"},                                           // vendor 1
      {"CyrixInstead", 0x500, 1u << 9, "APIC"}, {"AuthenticAMD", 0x501, 0, ""}, // bit 9 clear: caption left alone
  };
  for (const Row& r : rows) {
    FakeCpuid source(r.Vendor, r.Signature, r.Edx);
    TCPUID cpuid(source);
    FeatureDecoding d = DecodeFeatureFlags(cpuid, VendorCode(cpuid.Vendor), source, false);
    EXPECT_EQ(d.ApicCaption, r.Caption) << r.Vendor << " " << std::hex << r.Signature;
    EXPECT_EQ(d.Flags[ffAPIC], r.Edx != 0);
  }
}

TEST(UpdateFeatureBoxes, WritesTheNineBoxesInFlagOrder) {
  RecordingFields fields;
  TFeatureFlags flags{};
  flags[ffRDTSC] = true;
  flags[ffAPIC] = true;
  flags[ffExtended3DNow] = true;
  UpdateFeatureBoxes(fields, flags);
  std::vector<Field> order = {Field::FpuBox,         Field::RdtscBox,     Field::MmxBox,
                              Field::ExtendedMmxBox, Field::ThreeDNowBox, Field::ExtendedThreeDNowBox,
                              Field::SseBox,         Field::Sse2Box,      Field::ApicBox};
  EXPECT_EQ(fields.CheckedWrites, order);
  EXPECT_TRUE(fields.Checked(Field::RdtscBox));
  EXPECT_TRUE(fields.Checked(Field::ApicBox));
  EXPECT_TRUE(fields.Checked(Field::ExtendedThreeDNowBox));
  EXPECT_FALSE(fields.Checked(Field::ThreeDNowBox));
  EXPECT_FALSE(fields.Checked(Field::FpuBox));

  // A click that ticked a box is put back.
  fields.SetChecked(Field::FpuBox, true);
  UpdateFeatureBoxes(fields, flags);
  EXPECT_FALSE(fields.Checked(Field::FpuBox));
}

} // namespace qv
