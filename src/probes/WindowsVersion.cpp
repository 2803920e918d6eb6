#include "probes/WindowsVersion.h"

namespace qv {

namespace {

std::string Win32sEdition(uint32_t major, uint32_t minor) {
  if (major != 3) return "";
  if (minor < 5) return "Windows 3." + std::to_string(minor);
  if (minor < 10) return "Windows NT";
  if (minor < 50) return "Windows 3." + std::to_string(minor) + " for Workgroups";
  return "Windows NT";
}

// The major version is not looked at: the family's minor numbers alone tell the editions apart.
std::string Windows9xEdition(uint32_t minor, uint16_t build) {
  if (minor < 10 && build <= 1000) return "Windows 95";
  if (minor < 10 && build > 1000) return "Windows 95 OSR2";
  if (minor >= 10 && build <= 2000) return "Windows 98";
  if (minor < 90 && build > 2000) return "Windows 98 SE";
  if (minor >= 90) return "Windows Millennium";
  return "";
}

std::string NtEdition(uint32_t major, uint32_t minor, uint16_t build) {
  if (major < 5) return "Windows NT (with 95 look)";
  if (major != 5) return "";
  if (minor == 0) return "Windows 2000";
  if (minor == 1 && build < 2250) return "Windows Whistler (alpha-release)";
  if (minor == 1 && build < 2296) return "Windows Whistler (preview-release)";
  if (minor == 1 && build < 2462) return "Windows Whistler (beta 1)";
  if (build < 2500) return "Windows XP (beta 2)";
  if (build < 2526) return "Windows XP (Release Candidate 1)";
  if (build < 2542) return "Windows XP (Release Candidate 2)";
  if (build < 2545) return "Windows XP (prior to Release To Market)";
  if (build < 2600) return "Windows XP (Release To Market)";
  if (build == 2600) return "Windows XP (official final release)";
  return "";
}

const char* const NtCurrentVersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char* const CurrentVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

std::string ReadIfExists(RegKey& key, const char* name) {
  return key.ValueExists(name) ? key.ReadString(name) : std::string();
}

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

} // namespace

EditionTexts DecodeEdition(uint32_t platformId, uint32_t major, uint32_t minor, uint16_t build) {
  switch (platformId) {
    case PlatformWin32s:
      return {"Win 32s", Win32sEdition(major, minor)};
    case PlatformWindows:
      return {"Windows 95", Windows9xEdition(minor, build)};
    case PlatformNT:
      return {"Windows NT", NtEdition(major, minor, build)};
    default:
      return {std::nullopt, ""};
  }
}

std::string VersionText(uint32_t major, uint32_t minor) { return std::to_string(major) + "." + std::to_string(minor); }

ProductIdAndKey ReadProductIdAndKey(Registry& registry) {
  ProductIdAndKey result;
  {
    RegKey nt(registry, NtCurrentVersionKey);
    if (nt) {
      result.Id = ReadIfExists(nt, "ProductID");
      result.Key = ReadIfExists(nt, "ProductKey");
    }
  }
  RegKey other(registry, CurrentVersionKey);
  if (other) {
    if (result.Id.empty() && other.ValueExists("ProductID")) result.Id = other.ReadString("ProductID");
    if (result.Key.empty() && other.ValueExists("ProductKey")) result.Key = other.ReadString("ProductKey");
  }
  return result;
}

// "InstalledVersion" holds the version as big-endian 32-bit numbers: eight bytes are the major
// then the minor number (00 00 00 08 00 00 00 01 reads 8.1); a four-byte value holds the major
// number alone and reads as major.0. The bytes land in a zeroed 8-byte buffer, so a shorter
// value reads as if padded with zeros at its end.
std::string DecodeInstalledVersion(const std::vector<uint8_t>& data) {
  uint8_t buffer[8] = {};
  for (std::size_t i = 0; i < data.size() && i < sizeof buffer; ++i) buffer[i] = data[i];
  return std::to_string(BigEndian32(buffer)) + "." + std::to_string(BigEndian32(buffer + 4));
}

std::optional<std::string> ReadDirectXVersion(Registry& registry) {
  RegKey key(registry, "SOFTWARE\\Microsoft\\DirectX");
  if (!key) return std::nullopt;
  if (key.ValueExists("Version")) return key.ReadString("Version");
  if (!key.ValueExists("InstalledVersion")) return std::nullopt;
  auto data = key.ReadBinary("InstalledVersion", 4);
  if (!data) data = key.ReadBinary("InstalledVersion", 8);
  if (!data) return std::nullopt;
  return DecodeInstalledVersion(*data);
}

std::optional<std::string> ReadTimeZoneName(Registry& registry) {
  RegKey key(registry, "SYSTEM\\CurrentControlSet\\Control\\TimeZoneInformation");
  if (!key) return std::nullopt;
  return ReadIfExists(key, "StandardName");
}

Registration ReadRegistration(Registry& registry, uint32_t platformId) {
  bool nt = platformId == PlatformNT;
  RegKey key(registry, nt ? NtCurrentVersionKey : CurrentVersionKey);
  Registration result;
  if (!key) return result;
  result.Title = ReadIfExists(key, nt ? "CurrentType" : "Version");
  result.Company = ReadIfExists(key, "RegisteredOrganization");
  result.Owner = ReadIfExists(key, "RegisteredOwner");
  return result;
}

std::optional<LocalDateTime> DateTimeFromDos(const std::vector<uint8_t>& bytes) {
  if (bytes.size() != 4) return std::nullopt;
  const unsigned time = bytes[0] | bytes[1] << 8, date = bytes[2] | bytes[3] << 8;
  LocalDateTime t{1980 + static_cast<int>(date >> 9), static_cast<int>(date >> 5 & 15),
                  static_cast<int>(date & 31),        static_cast<int>(time >> 11),
                  static_cast<int>(time >> 5 & 63),   static_cast<int>(time & 31) * 2};
  if (t.Month < 1 || t.Month > 12 || t.Day < 1 || t.Hour > 23 || t.Minute > 59 || t.Second > 59) return std::nullopt;
  return t;
}

namespace {

// Each feature update of Windows 10 and 11 writes a new "InstallDate" and keeps the one before under
// SYSTEM\Setup\Source OS (Updated on ...): the earliest of them is when this Windows was installed.
std::optional<uint32_t> EarliestInstallDate(Registry& registry, std::optional<uint32_t> current) {
  const std::string setup = "SYSTEM\\Setup";
  std::vector<std::string> names;
  {
    RegKey key(registry, setup);
    names = key.SubKeys();
  }
  for (const std::string& name : names) {
    if (name.rfind("Source OS", 0) != 0) continue;
    RegKey key(registry, setup + "\\" + name);
    auto seconds = key.ReadDword("InstallDate");
    if (seconds && *seconds && (!current || *seconds < *current)) current = seconds;
  }
  return current;
}

} // namespace

RawValues::Installation ReadInstallation(Registry& registry, uint32_t platformId) {
  RawValues::Installation result;
  const bool nt = platformId == PlatformNT;
  for (const char* path :
       {nt ? NtCurrentVersionKey : CurrentVersionKey, nt ? CurrentVersionKey : NtCurrentVersionKey}) {
    RegKey key(registry, path);
    if (result.ProductName.empty()) result.ProductName = ReadIfExists(key, "ProductName");
    if (result.InstallTime) continue;
    auto seconds = key.ReadDword("InstallDate");
    if (seconds && *seconds == 0) seconds.reset();
    if (path == NtCurrentVersionKey) seconds = EarliestInstallDate(registry, seconds);
    if (seconds)
      result.InstallTime = DateTimeFromUnixSeconds(*seconds);
    else if (auto dos = key.ReadBinary("FirstInstallDateTime", 4))
      result.InstallTime = DateTimeFromDos(*dos);
  }
  return result;
}

void GatherVersionFields(PageFields& fields, const VersionInfo& version) {
  uint16_t build = static_cast<uint16_t>(version.BuildNumber & 0xFFFF);
  EditionTexts edition = DecodeEdition(version.PlatformId, version.MajorVersion, version.MinorVersion, build);
  // An unknown platform leaves both texts as they were.
  if (edition.Platform) {
    fields.SetText(Field::Platform, *edition.Platform);
    fields.SetText(Field::OsDescription, edition.Edition);
  }
  fields.SetText(Field::OsVersion, VersionText(version.MajorVersion, version.MinorVersion));
  fields.SetText(Field::OsBuild, std::to_string(build));
  fields.SetText(Field::ServicePack, version.CSDVersion);
}

void GatherPaths(PageFields& fields, const SystemPaths& paths) {
  fields.SetText(Field::WindowsPath, paths.Windows);
  fields.SetText(Field::SystemPath, paths.System);
  fields.SetText(Field::TempPath, paths.Temp);
}

void GatherProductIdAndKey(PageFields& fields, Registry& registry) {
  ProductIdAndKey product = ReadProductIdAndKey(registry);
  fields.SetText(Field::ProductId, product.Id);
  fields.SetText(Field::ProductKey, product.Key);
}

void GatherRegistration(PageFields& fields, Registry& registry, uint32_t platformId) {
  if (auto directX = ReadDirectXVersion(registry)) fields.SetText(Field::DirectX, *directX);
  if (auto zone = ReadTimeZoneName(registry)) fields.SetText(Field::TimeZone, *zone);
  Registration registration = ReadRegistration(registry, platformId);
  fields.SetText(Field::OsTitle, registration.Title);
  fields.SetText(Field::Company, registration.Company);
  fields.SetText(Field::RegisteredName, registration.Owner);
}

} // namespace qv
