#include <gtest/gtest.h>

#include "fields/FieldTable.h"
#include "native/FakeRegistry.h"
#include "probes/DeviceClasses.h"

namespace qv {

namespace {

const std::string NtRoot = "System\\CurrentControlSet\\Control\\Class";
const std::string Root9x = "System\\CurrentControlSet\\Services\\Class";

// Counts how often a look-up asks for the version itself.
class FakeVersion : public VersionSource {
public:
  explicit FakeVersion(uint32_t platform, uint32_t major = 5) { Info.PlatformId = platform, Info.MajorVersion = major; }
  VersionInfo Version() override {
    ++Calls;
    return Info;
  }
  VersionInfo Info;
  int Calls = 0;
};

} // namespace

TEST(ClassSearch, LastInstanceOfTheKeyboardClass) {
  FakeRegistry r;
  r.String(NtRoot + "\\{k}", "Class", "Keyboard")
      .String(NtRoot + "\\{k}\\0000", "DriverDesc", "Standard 101/102-Key")
      .String(NtRoot + "\\{k}\\0001", "DriverDesc", "Natural Keyboard");
  FakeVersion nt(PlatformNT);
  EXPECT_EQ(FindClassInstanceKey(r, nt, "Keyboard", ""), NtRoot + "\\{k}\\0001");
  EXPECT_EQ(ClassDriverDesc(r, nt, "Keyboard"), "Natural Keyboard");
  EXPECT_EQ(r.StillOpen(), 0u);
  EXPECT_EQ(r.BadCloses, 0);
}

TEST(ClassSearch, ValueNameFiltersInstances) {
  FakeRegistry r;
  r.String(NtRoot + "\\{k}", "Class", "Keyboard")
      .String(NtRoot + "\\{k}\\0000", "Marker", "x")
      .String(NtRoot + "\\{k}\\0001", "Other", "y");
  FakeVersion nt(PlatformNT);
  EXPECT_EQ(FindClassInstanceKey(r, nt, "Keyboard", "Marker"), NtRoot + "\\{k}\\0000");
  EXPECT_EQ(FindClassInstanceKey(r, nt, "Keyboard", "Missing"), "");
}

TEST(ClassSearch, SkipsClassesWithoutNameAndMatchesExactly) {
  FakeRegistry r;
  r.Key(NtRoot + "\\{no-name}\\0000")
      .String(NtRoot + "\\{no-name}\\0000", "DriverDesc", "from a class without name")
      .String(NtRoot + "\\{lower}", "Class", "keyboard")
      .String(NtRoot + "\\{lower}\\0000", "DriverDesc", "lower-case class")
      .String(NtRoot + "\\{spaced}", "Class", "Keyboard ")
      .String(NtRoot + "\\{spaced}\\0000", "DriverDesc", "trailing blank")
      .Binary(NtRoot + "\\{binary}", "Class", {'K', 'e', 'y'})
      .Locked(NtRoot + "\\{locked}")
      .String(NtRoot + "\\{real}", "Class", "Keyboard")
      .String(NtRoot + "\\{real}\\0000", "DriverDesc", "the real one");
  FakeVersion nt(PlatformNT);
  EXPECT_EQ(ClassDriverDesc(r, nt, "Keyboard"), "the real one");
  EXPECT_EQ(r.StillOpen(), 0u);
}

TEST(ClassSearch, TwoClassesOfOneNameOnlyTheFirstCounts) {
  FakeRegistry r;
  r.String(NtRoot + "\\{a}", "Class", "Ports")
      .String(NtRoot + "\\{a}\\0000", "DriverDesc", "COM1")
      .String(NtRoot + "\\{a}\\0001", "DriverDesc", "LPT1")
      .String(NtRoot + "\\{b}", "Class", "Ports")
      .String(NtRoot + "\\{b}\\0000", "DriverDesc", "COM2");
  FakeVersion nt(PlatformNT);
  std::vector<std::string> list = {"stale"};
  EXPECT_EQ(ListClassDriverDescs(r, nt, "Ports", list), NtRoot + "\\{a}");
  EXPECT_EQ(list, (std::vector<std::string>{"COM1", "LPT1"}));
}

TEST(ClassSearch, InstancesWithoutDriverDesc) {
  FakeRegistry r;
  r.String(NtRoot + "\\{m}", "Class", "Mouse")
      .String(NtRoot + "\\{m}\\0000", "DriverDesc", "PS/2 Mouse")
      .Key(NtRoot + "\\{m}\\0001")
      .Binary(NtRoot + "\\{m}\\0002", "DriverDesc", {'X'})
      .String(NtRoot + "\\{m}\\0003", "DriverDesc", "USB Mouse")
      .Key(NtRoot + "\\{m}\\Properties");
  FakeVersion nt(PlatformNT);
  std::vector<std::string> list;
  ListClassDriverDescs(r, nt, "Mouse", list);
  // 0001 has none; 0002 has one of the wrong type, which reads as the empty text.
  EXPECT_EQ(list, (std::vector<std::string>{"PS/2 Mouse", "", "USB Mouse"}));
  // The last instance has no DriverDesc, so the label gets the empty text.
  EXPECT_EQ(FindClassInstanceKey(r, nt, "Mouse", ""), NtRoot + "\\{m}\\Properties");
  EXPECT_EQ(ClassDriverDesc(r, nt, "Mouse"), "");
}

TEST(ClassSearch, NoRootNoClassNoInstances) {
  FakeVersion nt(PlatformNT);
  FakeRegistry empty;
  std::vector<std::string> list = {"stale"};
  EXPECT_EQ(ListClassDriverDescs(empty, nt, "Ports", list), "");
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(FindClassInstanceKey(empty, nt, "Keyboard", ""), "");

  FakeRegistry bare;
  bare.String(NtRoot + "\\{a}", "Class", "Ports");
  list = {"stale"};
  EXPECT_EQ(ListClassDriverDescs(bare, nt, "Ports", list), NtRoot + "\\{a}");
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(ClassDriverDesc(bare, nt, "Ports"), "");
}

TEST(ClassSearch, RootAndNameValueFollowTheFamilyTheLookUpReads) {
  FakeRegistry r;
  // The 95 family names a class by the key's default value; the NT family's "Class" value is
  // not looked at there, and the other way round.
  r.String(Root9x + "\\Keyboard", "", "Keyboard")
      .String(Root9x + "\\Keyboard\\0000", "DriverDesc", "9x keyboard")
      .String(Root9x + "\\Mouse", "Class", "Mouse")
      .String(Root9x + "\\Mouse\\0000", "DriverDesc", "9x mouse")
      .String(NtRoot + "\\{k}", "Class", "Keyboard")
      .String(NtRoot + "\\{k}\\0000", "DriverDesc", "NT keyboard");
  FakeVersion win98(PlatformWindows, 4), win32s(PlatformWin32s, 3), nt(PlatformNT);
  EXPECT_EQ(ClassDriverDesc(r, win98, "Keyboard"), "9x keyboard");
  EXPECT_EQ(ClassDriverDesc(r, win32s, "Keyboard"), "9x keyboard");
  EXPECT_EQ(ClassDriverDesc(r, win98, "Mouse"), "");
  EXPECT_EQ(ClassDriverDesc(r, nt, "Keyboard"), "NT keyboard");
  EXPECT_GT(win98.Calls, 0);
}

TEST(WideBytesToText, WalksToTwoZerosInARow) {
  struct Case {
    std::vector<uint8_t> Bytes;
    std::string Text;
  };
  std::vector<Case> cases = {
      {{0x53, 0, 0x33, 0, 0, 0}, "S3"},
      {{0x53, 0, 0x33, 0}, "S3"}, // end of data
      {{0x53, 0, 0x33}, "S3"},
      {{}, ""},
      {{0, 0, 0x41, 0}, ""},
      {{0, 0x41, 0, 0x42}, "AB"}, // a lone zero does not end the walk
      {{0x41, 0, 0xE9, 0, 0x42, 0},
       "A\xE9"
       "B"},                                      // non-ASCII low byte kept
      {{0x41, 0, 0x3A, 0x04, 0, 0}, "A\x3A\x04"}, // both bytes of a character when both non-zero
      {{0x41, 0, 0, 0x01, 0x42, 0}, "A"},         // a zero high byte then a zero low byte ends it
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WideBytesToText(c.Bytes.data(), c.Bytes.size()), c.Text);
  }
}

TEST(RegistryValues, DecodedAsTheRealRegistryReadsThem) {
  struct Case {
    uint32_t Type;
    std::vector<uint8_t> Bytes;
    std::string Text; // what ReadString gives
  };
  const Case cases[] = {
      {RegTypeString, {'S', '3', 0}, "S3"},
      {RegTypeString, {'S', '3'}, "S3"},                     // no terminator
      {RegTypeExpandString, {'%', 'A', '%', 0, 'x'}, "%A%"}, // up to the first zero
      {RegTypeString, {}, ""},
      {RegTypeMultiString, {'a', 0, 'b', 0, 0}, ""}, // not a string type
      {RegTypeBinary, {'a', 'b'}, ""},
      {RegTypeDword, {1, 0, 0, 0}, ""},
  };
  for (const auto& c : cases) {
    FakeRegistry reg;
    reg.Raw("K", "V", c.Type, c.Bytes);
    RegKey key(reg, "K");
    EXPECT_TRUE(key.ValueExists("V"));
    EXPECT_EQ(key.ReadString("V"), c.Text);
    auto binary = key.ReadBinary("V", 3);
    EXPECT_EQ(binary.has_value(), c.Type == RegTypeBinary);
  }
  // Binary data must fit the caller's buffer, odd lengths included.
  const std::vector<uint8_t> odd = {0x41, 0, 0x42};
  EXPECT_EQ(RegistryBinaryBytes(RegTypeBinary, odd.data(), odd.size(), 3), odd);
  EXPECT_FALSE(RegistryBinaryBytes(RegTypeBinary, odd.data(), odd.size(), 2));
  EXPECT_FALSE(RegistryBinaryBytes(RegTypeString, odd.data(), odd.size(), 255));
}

namespace {

std::vector<uint8_t> Wide(const std::string& text, bool terminate = true) {
  std::vector<uint8_t> bytes;
  for (char ch : text) bytes.push_back(static_cast<uint8_t>(ch)), bytes.push_back(0);
  if (terminate) bytes.push_back(0), bytes.push_back(0);
  return bytes;
}

const char* const VideoMap = "HARDWARE\\DEVICEMAP\\VIDEO";
const char* const S3Key = "System\\ControlSet001\\Services\\S3\\Device0";

} // namespace

TEST(VideoAdapters, PathCutAfterMachine) {
  FakeRegistry r;
  r.String(VideoMap, "\\Device\\Video0", "\\REGISTRY\\Machine\\System\\ControlSet001\\Services\\S3\\Device0")
      .Binary(S3Key, "HardwareInformation.AdapterString", Wide("S3 Trio64"));
  std::vector<std::string> list;
  ListVideoAdapters(r, list);
  EXPECT_EQ(list, std::vector<std::string>{"S3 Trio64"});
  EXPECT_EQ(r.StillOpen(), 0u);
}

TEST(VideoAdapters, WithoutMachineTheFirstSevenCharactersGo) {
  FakeRegistry r;
  r.String(VideoMap, "\\Device\\Video0", "1234567System\\ControlSet001\\Services\\S3\\Device0")
      .Binary(S3Key, "HardwareInformation.AdapterString", Wide("S3"));
  std::vector<std::string> list;
  ListVideoAdapters(r, list);
  EXPECT_EQ(list, std::vector<std::string>{"S3"});

  // "machine\" in another case is not the marker.
  FakeRegistry lower;
  lower.String(VideoMap, "\\Device\\Video0", "\\REGISTRY\\machine\\System\\ControlSet001\\Services\\S3\\Device0")
      .Binary(S3Key, "HardwareInformation.AdapterString", Wide("S3"));
  list.clear();
  ListVideoAdapters(lower, list);
  EXPECT_TRUE(list.empty());
}

TEST(VideoAdapters, PathIsAtMost255Characters) {
  std::string longPath = "System\\" + std::string(248, 'x'); // 255 characters
  FakeRegistry r;
  r.String(VideoMap, "\\Device\\Video0", "\\REGISTRY\\Machine\\" + longPath + "yyy")
      .Binary(longPath, "HardwareInformation.AdapterString", Wide("Cut"));
  std::vector<std::string> list;
  ListVideoAdapters(r, list);
  EXPECT_EQ(list, std::vector<std::string>{"Cut"});
}

TEST(VideoAdapters, NothingFound) {
  struct Case {
    const char* Name;
    std::function<void(FakeRegistry&)> Plant;
  };
  std::vector<Case> cases = {
      {"no map", [](FakeRegistry&) {}},
      {"no Video0", [](FakeRegistry& r) { r.String(VideoMap, "\\Device\\Video1", "\\REGISTRY\\Machine\\x"); }},
      {"no adapter key", [](FakeRegistry& r) { r.String(VideoMap, "\\Device\\Video0", "\\REGISTRY\\Machine\\nope"); }},
      {"adapter string too long",
       [](FakeRegistry& r) {
         r.String(VideoMap, "\\Device\\Video0", std::string("\\REGISTRY\\Machine\\") + S3Key)
             .Binary(S3Key, "HardwareInformation.AdapterString", std::vector<uint8_t>(256, 'A'));
       }},
      {"adapter string not binary",
       [](FakeRegistry& r) {
         r.String(VideoMap, "\\Device\\Video0", std::string("\\REGISTRY\\Machine\\") + S3Key)
             .String(S3Key, "HardwareInformation.AdapterString", "S3");
       }},
      {"short value", [](FakeRegistry& r) { r.String(VideoMap, "\\Device\\Video0", "\\Dev"); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    FakeRegistry r;
    c.Plant(r);
    std::vector<std::string> list;
    ListVideoAdapters(r, list);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(r.StillOpen(), 0u);
  }
}

TEST(VideoAdapters, FullBufferWithoutTerminatorIsRead) {
  FakeRegistry r;
  std::vector<uint8_t> bytes(255, 'A'); // exactly the buffer, no zero anywhere
  r.String(VideoMap, "\\Device\\Video0", std::string("\\REGISTRY\\Machine\\") + S3Key)
      .Binary(S3Key, "HardwareInformation.AdapterString", bytes);
  std::vector<std::string> list;
  ListVideoAdapters(r, list);
  EXPECT_EQ(list, std::vector<std::string>{std::string(255, 'A')});
}

TEST(DeviceFields, ClassNamesPerFamily) {
  auto plantAll = [](FakeRegistry& r, const std::string& root, const char* nameValue,
                     const std::vector<std::pair<std::string, std::string>>& classes) {
    int n = 0;
    for (const auto& [className, desc] : classes) {
      std::string key = root + "\\C" + std::to_string(n++);
      r.String(key, nameValue, className).String(key + "\\0000", "DriverDesc", desc);
    }
  };
  FakeRegistry r;
  plantAll(r, NtRoot, "Class",
           {{"Keyboard", "nt kbd"},
            {"Mouse", "nt mouse"},
            {"Monitor", "nt monitor"},
            {"Monitors", "wrong"},
            {"Ports", "nt port"},
            {"Display", "nt display"},
            {"MEDIA", "nt media"}});
  plantAll(r, Root9x, "",
           {{"Keyboard", "9x kbd"},
            {"Mouse", "9x mouse"},
            {"Monitors", "9x monitor"},
            {"Monitor", "wrong"},
            {"Ports (COM & LPT)", "9x port"},
            {"Display adapters", "9x display"},
            {"Sound, video and game controllers", "9x media"}});

  struct Case {
    uint32_t Platform, Major;
    const char *Kbd, *Mouse, *Monitor, *Port, *Adapter, *Media;
  };
  for (const Case& c :
       {Case{PlatformNT, 5, "nt kbd", "nt mouse", "nt monitor", "nt port", "nt display", "nt media"},
        Case{PlatformWindows, 4, "9x kbd", "9x mouse", "9x monitor", "9x port", "9x display", "9x media"}}) {
    FakeVersion version(c.Platform, c.Major);
    FieldTable fields;
    GatherKeyboardAndMouse(fields, r, version, version.Info);
    GatherMonitorsAndPorts(fields, r, version, version.Info);
    GatherVideoAdapters(fields, r, version, version.Info);
    GatherMedia(fields, r, version, version.Info);
    EXPECT_EQ(fields.Text(Field::Keyboard), c.Kbd);
    EXPECT_EQ(fields.Text(Field::Mouse), c.Mouse);
    EXPECT_EQ(fields.Lines(Field::Monitors), std::vector<std::string>{c.Monitor});
    EXPECT_EQ(fields.Lines(Field::Ports), std::vector<std::string>{c.Port});
    EXPECT_EQ(fields.Lines(Field::VideoAdapters), std::vector<std::string>{c.Adapter});
    EXPECT_EQ(fields.Lines(Field::Media), std::vector<std::string>{c.Media});
  }
  EXPECT_EQ(r.StillOpen(), 0u);
}

TEST(DeviceFields, NtBeforeFiveUsesTheVideoProbe) {
  FakeRegistry r;
  r.String(NtRoot + "\\{d}", "Class", "Display")
      .String(NtRoot + "\\{d}\\0000", "DriverDesc", "class display")
      .String(VideoMap, "\\Device\\Video0", std::string("\\REGISTRY\\Machine\\") + S3Key)
      .Binary(S3Key, "HardwareInformation.AdapterString", Wide("S3 Vision"));
  FakeVersion nt4(PlatformNT, 4);
  FieldTable fields;
  GatherVideoAdapters(fields, r, nt4, nt4.Info);
  EXPECT_EQ(fields.Lines(Field::VideoAdapters), std::vector<std::string>{"S3 Vision"});

  FakeRegistry noVideo;
  GatherVideoAdapters(fields, noVideo, nt4, nt4.Info);
  EXPECT_TRUE(fields.Lines(Field::VideoAdapters).empty());
}

TEST(DeviceFields, MemosAreReplacedNotAppended) {
  FakeRegistry r;
  r.String(NtRoot + "\\{p}", "Class", "Ports").String(NtRoot + "\\{p}\\0000", "DriverDesc", "COM1");
  FakeVersion nt(PlatformNT);
  FieldTable fields;
  GatherMonitorsAndPorts(fields, r, nt, nt.Info);
  GatherMonitorsAndPorts(fields, r, nt, nt.Info);
  EXPECT_EQ(fields.Lines(Field::Ports), std::vector<std::string>{"COM1"});
  EXPECT_TRUE(fields.Lines(Field::Monitors).empty()); // the design "-" line is gone too
}

// The pass shares one scan: the class list is read once, each class key opened once, and only
// the instances the fields need are opened; the fields read as the single look-ups give them.
TEST(DeviceFields, OneScanOpensEachKeyOnce) {
  FakeRegistry r;
  const int fillers = 40;
  for (int i = 0; i < fillers; ++i)
    r.String(NtRoot + "\\{f" + std::to_string(i) + "}", "Class", "Filler")
        .String(NtRoot + "\\{f" + std::to_string(i) + "}\\0000", "DriverDesc", "filler");
  r.String(NtRoot + "\\{k}", "Class", "Keyboard")
      .String(NtRoot + "\\{k}\\0000", "DriverDesc", "first keyboard")
      .String(NtRoot + "\\{k}\\0001", "DriverDesc", "last keyboard")
      .String(NtRoot + "\\{p}", "Class", "Ports")
      .String(NtRoot + "\\{p}\\0000", "DriverDesc", "COM1")
      .String(NtRoot + "\\{p}\\0001", "DriverDesc", "LPT1")
      .String(NtRoot + "\\{m}", "Class", "Mouse")
      .Locked(NtRoot + "\\{m}\\0000")
      .String(NtRoot + "\\{p2}", "Class", "Ports")
      .String(NtRoot + "\\{p2}\\0000", "DriverDesc", "second ports class")
      .String(NtRoot + "\\{d}", "Class", "Display")
      .String(NtRoot + "\\{d}\\0000", "DriverDesc", "display");
  FakeVersion nt(PlatformNT, 5);
  FieldTable fields;
  DeviceClassScan scan(r, nt, PassClassNames(nt.Info));
  GatherKeyboardAndMouse(fields, r, scan, nt.Info);
  GatherMonitorsAndPorts(fields, r, scan, nt.Info);
  GatherVideoAdapters(fields, r, scan, nt.Info);
  GatherMedia(fields, r, scan, nt.Info);
  EXPECT_EQ(fields.Text(Field::Keyboard), "last keyboard");
  EXPECT_EQ(fields.Text(Field::Mouse), "");
  EXPECT_EQ(fields.Lines(Field::Ports), (std::vector<std::string>{"COM1", "LPT1"}));
  EXPECT_EQ(fields.Lines(Field::VideoAdapters), std::vector<std::string>{"display"});
  EXPECT_TRUE(fields.Lines(Field::Monitors).empty());
  EXPECT_TRUE(fields.Lines(Field::Media).empty());
  // The root, every class key (Monitor and MEDIA are missing, so the scan reads to the end), the
  // last keyboard instance, both ports and the display; the locked mouse instance does not open.
  EXPECT_EQ(r.Opens, 1 + fillers + 5 + 1 + 2 + 1);
  EXPECT_EQ(nt.Calls, 1);
  EXPECT_EQ(r.StillOpen(), 0u);
  EXPECT_EQ(r.BadCloses, 0);
}

} // namespace qv
