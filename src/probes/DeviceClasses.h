#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "fields/PageFields.h"
#include "probes/Registry.h"
#include "probes/WindowsVersion.h"

namespace qv {

// The class database as look-ups read it: the class list is read once, and each class key is
// opened once and its class-name value read in one query, however many names are looked up, and
// only as far down the list as they need. The instances of the first class of each wanted name are
// listed while its key is open. Family and root follow the running platform, read when the first
// look-up starts.
class DeviceClassScan {
public:
  DeviceClassScan(Registry& registry, VersionSource& version, std::vector<std::string> wantedNames);

  struct Class {
    std::string Path;
    std::vector<std::string> Instances;
  };
  // The first class named className (exactly, case included); nothing when none is, or when the
  // name was not among the wanted ones.
  const Class* Find(const std::string& className);

private:
  Registry& Reg;
  VersionSource& Version;
  std::vector<std::string> Wanted;
  bool Started = false;
  std::string Root, NameValue;
  std::vector<std::string> Classes;
  std::size_t Next = 0;
  std::deque<std::pair<std::string, Class>> Found; // a deque keeps what Find handed out in place
};

// The path (under HKEY_LOCAL_MACHINE) of the last instance of the first class named className
// (exactly, case included) that has a value valueName (any instance when valueName is empty);
// empty when no class or instance matches. The class root follows the running platform family.
std::string FindClassInstanceKey(Registry& registry, VersionSource& version, const std::string& className,
                                 const std::string& valueName);

// Clears list and appends the "DriverDesc" of every instance of the first class named className.
// Returns the matched class key's path (empty when none matched).
std::string ListClassDriverDescs(Registry& registry, VersionSource& version, const std::string& className,
                                 std::vector<std::string>& list);

// The same two look-ups on a scan that a pass shares between its fields.
std::string FindClassInstanceKey(Registry& registry, DeviceClassScan& scan, const std::string& className,
                                 const std::string& valueName);
std::string ListClassDriverDescs(Registry& registry, DeviceClassScan& scan, const std::string& className,
                                 std::vector<std::string>& list);

// NT before version 5: appends the name of the first video adapter, if the registry has one.
void ListVideoAdapters(Registry& registry, std::vector<std::string>& list);

// Every non-zero byte as one character, up to two zero bytes in a row or the end of the data
// (the bytes 53 00 33 00 00 00 give "S3").
std::string WideBytesToText(const uint8_t* bytes, std::size_t length);

// The class names of the pass's fields, by the platform family of its version record.
struct DeviceClassNames {
  const char* Keyboard;
  const char* Mouse;
  const char* Monitor;
  const char* Port;
  const char* Adapter; // NT before version 5 has none: the video probe is used instead
  const char* Media;
};
DeviceClassNames ClassNamesFor(const VersionInfo& passVersion);

// "DriverDesc" of the instance FindClassInstanceKey gives; empty when there is none.
std::string ClassDriverDesc(Registry& registry, VersionSource& version, const std::string& className);
std::string ClassDriverDesc(Registry& registry, DeviceClassScan& scan, const std::string& className);

// The class names a pass with this version record looks up, for its scan.
std::vector<std::string> PassClassNames(const VersionInfo& passVersion);

// The device-class fields of the pass, each a step of its own so the pass keeps its order. The pass
// shares one scan (of PassClassNames) between them; without one each step reads the database anew.
void GatherKeyboardAndMouse(PageFields& fields, Registry& registry, DeviceClassScan& scan,
                            const VersionInfo& passVersion);
void GatherMonitorsAndPorts(PageFields& fields, Registry& registry, DeviceClassScan& scan,
                            const VersionInfo& passVersion);
void GatherVideoAdapters(PageFields& fields, Registry& registry, DeviceClassScan& scan, const VersionInfo& passVersion);
void GatherMedia(PageFields& fields, Registry& registry, DeviceClassScan& scan, const VersionInfo& passVersion);
void GatherKeyboardAndMouse(PageFields& fields, Registry& registry, VersionSource& version,
                            const VersionInfo& passVersion);
void GatherMonitorsAndPorts(PageFields& fields, Registry& registry, VersionSource& version,
                            const VersionInfo& passVersion);
void GatherVideoAdapters(PageFields& fields, Registry& registry, VersionSource& version,
                         const VersionInfo& passVersion);
void GatherMedia(PageFields& fields, Registry& registry, VersionSource& version, const VersionInfo& passVersion);

} // namespace qv
