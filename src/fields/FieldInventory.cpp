#include "fields/FieldInventory.h"

#include "core/Errors.h"
#include "fields/ProgramIdentity.h"

namespace qv {

const char* const QuorvelVersion = QUORVEL_VERSION_TEXT;
const char* const HomePageCaption = "www.quorvel.example";
const char* const HomePageUrl = "http://www.quorvel.example/";
const char* const NoticeText = QUORVEL_NOTICE_TEXT;
const char* const CreditText = "Written by the Quorvel team. Thanks to everyone who tested it.";

namespace {

constexpr int CaptionLeft = 8;
constexpr int CaptionWidth = 100;
constexpr int ValueLeft = 125;
constexpr int ValueWidth = 300;
constexpr int RowHeight = 13;

FieldSpec Caption(Field name, int page, int top, const char* text, int left = CaptionLeft) {
  return {name, FieldKind::fkCaption, page, Bounds(left, top, CaptionWidth, RowHeight), text, {}, "", false, true};
}
FieldSpec Value(Field name, int page, int top, int width = ValueWidth, int left = ValueLeft) {
  return {name, FieldKind::fkValue, page, Bounds(left, top, width, RowHeight), "-", {}};
}
FieldSpec Memo(Field name, int page, int top, int height, std::vector<std::string> lines = {"-"},
               bool readOnly = false) {
  return {name, FieldKind::fkMemo, page, Bounds(ValueLeft, top, ValueWidth, height),
          "",   std::move(lines),  "",   readOnly};
}
FieldSpec Check(Field name, int page, int left, int top, const char* caption, int width = 65) {
  return {name, FieldKind::fkCheck, page, Bounds(left, top, width, 15), caption, {}};
}
FieldSpec Bar(Field name, int page, int top, int height) {
  return {name, FieldKind::fkBar, page, Bounds(ValueLeft, top, ValueWidth, height), "", {}};
}

// The Welcome page.
void AddWelcome(std::vector<FieldSpec>& f) {
  f.push_back({Field::ProductName, FieldKind::fkStatic, 0, Bounds(24, 24, 60, 13), "Quorvel", {}});
  f.push_back(
      {Field::ProductVersion, FieldKind::fkStatic, 0, Bounds(240, 24, 169, 13), QuorvelVersion, {}, "", false, true});
  f.push_back({Field::CreditsViewport, FieldKind::fkBox, 0, Bounds(24, 48, 385, 200), "", {}});
  f.push_back({Field::CreditsList, FieldKind::fkBox, 0, Bounds(8, 195, 353, 1605), "", {}});
}

// The My Computer page.
void AddMyComputer(std::vector<FieldSpec>& f) {
  f.push_back(Caption(Field::ComputerNameCaption, 1, 24, "Computer Name:"));
  f.push_back(Value(Field::ComputerName, 1, 24, 225));
  f.push_back(Check(Field::NumLockBox, 1, 360, 24, "NUM"));
  f.push_back(Check(Field::CapsLockBox, 1, 360, 40, "CAPS"));
  f.push_back(Check(Field::ScrollLockBox, 1, 360, 56, "SCROLL"));
  f.push_back(Check(Field::InsertBox, 1, 360, 72, "INS"));
  f.push_back(Caption(Field::BiosTypeCaption, 1, 40, "BIOS Type:"));
  f.push_back(Value(Field::BiosType, 1, 40, 236));
  f.push_back(Caption(Field::BiosDateCaption, 1, 56, "BIOS Date:"));
  f.push_back(Value(Field::BiosDate, 1, 56, 244));
  f.push_back(Caption(Field::MemoryCaption, 1, 88, "Memory:"));
  f.push_back(Value(Field::Memory, 1, 88));
  f.push_back(Bar(Field::MemoryBar, 1, 104, 16));
  f.push_back(Caption(Field::TimeCaption, 1, 124, "Time:"));
  f.push_back(Value(Field::Time, 1, 124, 125, 124));
  f.push_back(Caption(Field::DateCaption, 1, 124, "Date:", 194));
  f.push_back(Value(Field::Date, 1, 124, 125, 301));
  f.push_back(Caption(Field::DrivesCaption, 1, 144, "Drives:"));
  f.push_back(Memo(Field::Drives, 1, 144, 97, {"1", "2", "3", "4", "5"}, true));
}

// The Processor page.
void AddProcessor(std::vector<FieldSpec>& f) {
  f.push_back(Caption(Field::CpuDescriptionCaption, 2, 24, "Description:"));
  f.push_back(Value(Field::CpuDescription, 2, 24));
  f.push_back(Caption(Field::CpuVendorCaption, 2, 40, "Vendor:"));
  f.push_back(Value(Field::CpuVendor, 2, 40));
  f.push_back(Caption(Field::CpuSpeedCaption, 2, 56, "Speed:"));
  f.push_back(Value(Field::CpuSpeed, 2, 56));
  f.push_back(Caption(Field::CpuTypeCaption, 2, 72, "Type:"));
  f.push_back(Value(Field::CpuType, 2, 72));
  f.push_back(Caption(Field::CpuCountCaption, 2, 88, "Count:"));
  f.push_back(Value(Field::CpuCount, 2, 88));
  f.push_back(Caption(Field::FeaturesCaption, 2, 120, "Features:"));
  const std::pair<Field, const char*> features[9] = {
      {Field::FpuBox, "FPU"},     {Field::MmxBox, "MMX"},          {Field::ExtendedMmxBox, "MMX+"},
      {Field::RdtscBox, "RDTSC"}, {Field::ThreeDNowBox, "3DNow!"}, {Field::ExtendedThreeDNowBox, "3DNow!+"},
      {Field::ApicBox, "APIC"},   {Field::SseBox, "iSSE"},         {Field::Sse2Box, "iSSE-2"}};
  const int rows[3] = {120, 136, 152};
  const int columns[3] = {125, 237, 350};
  for (int i = 0; i < 9; ++i)
    f.push_back(Check(features[i].first, 2, columns[i % 3], rows[i / 3], features[i].second, 75));
  f.push_back(Caption(Field::UsageCaption, 2, 184, "Usage:"));
  f.push_back(Bar(Field::LoadBar1, 2, 184, 25));
  f.push_back(Bar(Field::LoadBar2, 2, 216, 25));
}

// The Operating System page.
void AddOperatingSystem(std::vector<FieldSpec>& f) {
  f.push_back(Caption(Field::OsDescriptionCaption, 3, 24, "Description:"));
  f.push_back(Value(Field::OsDescription, 3, 24));
  f.push_back(Caption(Field::PlatformCaption, 3, 40, "Platform:"));
  f.push_back(Value(Field::Platform, 3, 40, 175));
  // Right-aligned in the usual 100-wide caption box at 308 these two would run under their values at
  // 375: they keep their left edge and take the width of their text.
  f.push_back({Field::OsVersionCaption, FieldKind::fkCaption, 3, Bounds(308, 40, 60, RowHeight), "Version:", {}});
  f.push_back(Value(Field::OsVersion, 3, 40, 50, 375));
  f.push_back(Caption(Field::OsTitleCaption, 3, 56, "Title:"));
  f.push_back(Value(Field::OsTitle, 3, 56, 175));
  f.push_back({Field::OsBuildCaption, FieldKind::fkCaption, 3, Bounds(308, 56, 60, RowHeight), "Build:", {}});
  f.push_back(Value(Field::OsBuild, 3, 56, 50, 375));
  struct OsRow {
    Field Caption;
    const char* Text;
    Field Value;
  };
  const OsRow os[] = {{Field::ProductIdCaption, "ID:", Field::ProductId},
                      {Field::ProductKeyCaption, "Key:", Field::ProductKey},
                      {Field::DirectXCaption, "DirectX:", Field::DirectX},
                      {Field::LoginNameCaption, "Login Name:", Field::LoginName},
                      {Field::RegisteredNameCaption, "Register Name:", Field::RegisteredName},
                      {Field::CompanyCaption, "Company:", Field::Company},
                      {Field::TimeZoneCaption, "Time Zone:", Field::TimeZone},
                      {Field::WindowsPathCaption, "Windows Path:", Field::WindowsPath},
                      {Field::SystemPathCaption, "System Path:", Field::SystemPath},
                      {Field::TempPathCaption, "Temp Path:", Field::TempPath},
                      {Field::ServicePackCaption, "Add-On:", Field::ServicePack}};
  int top = 72;
  for (const auto& row : os) {
    f.push_back(Caption(row.Caption, 3, top, row.Text));
    f.push_back(Value(row.Value, 3, top));
    top += 16;
  }
}

// The Devices page.
void AddDevices(std::vector<FieldSpec>& f) {
  f.push_back(Caption(Field::KeyboardCaption, 4, 24, "Keyboard:"));
  f.push_back(Value(Field::Keyboard, 4, 24));
  f.push_back(Caption(Field::MouseCaption, 4, 40, "Mouse:"));
  f.push_back(Value(Field::Mouse, 4, 40));
  f.push_back(Caption(Field::PrintersCaption, 4, 58, "Printers:"));
  f.push_back(Memo(Field::Printers, 4, 58, 33));
  f.push_back(Caption(Field::PortsCaption, 4, 95, "Ports:"));
  f.push_back(Memo(Field::Ports, 4, 95, 33));
  f.push_back(Caption(Field::WaveAudioCaption, 4, 134, "Wave Audio:"));
  f.push_back(Value(Field::WaveAudio, 4, 134));
  f.push_back(Caption(Field::MidiAudioCaption, 4, 150, "Midi Audio:"));
  f.push_back(Value(Field::MidiAudio, 4, 150));
  f.push_back(Caption(Field::MixerCaption, 4, 166, "Audio Mixer:"));
  f.push_back(Value(Field::Mixer, 4, 166));
  f.push_back(Caption(Field::MediaCaption, 4, 182, "Media:"));
  f.push_back(Memo(Field::Media, 4, 182, 66));
}

// The More ... page.
void AddMore(std::vector<FieldSpec>& f) {
  f.push_back(Caption(Field::LocalIpCaption, 5, 24, "Local IP Address:"));
  f.push_back({Field::LocalIp,
               FieldKind::fkUrl,
               5,
               Bounds(ValueLeft, 24, ValueWidth, RowHeight),
               "Who is it?",
               {},
               "click for more information"});
  f.push_back(Caption(Field::MacAddressesCaption, 5, 42, "MAC Addresses:"));
  f.push_back(Memo(Field::MacAddresses, 5, 42, 49));
  f.push_back(Caption(Field::ResolutionCaption, 5, 96, "Screen Resolution:"));
  f.push_back(Value(Field::Resolution, 5, 96));
  f.push_back(Caption(Field::ColoursCaption, 5, 112, "Display Colors:"));
  f.push_back(Value(Field::Colours, 5, 112));
  f.push_back(Caption(Field::VideoAdaptersCaption, 5, 130, "Video Adapters:"));
  f.push_back(Memo(Field::VideoAdapters, 5, 130, 49));
  f.push_back(Caption(Field::MonitorsCaption, 5, 184, "Monitors:"));
  f.push_back(Memo(Field::Monitors, 5, 184, 51));
}

// The controls on the window itself, below the tab strip.
void AddWindowFields(std::vector<FieldSpec>& f) {
  f.push_back({Field::Notice, FieldKind::fkStatic, -1, Bounds(120, 321, 140, 15), NoticeText, {}, "FREEWARE"});
  f.push_back({Field::HomePage,
               FieldKind::fkUrl,
               -1,
               Bounds(417, 321, 155, 15),
               HomePageCaption,
               {},
               "Visit the official website.",
               false,
               true});
}

std::vector<FieldSpec> MakeInventory() {
  std::vector<FieldSpec> f;
  AddWelcome(f);
  AddMyComputer(f);
  AddProcessor(f);
  AddOperatingSystem(f);
  AddDevices(f);
  AddMore(f);
  AddWindowFields(f);
  return f;
}

} // namespace

const std::vector<FieldSpec>& FieldInventory() {
  static const std::vector<FieldSpec> inventory = MakeInventory();
  return inventory;
}

const FieldSpec& FindField(Field field) {
  static const std::vector<const FieldSpec*> index = [] {
    std::vector<const FieldSpec*> byField(FieldCount, nullptr);
    for (const auto& entry : FieldInventory()) byField[static_cast<int>(entry.Id)] = &entry;
    return byField;
  }();
  const FieldSpec* entry = index[static_cast<int>(field)];
  if (!entry) throw Exception(std::string("No design values for the page field ") + FieldName(field));
  return *entry;
}

const FieldSpec* NamingCaption(Field value) {
  const FieldSpec* caption = nullptr;
  for (const auto& entry : FieldInventory()) {
    if (entry.Kind == FieldKind::fkCaption) caption = &entry;
    if (entry.Id != value) continue;
    const bool named = entry.Kind == FieldKind::fkValue || entry.Kind == FieldKind::fkMemo ||
                       entry.Kind == FieldKind::fkBar || entry.Kind == FieldKind::fkUrl;
    return named && caption && caption->Page == entry.Page ? caption : nullptr;
  }
  return nullptr;
}

const char* FieldName(Field field) {
  static const char* const names[] = {
#define QV_FIELD_NAME(name) #name,
      QV_PAGE_FIELDS(QV_FIELD_NAME)
#undef QV_FIELD_NAME
  };
  return names[static_cast<int>(field)];
}

const std::vector<CreditRole>& CreditRoles() {
  static const std::vector<CreditRole> roles = {
      {"AUTHOR", {"Mira Halden"}},
      {"CPU ROUTINES", {"Jonas Veltri", "Mira Halden"}},
      {"GRAPHICAL ASSISTANCE", {"Ottilie Brask"}},
      {"OTHER ROUTINES", {"Pavel Kessun", "Ines Marloe", "Teodor Wick"}},
      {"HELP TRANSLATORS", {"Anouk Derval", "Sven Ralsted", "Lucia Ferrano", "Kenji Adachi"}},
      {"SETUP GENERATOR", {"Ruben Talis"}},
      {"BETA TESTERS",
       {"Hedda Lorn", "Matteo Quist", "Yara Solberg", "Emil Strand", "Noor Baptist", "Viktor Hesse", "Clara Meinke",
        "Tobias Ruhl"}},
  };
  return roles;
}

} // namespace qv
