#include <gtest/gtest.h>

#include "fields/FieldTable.h"
#include "probes/Audio.h"
#include "probes/Display.h"

namespace qv {

TEST(Printers, CurrentOneMarkedDefault) {
  std::vector<std::string> three = {"Laser", "Inkjet", "Fax"};
  EXPECT_EQ(PrinterLines(three, 1), (std::vector<std::string>{"Laser", "Inkjet (Default)", "Fax"}));
  EXPECT_EQ(PrinterLines(three, 0), (std::vector<std::string>{"Laser (Default)", "Inkjet", "Fax"}));
  EXPECT_EQ(PrinterLines(three, -1), three);
  EXPECT_EQ(PrinterLines(three, 3), three);
  EXPECT_TRUE(PrinterLines({}, 0).empty());
}

TEST(Printers, EntriesPerFamily) {
  std::vector<PrinterInfo> printers = {{"Laser", "LPT1:"}, {"Shared", "COM1:,FILE:"}, {"Portless", ""}};
  EXPECT_EQ(PrinterEntries(printers, true), (std::vector<std::string>{"Laser", "Shared", "Portless"}));
  EXPECT_EQ(PrinterEntries(printers, false),
            (std::vector<std::string>{"Laser on LPT1:", "Shared on COM1:", "Shared on FILE:"}));
}

TEST(Printers, DefaultFromTheDeviceProfile) {
  std::vector<PrinterInfo> printers = {{"Laser", "LPT1:,LPT2:"}, {"Inkjet", "USB001"}, {"Fax", "FAX:"}};
  EXPECT_EQ(DefaultPrinterIndex(printers, true, "Inkjet,winspool,USB001"), 1);
  EXPECT_EQ(DefaultPrinterIndex(printers, false, "Inkjet,winspool,USB001"), 2); // Laser has two entries
  EXPECT_EQ(DefaultPrinterIndex(printers, true, "inkjet,winspool,USB001"), 1);
  EXPECT_EQ(DefaultPrinterIndex(printers, true, "Fax"), 2);
  EXPECT_EQ(DefaultPrinterIndex(printers, true, "Plotter,winspool,LPT1:"), -1);
  EXPECT_EQ(DefaultPrinterIndex(printers, true, ""), -1);
  EXPECT_EQ(DefaultPrinterIndex(printers, true, ",winspool,LPT1:"), -1);
}

namespace {
class FakePrinters : public PrinterSource {
public:
  std::vector<std::string> Printers() override { return List; }
  int PrinterIndex() override { return Index; }
  std::vector<std::string> List;
  int Index = -1;
};
} // namespace

TEST(Printers, MemoReplacedEachPass) {
  FieldTable fields;
  FakePrinters printers;
  printers.List = {"A", "B", "C"};
  printers.Index = 1;
  GatherPrinters(fields, printers);
  GatherPrinters(fields, printers);
  EXPECT_EQ(fields.Lines(Field::Printers), (std::vector<std::string>{"A", "B (Default)", "C"}));
  printers.List.clear();
  GatherPrinters(fields, printers);
  EXPECT_TRUE(fields.Lines(Field::Printers).empty());
}

TEST(Screen, ColourDepthNames) {
  struct Case {
    int Bits;
    const char* Name;
  };
  for (const Case& c : {Case{4, "16 Colors"}, Case{8, "256 Colors"}, Case{16, "High Color (16 bit)"},
                        Case{24, "True Color (24 bit)"}, Case{32, "True Color (32 bit)"}, Case{15, "15 bit"},
                        Case{1, "1 bit"}, Case{0, "0 bit"}, Case{2, "2 bit"}, Case{64, "64 bit"}}) {
    EXPECT_EQ(ColourDepthName(c.Bits), c.Name);
  }
}

TEST(Screen, Fields) {
  class FakeScreen : public ScreenSource {
  public:
    ScreenCaps Screen() override { return {1024, 768, 15}; }
  } screen;
  FieldTable fields;
  GatherScreen(fields, screen);
  EXPECT_EQ(fields.Text(Field::Resolution), "1024 x 768 pixels");
  EXPECT_EQ(fields.Text(Field::Colours), "15 bit");
}

TEST(Audio, NameAndDriverVersion) {
  EXPECT_EQ(AudioDeviceText(AudioCaps{0x0400, "SB16 Wave Out"}), "SB16 Wave Out v4.0");
  EXPECT_EQ(AudioDeviceText(AudioCaps{0x050A, "SB16 Wave Out"}), "SB16 Wave Out v5.10");
  EXPECT_EQ(AudioDeviceText(AudioCaps{0xABCD1234, "X"}), "X v18.52"); // only the low 16 bits count
  EXPECT_EQ(AudioDeviceText(AudioCaps{0, ""}), " v0.0");
  EXPECT_EQ(AudioDeviceText(std::nullopt), "");
}

TEST(Audio, NoWaveDeviceLeavesTheOthers) {
  class FakeAudio : public AudioSource {
  public:
    std::optional<AudioCaps> Capabilities(TAudioKind kind) override {
      switch (kind) {
        case TAudioKind::akWaveOut:
          return std::nullopt;
        case TAudioKind::akMidiOut:
          return AudioCaps{0x0100, "MIDI Synth"};
        case TAudioKind::akMixer:
          return AudioCaps{0x0203, "Mixer"};
      }
      return std::nullopt;
    }
  } audio;
  FieldTable fields;
  GatherAudio(fields, audio);
  EXPECT_EQ(fields.Text(Field::WaveAudio), "");
  EXPECT_EQ(fields.Text(Field::MidiAudio), "MIDI Synth v1.0");
  EXPECT_EQ(fields.Text(Field::Mixer), "Mixer v2.3");
}

} // namespace qv
