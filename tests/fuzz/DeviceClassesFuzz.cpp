// A class database the fuzzer builds (classes, class-name values of any type, instances, locked
// keys, driver descriptions) under either family's root, with any version numbers: the edition
// decoder and the device-class look-ups must find what the database holds and close every key.
#include <optional>

#include "FakeRegistry.h"
#include "FuzzFields.h"
#include "FuzzInput.h"
#include "probes/DeviceClasses.h"
#include "probes/WindowsVersion.h"

using qv::Field;

namespace {

using qv::fuzz::Input;

class FixedVersion : public qv::VersionSource {
public:
  explicit FixedVersion(qv::VersionInfo info) : Info(std::move(info)) {}
  qv::VersionInfo Version() override { return Info; }
  qv::VersionInfo Info;
};

const char* const ClassNames[] = {
    "Keyboard",          "Mouse",   "Monitor",          "Monitors", "Ports",
    "Ports (COM & LPT)", "Display", "Display adapters", "MEDIA",    "Sound, video and game controllers",
    "keyboard",          "",
};

const char* const Roots[] = {"System\\CurrentControlSet\\Control\\Class", "System\\CurrentControlSet\\Services\\Class"};

struct Instance {
  bool Opens = true;
  std::optional<std::string> Desc; // what ReadString gives for DriverDesc, when it exists
};
struct Class {
  std::string Path;
  bool Opens = true;
  std::optional<std::string> Name; // the class-name value as read, when it exists
  std::vector<Instance> Instances;
};

// Raw value data of a type the fuzzer picks; returns what ReadString makes of it.
std::string PlantValue(Input& in, qv::FakeRegistry& registry, const std::string& path, const std::string& name,
                       const std::string& text) {
  uint32_t type = in.Pick(4) == 0 ? qv::RegTypeBinary : qv::RegTypeString;
  std::vector<uint8_t> bytes(text.begin(), text.end());
  if (in.Bool()) bytes.push_back(0); // with or without its terminator
  registry.Raw(path, name, type, bytes);
  return qv::RegistryStringText(type, bytes.data(), bytes.size());
}

std::string PickName(Input& in) {
  if (in.Pick(4) == 0) return in.Text(24);
  return in.Pick(ClassNames);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  qv::VersionInfo version;
  version.PlatformId = in.Pick(5) < 3 ? static_cast<uint32_t>(in.Pick(3)) : in.U32();
  version.MajorVersion = in.Bool() ? in.Byte() % 8 : in.U32();
  version.MinorVersion = in.Bool() ? in.Byte() : in.U32();
  version.BuildNumber = in.U32();
  version.CSDVersion = in.Text(16);

  // The decoder: a platform text exactly for the three known families.
  uint16_t build = static_cast<uint16_t>(version.BuildNumber & 0xFFFF);
  qv::EditionTexts edition = qv::DecodeEdition(version.PlatformId, version.MajorVersion, version.MinorVersion, build);
  FUZZ_CHECK(edition.Platform.has_value() == (version.PlatformId <= qv::PlatformNT));
  if (!edition.Platform) FUZZ_CHECK(edition.Edition.empty());
  qv::fuzz::FuzzFields fields;
  qv::GatherVersionFields(fields, version);
  FUZZ_CHECK(fields.Text(Field::OsBuild) == std::to_string(build));

  // The database of the family the look-ups read, sometimes the other family's too.
  qv::FakeRegistry registry;
  const bool nt = version.PlatformId == qv::PlatformNT;
  const std::string root = Roots[nt ? 0 : 1];
  const std::string nameValue = nt ? "Class" : "";
  std::vector<Class> classes;
  const size_t classCount = in.Pick(5);
  for (size_t c = 0; c < classCount; ++c) {
    Class cls;
    cls.Path = root + "\\{C" + std::to_string(c) + "}";
    registry.Key(cls.Path);
    if (in.Pick(8) != 0) cls.Name = PlantValue(in, registry, cls.Path, nameValue, PickName(in));
    const size_t instances = in.Pick(4);
    for (size_t i = 0; i < instances; ++i) {
      Instance instance;
      std::string path = cls.Path + "\\000" + std::to_string(i);
      registry.Key(path);
      if (in.Pick(4) != 0) instance.Desc = PlantValue(in, registry, path, "DriverDesc", in.Text(40));
      if (in.Pick(8) == 0) {
        registry.Locked(path);
        instance.Opens = false;
      }
      cls.Instances.push_back(std::move(instance));
    }
    if (in.Pick(10) == 0) {
      registry.Locked(cls.Path);
      cls.Opens = false;
    }
    classes.push_back(std::move(cls));
  }
  if (in.Bool()) registry.String(std::string(Roots[nt ? 1 : 0]) + "\\{X}", nt ? "" : "Class", PickName(in));
  std::string wanted = PickName(in);
  std::string valueName = in.Bool() ? "" : in.Bool() ? "DriverDesc" : in.Text(8);

  FixedVersion source(version);

  // ListClassDriverDescs against the database as built: the first class whose name value reads
  // exactly the wanted name, and the descriptions of its instances that open, in order.
  const Class* match = nullptr;
  for (const auto& cls : classes)
    if (cls.Opens && cls.Name && *cls.Name == wanted) {
      match = &cls;
      break;
    }
  std::vector<std::string> expected;
  std::string expectedKey;
  if (match) {
    for (size_t i = 0; i < match->Instances.size(); ++i) {
      const Instance& instance = match->Instances[i];
      if (instance.Opens && instance.Desc) expected.push_back(*instance.Desc);
      if (instance.Opens && (valueName.empty() || (valueName == "DriverDesc" && instance.Desc)))
        expectedKey = match->Path + "\\000" + std::to_string(i);
    }
  }
  std::vector<std::string> list{"left over"};
  std::string classPath = qv::ListClassDriverDescs(registry, source, wanted, list);
  FUZZ_CHECK(classPath == (match ? match->Path : ""));
  FUZZ_CHECK(list == expected);
  if (valueName.empty() || valueName == "DriverDesc")
    FUZZ_CHECK(qv::FindClassInstanceKey(registry, source, wanted, valueName) == expectedKey);
  else
    qv::FindClassInstanceKey(registry, source, wanted, valueName);
  FUZZ_CHECK(registry.StillOpen() == 0 && registry.BadCloses == 0);

  // The pass's steps over the same database.
  qv::GatherKeyboardAndMouse(fields, registry, source, version);
  qv::GatherMonitorsAndPorts(fields, registry, source, version);
  qv::GatherVideoAdapters(fields, registry, source, version);
  qv::GatherMedia(fields, registry, source, version);
  FUZZ_CHECK(registry.StillOpen() == 0 && registry.BadCloses == 0);

  // One scan shared by all the steps finds what a look-up of each name on its own finds, and the
  // keyboard's text is the "DriverDesc" of the key FindClassInstanceKey names.
  qv::fuzz::FuzzFields shared;
  qv::DeviceClassScan scan(registry, source, qv::PassClassNames(version));
  qv::GatherKeyboardAndMouse(shared, registry, scan, version);
  qv::GatherMonitorsAndPorts(shared, registry, scan, version);
  qv::GatherVideoAdapters(shared, registry, scan, version);
  qv::GatherMedia(shared, registry, scan, version);
  const qv::DeviceClassNames names = qv::ClassNamesFor(version);
  auto alone = [&](const char* name) {
    std::vector<std::string> list;
    qv::ListClassDriverDescs(registry, source, name, list);
    return list;
  };
  FUZZ_CHECK(shared.Text(Field::Mouse) == qv::ClassDriverDesc(registry, source, names.Mouse));
  FUZZ_CHECK(shared.Lines(Field::Monitors) == alone(names.Monitor));
  FUZZ_CHECK(shared.Lines(Field::Ports) == alone(names.Port));
  if (names.Adapter) FUZZ_CHECK(shared.Lines(Field::VideoAdapters) == alone(names.Adapter));
  FUZZ_CHECK(shared.Lines(Field::Media) == alone(names.Media));
  std::string keyboardKey = qv::FindClassInstanceKey(registry, source, names.Keyboard, "");
  std::string keyboard;
  if (!keyboardKey.empty()) {
    qv::RegKey key(registry, keyboardKey);
    if (key.ValueExists("DriverDesc")) keyboard = key.ReadString("DriverDesc");
  }
  FUZZ_CHECK(shared.Text(Field::Keyboard) == keyboard);
  FUZZ_CHECK(registry.StillOpen() == 0 && registry.BadCloses == 0);
  return 0;
}
