#include <gtest/gtest.h>

#include "fields/FieldTable.h"
#include "native/FakeRegistry.h"
#include "probes/WindowsVersion.h"

namespace qv {

namespace {

struct EditionCase {
  uint32_t Platform, Major, Minor;
  uint16_t Build;
  const char* Edition;
};

void ExpectEditions(const char* platformText, const std::vector<EditionCase>& cases) {
  for (const auto& c : cases) {
    EditionTexts texts = DecodeEdition(c.Platform, c.Major, c.Minor, c.Build);
    SCOPED_TRACE(std::to_string(c.Major) + "." + std::to_string(c.Minor) + "." + std::to_string(c.Build));
    ASSERT_TRUE(texts.Platform.has_value());
    EXPECT_EQ(*texts.Platform, platformText);
    EXPECT_EQ(texts.Edition, c.Edition);
  }
}

} // namespace

TEST(DecodeEdition, Win32sTable) {
  ExpectEditions("Win 32s", {
                                {0, 3, 0, 0, "Windows 3.0"},
                                {0, 3, 1, 0, "Windows 3.1"},
                                {0, 3, 4, 0, "Windows 3.4"},
                                {0, 3, 5, 0, "Windows NT"},
                                {0, 3, 9, 0, "Windows NT"},
                                {0, 3, 10, 0, "Windows 3.10 for Workgroups"},
                                {0, 3, 11, 0, "Windows 3.11 for Workgroups"},
                                {0, 3, 49, 0, "Windows 3.49 for Workgroups"},
                                {0, 3, 50, 0, "Windows NT"},
                                {0, 3, 51, 0, "Windows NT"},
                                {0, 2, 11, 0, ""},
                                {0, 4, 0, 0, ""},
                                {0, 0, 0, 0, ""}, // what a failed version call leaves
                            });
}

TEST(DecodeEdition, NinetyFiveFamilyFirstRowWins) {
  ExpectEditions("Windows 95", {
                                   {1, 4, 0, 950, "Windows 95"},
                                   {1, 4, 0, 1000, "Windows 95"},
                                   {1, 4, 0, 1001, "Windows 95 OSR2"},
                                   {1, 4, 0, 1111, "Windows 95 OSR2"},
                                   {1, 4, 9, 5000, "Windows 95 OSR2"},
                                   {1, 4, 10, 1998, "Windows 98"},
                                   {1, 4, 10, 2000, "Windows 98"},
                                   {1, 4, 10, 2001, "Windows 98 SE"},
                                   {1, 4, 10, 2222, "Windows 98 SE"},
                                   {1, 4, 89, 2001, "Windows 98 SE"},
                                   {1, 4, 90, 2001, "Windows Millennium"},
                                   {1, 4, 90, 3000, "Windows Millennium"},
                                   {1, 4, 90, 2000, "Windows 98"}, // the 98 row comes first
                                   {1, 7, 0, 950, "Windows 95"},   // the major version is not looked at
                                   {1, 4, 10, 65535, "Windows 98 SE"},
                               });
}

TEST(DecodeEdition, NtFamilyBuildBoundaries) {
  ExpectEditions("Windows NT", {
                                   {2, 3, 51, 1057, "Windows NT (with 95 look)"},
                                   {2, 4, 0, 1381, "Windows NT (with 95 look)"},
                                   {2, 5, 0, 2195, "Windows 2000"},
                                   {2, 5, 0, 9999, "Windows 2000"},
                                   {2, 5, 1, 2249, "Windows Whistler (alpha-release)"},
                                   {2, 5, 1, 2250, "Windows Whistler (preview-release)"},
                                   {2, 5, 1, 2295, "Windows Whistler (preview-release)"},
                                   {2, 5, 1, 2296, "Windows Whistler (beta 1)"},
                                   {2, 5, 1, 2461, "Windows Whistler (beta 1)"},
                                   {2, 5, 1, 2462, "Windows XP (beta 2)"},
                                   {2, 5, 1, 2499, "Windows XP (beta 2)"},
                                   {2, 5, 1, 2500, "Windows XP (Release Candidate 1)"},
                                   {2, 5, 1, 2525, "Windows XP (Release Candidate 1)"},
                                   {2, 5, 1, 2526, "Windows XP (Release Candidate 2)"},
                                   {2, 5, 1, 2541, "Windows XP (Release Candidate 2)"},
                                   {2, 5, 1, 2542, "Windows XP (prior to Release To Market)"},
                                   {2, 5, 1, 2544, "Windows XP (prior to Release To Market)"},
                                   {2, 5, 1, 2545, "Windows XP (Release To Market)"},
                                   {2, 5, 1, 2599, "Windows XP (Release To Market)"},
                                   {2, 5, 1, 2600, "Windows XP (official final release)"},
                                   {2, 5, 1, 2601, ""},
                                   {2, 5, 2, 3790, ""},
                                   {2, 5, 2, 2000, "Windows XP (beta 2)"}, // the Whistler rows need minor 1
                                   {2, 6, 0, 6000, ""},
                                   {2, 10, 0, 2600, ""},
                               });
}

TEST(DecodeEdition, UnknownPlatformGivesNoTexts) {
  EditionTexts texts = DecodeEdition(3, 4, 0, 0);
  EXPECT_FALSE(texts.Platform.has_value());
  EXPECT_EQ(texts.Edition, "");
}

TEST(VersionFields, WrittenFromTheRecord) {
  FieldTable fields;
  GatherVersionFields(fields, {5, 1, 2600, 2, "Service Pack 2"});
  EXPECT_EQ(fields.Text(Field::Platform), "Windows NT");
  EXPECT_EQ(fields.Text(Field::OsDescription), "Windows XP (official final release)");
  EXPECT_EQ(fields.Text(Field::OsVersion), "5.1");
  EXPECT_EQ(fields.Text(Field::OsBuild), "2600");
  EXPECT_EQ(fields.Text(Field::ServicePack), "Service Pack 2");
}

TEST(VersionFields, NinetyFiveBuildKeepsOnlyItsLowHalf) {
  FieldTable fields;
  GatherVersionFields(fields, {4, 10, 0x040A08AE, 1, " A "});
  EXPECT_EQ(fields.Text(Field::OsDescription), "Windows 98 SE");
  EXPECT_EQ(fields.Text(Field::OsVersion), "4.10");
  EXPECT_EQ(fields.Text(Field::OsBuild), "2222");
  EXPECT_EQ(fields.Text(Field::ServicePack), " A ");
}

TEST(VersionFields, FailedVersionCallReadsWin32s) {
  FieldTable fields;
  GatherVersionFields(fields, VersionInfo{});
  EXPECT_EQ(fields.Text(Field::Platform), "Win 32s");
  EXPECT_EQ(fields.Text(Field::OsDescription), "");
  EXPECT_EQ(fields.Text(Field::OsVersion), "0.0");
  EXPECT_EQ(fields.Text(Field::OsBuild), "0");
}

TEST(VersionFields, UnknownPlatformLeavesEditionFieldsAsTheyWere) {
  FieldTable fields;
  fields.SetText(Field::OsDescription, "before");
  GatherVersionFields(fields, {6, 2, 9200, 7, ""});
  EXPECT_EQ(fields.Text(Field::Platform), "-");
  EXPECT_EQ(fields.Text(Field::OsDescription), "before");
  EXPECT_EQ(fields.Text(Field::OsVersion), "6.2");
  EXPECT_EQ(fields.Text(Field::OsBuild), "9200");
}

namespace {
const char* const NtKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char* const Key9x = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
} // namespace

TEST(ProductIdAndKey, NtKeyFirstOtherKeyFillsWhatIsEmpty) {
  struct Case {
    const char* Name;
    std::function<void(FakeRegistry&)> Plant;
    const char* Id;
    const char* Key;
  };
  std::vector<Case> cases = {
      {"both keys",
       [](FakeRegistry& r) {
         r.String(NtKey, "ProductID", "nt-id").String(NtKey, "ProductKey", "nt-key");
         r.String(Key9x, "ProductID", "9x-id").String(Key9x, "ProductKey", "9x-key");
       },
       "nt-id", "nt-key"},
      {"only the other key",
       [](FakeRegistry& r) { r.String(Key9x, "ProductID", "9x-id").String(Key9x, "ProductKey", "9x-key"); }, "9x-id",
       "9x-key"},
      {"split", [](FakeRegistry& r) { r.String(NtKey, "ProductID", "nt-id").String(Key9x, "ProductKey", "9x-key"); },
       "nt-id", "9x-key"},
      {"empty NT value is filled",
       [](FakeRegistry& r) { r.String(NtKey, "ProductID", "").String(Key9x, "ProductID", "9x-id"); }, "9x-id", ""},
      {"wrong type reads empty",
       [](FakeRegistry& r) {
         r.Binary(NtKey, "ProductID", {1, 2}).Dword(Key9x, "ProductKey");
       },
       "", ""},
      {"locked NT key", [](FakeRegistry& r) { r.Locked(NtKey).String(Key9x, "ProductID", "9x-id"); }, "9x-id", ""},
      {"nothing", [](FakeRegistry&) {}, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    FakeRegistry registry;
    c.Plant(registry);
    FieldTable fields;
    GatherProductIdAndKey(fields, registry);
    EXPECT_EQ(fields.Text(Field::ProductId), c.Id);
    EXPECT_EQ(fields.Text(Field::ProductKey), c.Key);
    EXPECT_EQ(registry.StillOpen(), 0u);
  }
}

TEST(DirectX, VersionStringWinsOverBinary) {
  FakeRegistry registry;
  registry.String("SOFTWARE\\Microsoft\\DirectX", "Version", "4.08.01.0881")
      .Binary("SOFTWARE\\Microsoft\\DirectX", "InstalledVersion", {0, 0, 0, 9, 0, 0, 0, 0});
  EXPECT_EQ(ReadDirectXVersion(registry), "4.08.01.0881");
  EXPECT_TRUE(registry.BinaryReads.empty());
}

TEST(DirectX, InstalledVersionReadsFourThenEightBytes) {
  struct Case {
    std::vector<uint8_t> Bytes;
    std::optional<std::string> Text;
    std::vector<std::size_t> Reads;
  };
  std::vector<Case> cases = {
      {{0, 0, 0, 8, 0, 0, 0, 1}, "8.1", {4, 8}},
      {{0, 0, 0, 9, 0, 0, 0, 0}, "9.0", {4, 8}},
      {{0, 0, 0, 5}, "5.0", {4}},
      {{0, 0, 1, 2, 0, 0, 0, 3}, "258.3", {4, 8}},
      {{0, 0, 0, 6, 0, 1}, "6.65536", {4, 8}}, // short value: missing bytes read as zeros
      {{}, "0.0", {4}},
      {{0, 0, 0, 9, 0, 0, 0, 0, 0}, std::nullopt, {4, 8}}, // too long for both reads: not written
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Bytes.size());
    FakeRegistry registry;
    registry.Binary("SOFTWARE\\Microsoft\\DirectX", "InstalledVersion", c.Bytes);
    EXPECT_EQ(ReadDirectXVersion(registry), c.Text);
    EXPECT_EQ(registry.BinaryReads, c.Reads);
    EXPECT_EQ(registry.StillOpen(), 0u);
  }
}

TEST(DirectX, UnwrittenCases) {
  std::vector<std::function<void(FakeRegistry&)>> plants = {
      [](FakeRegistry&) {},                                                                         // no key
      [](FakeRegistry& r) { r.Key("SOFTWARE\\Microsoft\\DirectX"); },                               // neither value
      [](FakeRegistry& r) { r.Locked("SOFTWARE\\Microsoft\\DirectX"); },                            // key will not open
      [](FakeRegistry& r) { r.String("SOFTWARE\\Microsoft\\DirectX", "InstalledVersion", "9.0"); }, // wrong type
  };
  for (std::size_t i = 0; i < plants.size(); ++i) {
    SCOPED_TRACE(i);
    FakeRegistry registry;
    plants[i](registry);
    FieldTable fields;
    fields.SetText(Field::DirectX, "previous pass");
    GatherRegistration(fields, registry, PlatformNT);
    EXPECT_EQ(fields.Text(Field::DirectX), "previous pass");
  }
}

TEST(DirectX, VersionOfWrongTypeIsWrittenEmpty) {
  // The string read fails, which gives the empty text like any failed string read.
  FakeRegistry registry;
  registry.Binary("SOFTWARE\\Microsoft\\DirectX", "Version", {1});
  EXPECT_EQ(ReadDirectXVersion(registry), "");
}

TEST(TimeZone, EmptyWithoutValueUnwrittenWithoutKey) {
  const char* key = "SYSTEM\\CurrentControlSet\\Control\\TimeZoneInformation";
  FieldTable fields;
  FakeRegistry none;
  GatherRegistration(fields, none, PlatformNT);
  EXPECT_EQ(fields.Text(Field::TimeZone), "-");

  FakeRegistry noValue;
  noValue.Key(key);
  GatherRegistration(fields, noValue, PlatformNT);
  EXPECT_EQ(fields.Text(Field::TimeZone), "");

  FakeRegistry full;
  full.String(key, "StandardName", "W. Europe Standard Time");
  GatherRegistration(fields, full, PlatformNT);
  EXPECT_EQ(fields.Text(Field::TimeZone), "W. Europe Standard Time");
}

TEST(Registration, KeyAndTitleValueFollowThePlatform) {
  FakeRegistry registry;
  registry.String(NtKey, "CurrentType", "Uniprocessor Free")
      .String(NtKey, "RegisteredOrganization", "NT Org")
      .String(NtKey, "RegisteredOwner", "NT Owner")
      .String(NtKey, "Version", "not the NT title")
      .String(Key9x, "Version", "Windows 98")
      .String(Key9x, "CurrentType", "not the 9x title")
      .String(Key9x, "RegisteredOrganization", "9x Org")
      .String(Key9x, "RegisteredOwner", "9x Owner");
  struct Case {
    uint32_t Platform;
    const char *Title, *Company, *Owner;
  };
  for (const Case& c : {Case{PlatformNT, "Uniprocessor Free", "NT Org", "NT Owner"},
                        Case{PlatformWindows, "Windows 98", "9x Org", "9x Owner"},
                        Case{PlatformWin32s, "Windows 98", "9x Org", "9x Owner"}}) {
    FieldTable fields;
    GatherRegistration(fields, registry, c.Platform);
    EXPECT_EQ(fields.Text(Field::OsTitle), c.Title);
    EXPECT_EQ(fields.Text(Field::Company), c.Company);
    EXPECT_EQ(fields.Text(Field::RegisteredName), c.Owner);
  }
  EXPECT_EQ(registry.StillOpen(), 0u);
}

TEST(Registration, MissingKeyOrValuesGiveEmptyTexts) {
  FieldTable fields;
  FakeRegistry none;
  GatherRegistration(fields, none, PlatformNT);
  EXPECT_EQ(fields.Text(Field::OsTitle), "");
  EXPECT_EQ(fields.Text(Field::Company), "");
  EXPECT_EQ(fields.Text(Field::RegisteredName), "");

  FakeRegistry partial;
  partial.String(NtKey, "RegisteredOwner", "Owner").Dword(NtKey, "CurrentType");
  GatherRegistration(fields, partial, PlatformNT);
  EXPECT_EQ(fields.Text(Field::OsTitle), "");
  EXPECT_EQ(fields.Text(Field::Company), "");
  EXPECT_EQ(fields.Text(Field::RegisteredName), "Owner");
}

} // namespace qv
