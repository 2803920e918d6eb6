#include "probes/Bios.h"

#include "probes/WindowsVersion.h"

namespace qv {

namespace {

const char* const SystemBoardKey = "Enum\\Root\\*PNP0C01\\0000";

// Opens the key just for this one value, as each fallback stands on its own.
std::string ReadOne(Registry& registry, const char* path, const char* name) {
  RegKey key(registry, path);
  return key.ValueExists(name) ? key.ReadString(name) : std::string();
}

} // namespace

BiosInfo ReadBios(Registry& registry, uint32_t platformId) {
  BiosInfo bios;
  if (platformId == PlatformNT) {
    RegKey key(registry, "HARDWARE\\DESCRIPTION\\System");
    if (key.ValueExists("SystemBiosDate")) bios.Date = key.ReadString("SystemBiosDate");
    if (key.ValueExists("Identifier")) bios.Name = key.ReadString("Identifier");
  }
  if (bios.Date.empty()) bios.Date = ReadOne(registry, SystemBoardKey, "BIOSDate");
  if (bios.Name.empty()) bios.Name = ReadOne(registry, SystemBoardKey, "BIOSVersion");
  if (bios.Name.empty()) bios.Name = ReadOne(registry, SystemBoardKey, "BIOSName");
  return bios;
}

void GatherBios(PageFields& fields, Registry& registry, uint32_t platformId) {
  BiosInfo bios = ReadBios(registry, platformId);
  fields.SetText(Field::BiosType, bios.Name);
  fields.SetText(Field::BiosDate, bios.Date);
}

} // namespace qv
