#include "probes/DeviceClasses.h"

#include <algorithm>
#include <optional>

namespace qv {

namespace {

struct ClassDatabase {
  const char* Root;
  const char* NameValue; // "" is the key's default value
};

ClassDatabase DatabaseFor(uint32_t platformId) {
  if (platformId == PlatformNT) return {"System\\CurrentControlSet\\Control\\Class", "Class"};
  return {"System\\CurrentControlSet\\Services\\Class", ""};
}

} // namespace

DeviceClassScan::DeviceClassScan(Registry& registry, VersionSource& version, std::vector<std::string> wantedNames)
    : Reg(registry), Version(version), Wanted(std::move(wantedNames)) {}

const DeviceClassScan::Class* DeviceClassScan::Find(const std::string& className) {
  auto known = [this](const std::string& name) -> const Class* {
    for (const auto& [found, cls] : Found)
      if (found == name) return &cls;
    return nullptr;
  };
  auto wanted = [this](const std::string& name) {
    return std::find(Wanted.begin(), Wanted.end(), name) != Wanted.end();
  };
  if (const Class* cls = known(className)) return cls;
  if (!wanted(className)) return nullptr;
  if (!Started) {
    Started = true;
    ClassDatabase db = DatabaseFor(Version.Version().PlatformId);
    Root = db.Root;
    NameValue = db.NameValue;
    RegKey root(Reg, Root);
    Classes = root.SubKeys(); // none when the root does not open
  }
  while (Next < Classes.size()) {
    std::string path = Root + "\\" + Classes[Next++];
    RegKey key(Reg, path);
    // A class without a class-name value is passed over like any other; so is a later class of a
    // name already found, since only the first counts.
    auto name = key.ReadStringValue(NameValue);
    if (!name || !wanted(*name) || known(*name)) continue;
    Found.push_back({*name, Class{path, key.SubKeys()}});
    if (*name == className) return &Found.back().second;
  }
  return nullptr;
}

std::string FindClassInstanceKey(Registry& registry, DeviceClassScan& scan, const std::string& className,
                                 const std::string& valueName) {
  const DeviceClassScan::Class* cls = scan.Find(className);
  if (!cls) return "";
  // The last instance accepted in list order is the first accepted from the end.
  for (auto instance = cls->Instances.rbegin(); instance != cls->Instances.rend(); ++instance) {
    std::string path = cls->Path + "\\" + *instance;
    RegKey key(registry, path);
    if (key && (valueName.empty() || key.ValueExists(valueName))) return path;
  }
  return "";
}

std::string FindClassInstanceKey(Registry& registry, VersionSource& version, const std::string& className,
                                 const std::string& valueName) {
  DeviceClassScan scan(registry, version, {className});
  return FindClassInstanceKey(registry, scan, className, valueName);
}

std::string ListClassDriverDescs(Registry& registry, DeviceClassScan& scan, const std::string& className,
                                 std::vector<std::string>& list) {
  list.clear();
  const DeviceClassScan::Class* cls = scan.Find(className);
  if (!cls) return "";
  for (const auto& instance : cls->Instances) {
    RegKey key(registry, cls->Path + "\\" + instance);
    if (auto desc = key.ReadStringValue("DriverDesc")) list.push_back(*desc);
  }
  return cls->Path;
}

std::string ListClassDriverDescs(Registry& registry, VersionSource& version, const std::string& className,
                                 std::vector<std::string>& list) {
  DeviceClassScan scan(registry, version, {className});
  return ListClassDriverDescs(registry, scan, className, list);
}

void ListVideoAdapters(Registry& registry, std::vector<std::string>& list) {
  std::string device;
  {
    RegKey map(registry, "HARDWARE\\DEVICEMAP\\VIDEO");
    if (!map.ValueExists("\\Device\\Video0")) return;
    device = map.ReadString("\\Device\\Video0");
  }
  // The value names a kernel object such as \REGISTRY\Machine\System\...\Device0; what follows
  // "Machine\" is the key under HKEY_LOCAL_MACHINE.
  const std::string machine = "Machine\\";
  std::size_t at = device.find(machine);
  std::size_t start = at != std::string::npos ? at + machine.size() : 7;
  std::string path = start < device.size() ? device.substr(start, 255) : std::string();

  RegKey adapter(registry, path);
  if (!adapter.ValueExists("HardwareInformation.AdapterString")) return;
  auto bytes = adapter.ReadBinary("HardwareInformation.AdapterString", 255);
  if (bytes) list.push_back(WideBytesToText(bytes->data(), bytes->size()));
}

std::string WideBytesToText(const uint8_t* bytes, std::size_t length) {
  std::string text;
  int zeros = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (bytes[i] == 0) {
      if (++zeros == 2) break;
    } else {
      zeros = 0;
      text += static_cast<char>(bytes[i]);
    }
  }
  return text;
}

DeviceClassNames ClassNamesFor(const VersionInfo& passVersion) {
  if (passVersion.PlatformId == PlatformNT)
    return {"Keyboard", "Mouse", "Monitor", "Ports", passVersion.MajorVersion >= 5 ? "Display" : nullptr, "MEDIA"};
  return {
      "Keyboard", "Mouse", "Monitors", "Ports (COM & LPT)", "Display adapters", "Sound, video and game controllers"};
}

std::vector<std::string> PassClassNames(const VersionInfo& passVersion) {
  DeviceClassNames names = ClassNamesFor(passVersion);
  std::vector<std::string> list;
  for (const char* name : {names.Keyboard, names.Mouse, names.Monitor, names.Port, names.Adapter, names.Media})
    if (name) list.push_back(name);
  return list;
}

std::string ClassDriverDesc(Registry& registry, DeviceClassScan& scan, const std::string& className) {
  const DeviceClassScan::Class* cls = scan.Find(className);
  if (!cls) return "";
  // The instance FindClassInstanceKey would give, read while it is open.
  for (auto instance = cls->Instances.rbegin(); instance != cls->Instances.rend(); ++instance) {
    RegKey key(registry, cls->Path + "\\" + *instance);
    if (key) return key.ReadStringValue("DriverDesc").value_or("");
  }
  return "";
}

std::string ClassDriverDesc(Registry& registry, VersionSource& version, const std::string& className) {
  DeviceClassScan scan(registry, version, {className});
  return ClassDriverDesc(registry, scan, className);
}

namespace {

void FillFromClass(PageFields& fields, Field memo, Registry& registry, DeviceClassScan& scan,
                   const std::string& className) {
  std::vector<std::string> list;
  ListClassDriverDescs(registry, scan, className, list);
  fields.SetLines(memo, list);
}

} // namespace

void GatherKeyboardAndMouse(PageFields& fields, Registry& registry, DeviceClassScan& scan,
                            const VersionInfo& passVersion) {
  DeviceClassNames names = ClassNamesFor(passVersion);
  fields.SetText(Field::Keyboard, ClassDriverDesc(registry, scan, names.Keyboard));
  fields.SetText(Field::Mouse, ClassDriverDesc(registry, scan, names.Mouse));
}

void GatherMonitorsAndPorts(PageFields& fields, Registry& registry, DeviceClassScan& scan,
                            const VersionInfo& passVersion) {
  DeviceClassNames names = ClassNamesFor(passVersion);
  FillFromClass(fields, Field::Monitors, registry, scan, names.Monitor);
  FillFromClass(fields, Field::Ports, registry, scan, names.Port);
}

void GatherVideoAdapters(PageFields& fields, Registry& registry, DeviceClassScan& scan,
                         const VersionInfo& passVersion) {
  DeviceClassNames names = ClassNamesFor(passVersion);
  if (names.Adapter) {
    FillFromClass(fields, Field::VideoAdapters, registry, scan, names.Adapter);
    return;
  }
  std::vector<std::string> list;
  ListVideoAdapters(registry, list);
  fields.SetLines(Field::VideoAdapters, list);
}

void GatherMedia(PageFields& fields, Registry& registry, DeviceClassScan& scan, const VersionInfo& passVersion) {
  FillFromClass(fields, Field::Media, registry, scan, ClassNamesFor(passVersion).Media);
}

void GatherKeyboardAndMouse(PageFields& fields, Registry& registry, VersionSource& version,
                            const VersionInfo& passVersion) {
  DeviceClassScan scan(registry, version, PassClassNames(passVersion));
  GatherKeyboardAndMouse(fields, registry, scan, passVersion);
}

void GatherMonitorsAndPorts(PageFields& fields, Registry& registry, VersionSource& version,
                            const VersionInfo& passVersion) {
  DeviceClassScan scan(registry, version, PassClassNames(passVersion));
  GatherMonitorsAndPorts(fields, registry, scan, passVersion);
}

void GatherVideoAdapters(PageFields& fields, Registry& registry, VersionSource& version,
                         const VersionInfo& passVersion) {
  DeviceClassScan scan(registry, version, PassClassNames(passVersion));
  GatherVideoAdapters(fields, registry, scan, passVersion);
}

void GatherMedia(PageFields& fields, Registry& registry, VersionSource& version, const VersionInfo& passVersion) {
  DeviceClassScan scan(registry, version, PassClassNames(passVersion));
  GatherMedia(fields, registry, scan, passVersion);
}

} // namespace qv
