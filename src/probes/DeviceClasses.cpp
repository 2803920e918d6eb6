#include "probes/DeviceClasses.h"

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

// Path of the first class key whose class-name value is exactly className.
std::optional<std::string> FindClass(Registry& registry, VersionSource& version,
                                     const std::string& className) {
  ClassDatabase db = DatabaseFor(version.Version().PlatformId);
  std::vector<std::string> classes;
  {
    RegKey root(registry, db.Root);
    if (!root) return std::nullopt;
    classes = root.SubKeys();
  }
  for (const auto& name : classes) {
    std::string path = std::string(db.Root) + "\\" + name;
    RegKey key(registry, path);
    // A class without a class-name value is passed over like any other.
    if (key.ValueExists(db.NameValue) && key.ReadString(db.NameValue) == className) return path;
  }
  return std::nullopt;
}

std::vector<std::string> Instances(Registry& registry, const std::string& classPath) {
  RegKey key(registry, classPath);
  return key.SubKeys();
}

} // namespace

std::string FindClassInstanceKey(Registry& registry, VersionSource& version, const std::string& className,
                                 const std::string& valueName) {
  auto classPath = FindClass(registry, version, className);
  if (!classPath) return "";
  std::string result;
  for (const auto& instance : Instances(registry, *classPath)) {
    std::string path = *classPath + "\\" + instance;
    RegKey key(registry, path);
    if (key && (valueName.empty() || key.ValueExists(valueName))) result = path;
  }
  return result;
}

std::string ListClassDriverDescs(Registry& registry, VersionSource& version, const std::string& className,
                                 std::vector<std::string>& list) {
  list.clear();
  auto classPath = FindClass(registry, version, className);
  if (!classPath) return "";
  for (const auto& instance : Instances(registry, *classPath)) {
    RegKey key(registry, *classPath + "\\" + instance);
    if (key.ValueExists("DriverDesc")) list.push_back(key.ReadString("DriverDesc"));
  }
  return *classPath;
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
    return {"Keyboard", "Mouse", "Monitor", "Ports", passVersion.MajorVersion >= 5 ? "Display" : nullptr,
            "MEDIA"};
  return {"Keyboard",         "Mouse",
          "Monitors",         "Ports (COM & LPT)",
          "Display adapters", "Sound, video and game controllers"};
}

std::string ClassDriverDesc(Registry& registry, VersionSource& version, const std::string& className) {
  std::string path = FindClassInstanceKey(registry, version, className, "");
  if (path.empty()) return "";
  RegKey key(registry, path);
  return key.ValueExists("DriverDesc") ? key.ReadString("DriverDesc") : std::string();
}

namespace {

void FillFromClass(PageFields& fields, const char* memo, Registry& registry, VersionSource& version,
                   const std::string& className) {
  std::vector<std::string> list;
  ListClassDriverDescs(registry, version, className, list);
  fields.SetLines(memo, list);
}

} // namespace

void GatherKeyboardAndMouse(PageFields& fields, Registry& registry, VersionSource& version,
                            const VersionInfo& passVersion) {
  DeviceClassNames names = ClassNamesFor(passVersion);
  fields.SetText("LabelKeyboard", ClassDriverDesc(registry, version, names.Keyboard));
  fields.SetText("LabelMouse", ClassDriverDesc(registry, version, names.Mouse));
}

void GatherMonitorsAndPorts(PageFields& fields, Registry& registry, VersionSource& version,
                            const VersionInfo& passVersion) {
  DeviceClassNames names = ClassNamesFor(passVersion);
  FillFromClass(fields, "MemoMonitor", registry, version, names.Monitor);
  FillFromClass(fields, "MemoPort", registry, version, names.Port);
}

void GatherVideoAdapters(PageFields& fields, Registry& registry, VersionSource& version,
                         const VersionInfo& passVersion) {
  DeviceClassNames names = ClassNamesFor(passVersion);
  if (names.Adapter) {
    FillFromClass(fields, "MemoAdapter", registry, version, names.Adapter);
    return;
  }
  std::vector<std::string> list;
  ListVideoAdapters(registry, list);
  fields.SetLines("MemoAdapter", list);
}

void GatherMedia(PageFields& fields, Registry& registry, VersionSource& version,
                 const VersionInfo& passVersion) {
  FillFromClass(fields, "MemoMedia", registry, version, ClassNamesFor(passVersion).Media);
}

} // namespace qv
