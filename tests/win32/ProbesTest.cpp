#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "app/GatherPass.h"
#include "app/WindowsSources.h"
#include "fields/FieldTable.h"
#include "probes/Audio.h"
#include "probes/Bios.h"
#include "probes/DeviceClasses.h"
#include "probes/Display.h"
#include "probes/Drives.h"
#include "probes/Network.h"
#include "probes/Registry_win32.h"
#include "probes/WindowsVersion.h"
#include "ui/Win.h"

namespace qv {

namespace {

void DeleteTree(HKEY parent, const std::string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    char child[256];
    DWORD length = sizeof child;
    while (RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
      DeleteTree(key, child);
      length = sizeof child;
    }
    RegCloseKey(key);
  }
  RegDeleteKeyA(parent, name.c_str());
}

// A private registry tree under HKEY_CURRENT_USER, planted with the real registry calls and read
// back through WindowsRegistry rooted there, so the probes see it as they see the machine's.
class ScratchRegistry : public ::testing::Test {
protected:
  void SetUp() override {
    DeleteTree(HKEY_CURRENT_USER, Base);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Base, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &Root, nullptr),
              ERROR_SUCCESS);
    Registry = std::make_unique<WindowsRegistry>(Root);
  }
  void TearDown() override {
    Registry.reset();
    RegCloseKey(Root);
    DeleteTree(HKEY_CURRENT_USER, Base);
  }

  void Set(const std::string& path, const std::string& name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(Root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  void String(const std::string& path, const std::string& name, const std::string& text) {
    Set(path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
  }
  void Binary(const std::string& path, const std::string& name, const std::vector<uint8_t>& bytes) {
    Set(path, name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
  }
  void Dword(const std::string& path, const std::string& name, DWORD value) {
    Set(path, name, REG_DWORD, &value, sizeof value);
  }
  void Key(const std::string& path) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(Root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  static constexpr const char* Base = "Software\\QuorvelProbesTest";
  HKEY Root = nullptr;
  std::unique_ptr<WindowsRegistry> Registry;
};

class FixedVersion : public VersionSource {
public:
  FixedVersion(uint32_t platform, uint32_t major) { Info.PlatformId = platform, Info.MajorVersion = major; }
  VersionInfo Version() override { return Info; }
  VersionInfo Info;
};

} // namespace

TEST_F(ScratchRegistry, StringReadsAreBoundedAndTyped) {
  String("K", "plain", "Uniprocessor Free");
  Set("K", "expand", REG_EXPAND_SZ, "%SystemRoot%", 13);
  Set("K", "unterminated", REG_SZ, "ABCDEF", 3); // stored without its zero
  Set("K", "inner zero", REG_SZ, "AB\0CD", 6);
  Dword("K", "number", 7);
  Binary("K", "bytes", {'A', 'B'});
  Set("K", "empty", REG_SZ, "", 0);
  std::string big(70000, 'x');
  String("K", "big", big);

  RegKey key(*Registry, "K");
  ASSERT_TRUE(key);
  EXPECT_EQ(key.ReadString("plain"), "Uniprocessor Free");
  EXPECT_EQ(key.ReadString("PLAIN"), "Uniprocessor Free");
  EXPECT_EQ(key.ReadString("expand"), "%SystemRoot%");
  EXPECT_EQ(key.ReadString("unterminated"), "ABC");
  EXPECT_EQ(key.ReadString("inner zero"), "AB");
  EXPECT_EQ(key.ReadString("number"), "");
  EXPECT_EQ(key.ReadString("bytes"), "");
  EXPECT_EQ(key.ReadString("empty"), "");
  EXPECT_EQ(key.ReadString("missing"), "");
  EXPECT_EQ(key.ReadString("big"), big);
  EXPECT_TRUE(key.ValueExists("number"));
  EXPECT_FALSE(key.ValueExists("missing"));
}

TEST_F(ScratchRegistry, BinaryReadsFailWhenTooLongOrNotBinary) {
  Binary("K", "four", {0, 0, 0, 5});
  Binary("K", "eight", {0, 0, 0, 8, 0, 0, 0, 1});
  Binary("K", "none", {});
  String("K", "text", "0008");
  RegKey key(*Registry, "K");
  EXPECT_EQ(key.ReadBinary("four", 4), (std::vector<uint8_t>{0, 0, 0, 5}));
  EXPECT_EQ(key.ReadBinary("four", 8), (std::vector<uint8_t>{0, 0, 0, 5}));
  EXPECT_FALSE(key.ReadBinary("four", 3).has_value());
  EXPECT_FALSE(key.ReadBinary("eight", 4).has_value());
  EXPECT_EQ(key.ReadBinary("eight", 8)->size(), 8u);
  EXPECT_EQ(key.ReadBinary("none", 4), std::vector<uint8_t>{});
  EXPECT_FALSE(key.ReadBinary("text", 255).has_value());
  EXPECT_FALSE(key.ReadBinary("missing", 255).has_value());
}

TEST_F(ScratchRegistry, SubKeysAndDefaultValue) {
  Key("Root\\0001");
  Key("Root\\0000");
  Key("Root\\Properties");
  String("Root", "", "Keyboard");
  RegKey key(*Registry, "Root");
  auto names = key.SubKeys();
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0], "0000"); // the registry lists subkeys sorted
  EXPECT_EQ(names[1], "0001");
  EXPECT_TRUE(key.ValueExists(""));
  EXPECT_EQ(key.ReadString(""), "Keyboard");
  RegKey leaf(*Registry, "Root\\0000");
  EXPECT_TRUE(leaf.SubKeys().empty());
  EXPECT_FALSE(leaf.ValueExists(""));
  RegKey missing(*Registry, "Nope");
  EXPECT_FALSE(missing);
}

TEST_F(ScratchRegistry, DeviceClassesThroughTheRealRegistry) {
  const std::string nt = "System\\CurrentControlSet\\Control\\Class";
  Key(nt + "\\{00-no-name}\\0000");
  String(nt + "\\{01-lower}", "Class", "keyboard");
  String(nt + "\\{01-lower}\\0000", "DriverDesc", "lower");
  String(nt + "\\{02-kbd}", "Class", "Keyboard");
  String(nt + "\\{02-kbd}\\0000", "DriverDesc", "Standard 101/102-Key");
  String(nt + "\\{02-kbd}\\0001", "DriverDesc", "Natural Keyboard");
  String(nt + "\\{03-ports}", "Class", "Ports");
  String(nt + "\\{03-ports}\\0000", "DriverDesc", "COM1");
  Key(nt + "\\{03-ports}\\0001");
  String(nt + "\\{03-ports}\\0002", "DriverDesc", "LPT1");
  String(nt + "\\{04-ports}", "Class", "Ports");
  String(nt + "\\{04-ports}\\0000", "DriverDesc", "COM9");

  FixedVersion xp(PlatformNT, 5);
  EXPECT_EQ(ClassDriverDesc(*Registry, xp, "Keyboard"), "Natural Keyboard");
  std::vector<std::string> ports;
  EXPECT_EQ(ListClassDriverDescs(*Registry, xp, "Ports", ports), nt + "\\{03-ports}");
  EXPECT_EQ(ports, (std::vector<std::string>{"COM1", "LPT1"}));

  const std::string win9x = "System\\CurrentControlSet\\Services\\Class";
  String(win9x + "\\Monitor", "", "Monitors");
  String(win9x + "\\Monitor\\0000", "DriverDesc", "Plug and Play Monitor");
  FixedVersion me(PlatformWindows, 4);
  FieldTable fields;
  GatherMonitorsAndPorts(fields, *Registry, me, me.Info);
  EXPECT_EQ(fields.Lines(Field::Monitors), std::vector<std::string>{"Plug and Play Monitor"});
}

TEST_F(ScratchRegistry, VideoAdapterOfNtFour) {
  String("HARDWARE\\DEVICEMAP\\VIDEO", "\\Device\\Video0",
         "\\REGISTRY\\Machine\\System\\ControlSet001\\Services\\S3\\Device0");
  Binary("System\\ControlSet001\\Services\\S3\\Device0", "HardwareInformation.AdapterString",
         {'S', 0, '3', 0, ' ', 0, 'T', 0, 'r', 0, 'i', 0, 'o', 0, 0, 0});
  FixedVersion nt4(PlatformNT, 4);
  FieldTable fields;
  GatherVideoAdapters(fields, *Registry, nt4, nt4.Info);
  EXPECT_EQ(fields.Lines(Field::VideoAdapters), std::vector<std::string>{"S3 Trio"});

  // 256 bytes do not fit the 255-byte buffer: nothing is added.
  Binary("System\\ControlSet001\\Services\\S3\\Device0", "HardwareInformation.AdapterString",
         std::vector<uint8_t>(256, 'A'));
  GatherVideoAdapters(fields, *Registry, nt4, nt4.Info);
  EXPECT_TRUE(fields.Lines(Field::VideoAdapters).empty());
}

TEST_F(ScratchRegistry, OperatingSystemAndBiosFields) {
  const std::string ntKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  const std::string key9x = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  String(ntKey, "ProductKey", "ABCDE-12345");
  String(ntKey, "CurrentType", "Uniprocessor Free");
  String(ntKey, "RegisteredOwner", "Mira Halden");
  Dword(ntKey, "RegisteredOrganization", 1); // wrong type: empty text
  String(key9x, "ProductID", "55274-OEM-0011903-00102");
  String(key9x, "ProductKey", "not used");
  Binary("SOFTWARE\\Microsoft\\DirectX", "InstalledVersion", {0, 0, 0, 8, 0, 0, 0, 1});
  String("SYSTEM\\CurrentControlSet\\Control\\TimeZoneInformation", "StandardName", "W. Europe Standard Time");
  String("HARDWARE\\DESCRIPTION\\System", "Identifier", "AT/AT COMPATIBLE");
  String("Enum\\Root\\*PNP0C01\\0000", "BIOSDate", "08/15/01");

  FieldTable fields;
  GatherProductIdAndKey(fields, *Registry);
  GatherRegistration(fields, *Registry, PlatformNT);
  GatherBios(fields, *Registry, PlatformNT);
  EXPECT_EQ(fields.Text(Field::ProductId), "55274-OEM-0011903-00102");
  EXPECT_EQ(fields.Text(Field::ProductKey), "ABCDE-12345");
  EXPECT_EQ(fields.Text(Field::DirectX), "8.1");
  EXPECT_EQ(fields.Text(Field::TimeZone), "W. Europe Standard Time");
  EXPECT_EQ(fields.Text(Field::OsTitle), "Uniprocessor Free");
  EXPECT_EQ(fields.Text(Field::RegisteredName), "Mira Halden");
  EXPECT_EQ(fields.Text(Field::Company), "");
  EXPECT_EQ(fields.Text(Field::BiosType), "AT/AT COMPATIBLE");
  EXPECT_EQ(fields.Text(Field::BiosDate), "08/15/01");

  // Nine bytes fit neither read: LabelX keeps its text.
  Binary("SOFTWARE\\Microsoft\\DirectX", "InstalledVersion", std::vector<uint8_t>(9, 1));
  GatherRegistration(fields, *Registry, PlatformNT);
  EXPECT_EQ(fields.Text(Field::DirectX), "8.1");
}

TEST(WindowsProbes, VersionAndPathsOfThisSystem) {
  auto os = MakeWindowsOsSource();
  VersionInfo v = os->Version();
  EXPECT_EQ(v.PlatformId, PlatformNT); // Wine's 64-bit builds are always of the NT family
  EXPECT_GE(v.MajorVersion, 4u);
  SystemPaths paths = os->Paths();
  EXPECT_FALSE(paths.Windows.empty());
  EXPECT_EQ(paths.System.rfind(paths.Windows, 0), 0u);
  ASSERT_FALSE(paths.Temp.empty());
  EXPECT_EQ(paths.Temp.back(), '\\');
  EXPECT_FALSE(os->LoginName().empty());
}

// Run by the version script with Wine told to act as a given Windows version; elsewhere skipped.
TEST(WindowsProbes, EditionOfTheEmulatedVersion) {
  const char* expected = std::getenv("QUORVEL_EXPECT_WINE_VERSION");
  if (!expected) GTEST_SKIP() << "QUORVEL_EXPECT_WINE_VERSION not set";
  struct Row {
    const char* Wine;
    const char *Platform, *Edition, *Version;
  };
  const Row rows[] = {
      {"win95", "Windows 95", "Windows 95", "4.0"},
      {"win98", "Windows 95", "Windows 98 SE", "4.10"},
      {"nt40", "Windows NT", "Windows NT (with 95 look)", "4.0"},
      {"win2k", "Windows NT", "Windows 2000", "5.0"},
      {"winxp", "Windows NT", "Windows XP (official final release)", "5.1"},
  };
  const Row* row = nullptr;
  for (const auto& r : rows)
    if (std::strcmp(r.Wine, expected) == 0) row = &r;
  ASSERT_NE(row, nullptr) << expected;
  auto os = MakeWindowsOsSource();
  FieldTable fields;
  GatherVersionFields(fields, os->Version());
  EXPECT_EQ(fields.Text(Field::Platform), row->Platform);
  EXPECT_EQ(fields.Text(Field::OsDescription), row->Edition);
  EXPECT_EQ(fields.Text(Field::OsVersion), row->Version);
  std::printf("Wine as %s: %s / %s / %s / build %s / \"%s\"\n", expected, fields.Text(Field::Platform).c_str(),
              fields.Text(Field::OsDescription).c_str(), fields.Text(Field::OsVersion).c_str(),
              fields.Text(Field::OsBuild).c_str(), fields.Text(Field::ServicePack).c_str());
}

TEST(WindowsProbes, DriveWalk) {
  auto reader = MakeWindowsDriveReader();
  TDrives disk(*reader);
  EXPECT_EQ(disk.Disk(), 'C');
  EXPECT_EQ(disk.DriveType(), TDriveType::dtFixed);
  EXPECT_GT(disk.DiskSize(), 0);
  EXPECT_GE(disk.DiskFree(), 0);
  EXPECT_LE(disk.DiskFree(), disk.DiskSize());
  EXPECT_EQ(disk.SerialNumberStr(), SerialNumberText(disk.SerialNumber()));

  auto source = MakeWindowsDriveSource();
  FieldTable fields;
  UINT modeBefore = SetErrorMode(0);
  auto start = std::chrono::steady_clock::now();
  GatherDrives(fields, *source);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  auto lines = fields.Lines(Field::Drives);
  ASSERT_FALSE(lines.empty());
  bool sawC = false;
  for (const auto& line : lines) {
    std::printf("  drive line: [%s]\n", line.c_str());
    if (line.rfind(" C: [HARD DISC] ", 0) == 0) sawC = true;
  }
  EXPECT_TRUE(sawC);
  std::printf("  drive walk: %lld ms for 26 letters\n", static_cast<long long>(ms));
  // The walk leaves the process's error mode as it found it.
  UINT modeAfter = SetErrorMode(modeBefore);
  EXPECT_EQ(modeAfter, 0u);
}

TEST(WindowsProbes, ScreenAudioNetworkOfThisMachine) {
  FieldTable fields;
  auto screen = MakeWindowsScreenSource();
  ScreenCaps caps = screen->Screen();
  EXPECT_GT(caps.HorzRes, 0);
  EXPECT_GT(caps.VertRes, 0);
  EXPECT_GT(caps.BitsPixel, 0);
  GatherScreen(fields, *screen);
  auto audio = MakeWindowsAudioSource();
  GatherAudio(fields, *audio);
  auto network = MakeWindowsNetworkSource();
  GatherLocalAddress(fields, *network);
  EXPECT_EQ(fields.Text(Field::LocalIp), GetLocalIPAddress());
  EXPECT_EQ(fields.Url(Field::LocalIp), IpLookupLink(GetLocalIPAddress()));
  auto netbios = MakeWindowsNetBiosSource();
  GatherMacAddresses(fields, *netbios, PlatformNT);
  auto printers = MakeWindowsPrinterSource();
  GatherPrinters(fields, *printers);
  EXPECT_EQ(printers->Printers(), printers->Printers()); // built once, the same list after
  for (Field name :
       {Field::Resolution, Field::Colours, Field::WaveAudio, Field::MidiAudio, Field::Mixer, Field::LocalIp})
    std::printf("  %s: [%s]\n", FieldName(name), fields.Text(name).c_str());
  for (Field memo : {Field::MacAddresses, Field::Printers})
    for (const auto& line : fields.Lines(memo)) std::printf("  %s: [%s]\n", FieldName(memo), line.c_str());
}

// Run by the planting script after it has written the machine keys into a scratch prefix, with
// Wine acting as an NT-family (winxp) or a 95-family (win98) system.
TEST(WindowsProbes, PlantedMachineThroughTheRealSources) {
  const char* planted = std::getenv("QUORVEL_PLANTED_MACHINE");
  const char* zone = std::getenv("QUORVEL_EXPECT_TIME_ZONE");
  if (!planted || !zone) GTEST_SKIP() << "QUORVEL_PLANTED_MACHINE and QUORVEL_EXPECT_TIME_ZONE not set";
  bool nt = std::strcmp(planted, "win98") != 0;
  WindowsSources windows;
  FieldTable fields;
  PassState state;
  PassHost host;
  RunGatheringPass(fields, state, windows.Sources(), host);
  EXPECT_EQ(fields.Text(Field::Platform), nt ? "Windows NT" : "Windows 95");
  EXPECT_EQ(fields.Text(Field::DirectX), "4.08.01.0881");
  EXPECT_EQ(fields.Text(Field::TimeZone), zone);
  EXPECT_EQ(fields.Text(Field::OsTitle), nt ? "Uniprocessor Free" : "Windows 98");
  EXPECT_EQ(fields.Text(Field::Company), nt ? "Quorvel Org" : "Quorvel 9x Org");
  EXPECT_EQ(fields.Text(Field::RegisteredName), nt ? "Quorvel Owner" : "Quorvel 9x Owner");
  EXPECT_EQ(fields.Text(Field::ProductId), "55274-OEM-0011903-00102");
  EXPECT_EQ(fields.Text(Field::ProductKey), "QRVL-KEY");
  // The 95 family skips the NT hardware description and reads the system board key.
  EXPECT_EQ(fields.Text(Field::BiosType), nt ? "QRVL BIOS 1.0" : "QRVL 4.51 PG");
  EXPECT_EQ(fields.Text(Field::BiosDate), "08/15/01");
  const char* family = nt ? "" : "9x ";
  EXPECT_EQ(fields.Text(Field::Keyboard), std::string("Quorvel ") + family + "Keyboard 2");
  EXPECT_EQ(fields.Text(Field::Mouse), std::string("Quorvel ") + family + "Mouse");
  EXPECT_EQ(fields.Lines(Field::Ports), (std::vector<std::string>{std::string("Quorvel ") + family + "COM1",
                                                                  std::string("Quorvel ") + family + "LPT1"}));
  EXPECT_EQ(fields.Lines(Field::Monitors), std::vector<std::string>{std::string("Quorvel ") + family + "Monitor"});
  EXPECT_EQ(fields.Lines(Field::VideoAdapters), std::vector<std::string>{std::string("Quorvel ") + family + "Display"});
  EXPECT_EQ(fields.Lines(Field::Media), std::vector<std::string>{std::string("Quorvel ") + family + "Sound"});
}

} // namespace qv
