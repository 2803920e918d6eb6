#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fields/PageFields.h"
#include "fields/RawValues.h"
#include "probes/Registry.h"

namespace qv {

// Platform ids of the version record.
constexpr uint32_t PlatformWin32s = 0;
constexpr uint32_t PlatformWindows = 1; // the 95 family
constexpr uint32_t PlatformNT = 2;

// The parts of the 148-byte version record the program uses. A failed call leaves it zeroed.
struct VersionInfo {
  uint32_t MajorVersion = 0;
  uint32_t MinorVersion = 0;
  uint32_t BuildNumber = 0; // only the low 16 bits count (the 95 family keeps the version above)
  uint32_t PlatformId = 0;
  std::string CSDVersion; // service-pack text
};

struct EditionTexts {
  std::optional<std::string> Platform; // nothing for an unknown platform id
  std::string Edition;                 // empty when no row of the platform's table holds
};

// Names the running system from its version numbers. Build is the low half of the build number.
EditionTexts DecodeEdition(uint32_t platformId, uint32_t major, uint32_t minor, uint16_t build);

struct SystemPaths {
  std::string Windows, System, Temp;
};

class VersionSource {
public:
  virtual ~VersionSource() = default;
  virtual VersionInfo Version() = 0;
};

// The operating system as the pass asks it: version, folders and the login name.
class OsSource : public VersionSource {
public:
  virtual SystemPaths Paths() = 0;
  // GetLoginName: the user's login name, empty when it cannot be read.
  virtual std::string LoginName() = 0;
};

// The real one: GetVersionExA, the folder queries and GetUserNameA (Windows builds only).
std::unique_ptr<OsSource> MakeWindowsOsSource();

// "4.10", "5.1": no padding.
std::string VersionText(uint32_t major, uint32_t minor);

struct ProductIdAndKey {
  std::string Id, Key;
};
// From the NT key first; the other key only fills what is still empty.
ProductIdAndKey ReadProductIdAndKey(Registry& registry);

// The DirectX version text, or nothing when LabelX is to stay as it is.
std::optional<std::string> ReadDirectXVersion(Registry& registry);
// The version text of the binary "InstalledVersion" value (at most 8 bytes).
std::string DecodeInstalledVersion(const std::vector<uint8_t>& data);

// The time zone's standard name; nothing when the key cannot be opened.
std::optional<std::string> ReadTimeZoneName(Registry& registry);

struct Registration {
  std::string Title, Company, Owner;
};
Registration ReadRegistration(Registry& registry, uint32_t platformId);

// The product name and the installation time Windows keeps, from its own family's key first:
// "InstallDate" (NT: seconds since 1970, UTC; the earliest of it and the ones feature updates kept)
// or "FirstInstallDateTime" (95: a DOS date and time). The workgroup is not read here.
RawValues::Installation ReadInstallation(Registry& registry, uint32_t platformId);
// Four bytes, low first: the DOS time in the low half, the date in the high half. Nothing when
// they do not hold a date.
std::optional<LocalDateTime> DateTimeFromDos(const std::vector<uint8_t>& bytes);

// First block of the pass: platform and edition, version, build, service pack, paths.
void GatherVersionFields(PageFields& fields, const VersionInfo& version);
void GatherPaths(PageFields& fields, const SystemPaths& paths);
void GatherProductIdAndKey(PageFields& fields, Registry& registry);
// Second block: DirectX, time zone, title and registration.
void GatherRegistration(PageFields& fields, Registry& registry, uint32_t platformId);

} // namespace qv
