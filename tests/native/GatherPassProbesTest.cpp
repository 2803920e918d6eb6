#include <gtest/gtest.h>

#include "app/GatherPass.h"
#include "fields/FieldTable.h"
#include "native/FakeRegistry.h"
#include "probes/Audio.h"
#include "probes/Display.h"
#include "probes/Drives.h"
#include "probes/Network.h"
#include "probes/WindowsVersion.h"

namespace qv {

namespace {

class FakeOs : public OsSource {
public:
  VersionInfo Version() override { return Info; }
  SystemPaths Paths() override { return {"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS\\TEMP\\"}; }
  std::string LoginName() override { return "mira"; }
  VersionInfo Info;
};

class OneDrive : public DriveReader, public DriveSource {
public:
  VolumeAnswers Query(char letter) override {
    VolumeAnswers v;
    v.DriveTypeCode = letter == 'C' ? 3 : 1;
    v.DiskSize = letter == 'C' ? 1536 : -1;
    v.FileSystem = "FAT32";
    return v;
  }
  TDrives& Drives() override { return Disk; }
  char DecimalSeparator() override { return '.'; }
  TDrives Disk{*this};
};

class Machine : public PrinterSource,
                public ScreenSource,
                public AudioSource,
                public NetworkSource,
                public NetBiosSource {
public:
  std::vector<std::string> Printers() override { return {"Laser"}; }
  int PrinterIndex() override { return 0; }
  ScreenCaps Screen() override { return {800, 600, 8}; }
  std::optional<AudioCaps> Capabilities(TAudioKind) override { return AudioCaps{0x0100, "Dev"}; }
  std::vector<std::string> HostAddresses() override { return {"10.1.1.1", "10.1.1.2"}; }
  uint8_t NetbiosEnumLanas(LanaEnumBuffer& b) override {
    b[0] = 1, b[1] = 2;
    return 0;
  }
  uint8_t NetbiosReset(uint8_t) override {
    ++Resets;
    return 0;
  }
  uint8_t NetbiosAdapterStatus(uint8_t, AdapterAddress& a) override {
    a = {0, 1, 2, 3, 4, 5};
    return 0;
  }
  void Beep() override {}
  int Resets = 0;
};

FakeRegistry PlantedMachine() {
  FakeRegistry r;
  const std::string ntClass = "System\\CurrentControlSet\\Control\\Class";
  const std::string class9x = "System\\CurrentControlSet\\Services\\Class";
  r.String(ntClass + "\\{k}", "Class", "Keyboard").String(ntClass + "\\{k}\\0000", "DriverDesc", "NT keyboard");
  r.String(class9x + "\\K", "", "Keyboard").String(class9x + "\\K\\0000", "DriverDesc", "9x keyboard");
  r.String("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "CurrentType", "Uniprocessor Free")
      .String("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "ProductID", "55274-OEM");
  r.String("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "Version", "Windows 98");
  r.String("HARDWARE\\DESCRIPTION\\System", "Identifier", "AT/AT COMPATIBLE");
  r.String("Enum\\Root\\*PNP0C01\\0000", "BIOSVersion", "4.51 PG");
  return r;
}

} // namespace

TEST(GatherPassProbes, EveryProbeFieldWrittenAndThePlatformSteersLaterSteps) {
  struct Case {
    VersionInfo Info;
    const char *Os, *Title, *Keyboard, *Bios;
    int Resets;
  };
  for (const Case& c :
       {Case{{5, 1, 2600, PlatformNT, "Service Pack 1"},
             "Windows XP (official final release)",
             "Uniprocessor Free",
             "NT keyboard",
             "AT/AT COMPATIBLE",
             1},
        Case{
            {4, 10, 0x040A08AE, PlatformWindows, " A "}, "Windows 98 SE", "Windows 98", "9x keyboard", "4.51 PG", 0}}) {
    SCOPED_TRACE(c.Os);
    FakeRegistry registry = PlantedMachine();
    FakeOs os;
    os.Info = c.Info;
    OneDrive drives;
    Machine machine;
    GatherSources sources;
    sources.Drives = &drives;
    sources.Os = &os;
    sources.MachineRegistry = &registry;
    sources.Printers = &machine;
    sources.Screen = &machine;
    sources.Audio = &machine;
    sources.Network = &machine;
    sources.NetBios = &machine;
    FieldTable fields;
    PassState state;
    PassHost host;
    RunGatheringPass(fields, state, sources, host);

    EXPECT_EQ(fields.Lines(Field::Drives), std::vector<std::string>{" C: [HARD DISC] 1.5 kB   FAT32"});
    EXPECT_EQ(fields.Text(Field::OsDescription), c.Os);
    EXPECT_EQ(fields.Text(Field::WindowsPath), "C:\\WINDOWS");
    EXPECT_EQ(fields.Text(Field::TempPath), "C:\\WINDOWS\\TEMP\\");
    EXPECT_EQ(fields.Text(Field::ProductId), "55274-OEM");
    EXPECT_EQ(fields.Text(Field::LoginName), "mira");
    EXPECT_EQ(fields.Text(Field::OsTitle), c.Title);
    EXPECT_EQ(fields.Text(Field::DirectX), "-");  // no DirectX key: left as it was
    EXPECT_EQ(fields.Text(Field::TimeZone), "-"); // no time-zone key: left as it was
    EXPECT_EQ(fields.Text(Field::Keyboard), c.Keyboard);
    EXPECT_EQ(fields.Text(Field::Mouse), "");
    EXPECT_EQ(fields.Lines(Field::Printers), std::vector<std::string>{"Laser (Default)"});
    EXPECT_TRUE(fields.Lines(Field::Ports).empty());
    EXPECT_EQ(fields.Text(Field::Resolution), "800 x 600 pixels");
    EXPECT_EQ(fields.Text(Field::Colours), "256 Colors");
    EXPECT_EQ(fields.Text(Field::Mixer), "Dev v1.0");
    EXPECT_EQ(fields.Text(Field::LocalIp), "10.1.1.2");
    EXPECT_EQ(fields.Text(Field::BiosType), c.Bios);
    EXPECT_EQ(fields.Lines(Field::MacAddresses), std::vector<std::string>{"Adapter 2:  [00-01-02-03-04-05]"});
    EXPECT_EQ(machine.Resets, c.Resets);
    EXPECT_EQ(registry.StillOpen(), 0u);
    EXPECT_TRUE(state.Gathered);
  }
}

TEST(GatherPassProbes, NullReadersLeaveTheirFields) {
  GatherSources sources;
  FieldTable fields;
  PassState state;
  PassHost host;
  RunGatheringPass(fields, state, sources, host);
  EXPECT_EQ(fields.Lines(Field::Drives).size(), 5u);
  EXPECT_EQ(fields.Text(Field::OsDescription), "-");
  EXPECT_EQ(fields.Text(Field::LocalIp), "Who is it?");
  EXPECT_EQ(fields.Lines(Field::MacAddresses), std::vector<std::string>{"-"});
}

} // namespace qv
