#include "fields/FieldInventory.h"

#include "fields/ProgramIdentity.h"

namespace qv {

const char* const QuorvelVersion = QUORVEL_VERSION_TEXT;
const char* const HomePageCaption = "www.quorvel.example";
const char* const HomePageUrl = "http://www.quorvel.example/";
const char* const NoticeText = QUORVEL_NOTICE_TEXT;
const char* const CreditText = "Written by the Quorvel team. Thanks to everyone who tested it.";

namespace {

constexpr int CaptionLeft = 8;
constexpr int CaptionWidth = 100;
constexpr int ValueLeft = 125;
constexpr int ValueWidth = 300;
constexpr int RowHeight = 13;

FieldSpec Caption(const char* name, int page, int top, const char* text, int left = CaptionLeft) {
  return {name, FieldKind::fkCaption, page, Bounds(left, top, CaptionWidth, RowHeight), text, {}, "", false, true};
}
FieldSpec Value(const char* name, int page, int top, int width = ValueWidth, int left = ValueLeft) {
  return {name, FieldKind::fkValue, page, Bounds(left, top, width, RowHeight), "-", {}};
}
FieldSpec Memo(const char* name, int page, int top, int height, std::vector<std::string> lines = {"-"},
               bool readOnly = false) {
  return {name, FieldKind::fkMemo, page, Bounds(ValueLeft, top, ValueWidth, height), "", std::move(lines), "",
          readOnly};
}
FieldSpec Check(const char* name, int page, int left, int top, const char* caption, int width = 65) {
  return {name, FieldKind::fkCheck, page, Bounds(left, top, width, 15), caption, {}};
}
FieldSpec Bar(const char* name, int page, int top, int height) {
  return {name, FieldKind::fkBar, page, Bounds(ValueLeft, top, ValueWidth, height), "", {}};
}

std::vector<FieldSpec> MakeInventory() {
  std::vector<FieldSpec> f;
  // Welcome
  f.push_back({"ProductLabel", FieldKind::fkStatic, 0, Bounds(24, 24, 60, 13), "Quorvel", {}});
  f.push_back({"VersionLabel", FieldKind::fkStatic, 0, Bounds(240, 24, 169, 13), QuorvelVersion, {}, "", false, true});
  f.push_back({"ScrollBoxParent", FieldKind::fkBox, 0, Bounds(24, 48, 385, 200), "", {}});
  f.push_back({"ScrollBoxChild", FieldKind::fkBox, 0, Bounds(8, 195, 353, 1605), "", {}});

  // My Computer
  f.push_back(Caption("LabelTComputer", 1, 24, "Computer Name:"));
  f.push_back(Value("LabelComputer", 1, 24, 225));
  f.push_back(Check("CheckBoxNUM", 1, 360, 24, "NUM"));
  f.push_back(Check("CheckBoxCAPS", 1, 360, 40, "CAPS"));
  f.push_back(Check("CheckBoxSCROLL", 1, 360, 56, "SCROLL"));
  f.push_back(Check("CheckBoxINS", 1, 360, 72, "INS"));
  f.push_back(Caption("LabelTBIOSName", 1, 40, "BIOS Type:"));
  f.push_back(Value("LabelBIOSName", 1, 40, 236));
  f.push_back(Caption("LabelTBIOSDate", 1, 56, "BIOS Date:"));
  f.push_back(Value("LabelBIOSDate", 1, 56, 244));
  f.push_back(Caption("LabelTPhysical", 1, 88, "Memory:"));
  f.push_back(Value("LabelPhysical", 1, 88));
  f.push_back(Bar("ProgressBarPhysical", 1, 104, 16));
  f.push_back(Caption("LabelTTime", 1, 124, "Time:"));
  f.push_back(Value("LabelTime", 1, 124, 125, 124));
  f.push_back(Caption("LabelTDate", 1, 124, "Date:", 194));
  f.push_back(Value("LabelDate", 1, 124, 125, 301));
  f.push_back(Caption("LabelTDrives", 1, 144, "Drives:"));
  f.push_back(Memo("MemoDrives", 1, 144, 97, {"1", "2", "3", "4", "5"}, true));

  // Processor
  f.push_back(Caption("LabelTDescription", 2, 24, "Description:"));
  f.push_back(Value("LabelDescription", 2, 24));
  f.push_back(Caption("LabelTProducer", 2, 40, "Vendor:"));
  f.push_back(Value("LabelProducer", 2, 40));
  f.push_back(Caption("LabelTSpeed", 2, 56, "Speed:"));
  f.push_back(Value("LabelSpeed", 2, 56));
  f.push_back(Caption("LabelTType", 2, 72, "Type:"));
  f.push_back(Value("LabelType", 2, 72));
  f.push_back(Caption("LabelTCPUs", 2, 88, "Count:"));
  f.push_back(Value("LabelCPUs", 2, 88));
  f.push_back(Caption("LabelTFeatures", 2, 120, "Features:"));
  const char* features[9][2] = {{"CheckBoxFPU", "FPU"},         {"CheckBoxMMX", "MMX"},
                                {"CheckBoxExtendedMMX", "MMX+"}, {"CheckBoxRDTSC", "RDTSC"},
                                {"CheckBox3DNow", "3DNow!"},     {"CheckBoxExtended3DNow", "3DNow!+"},
                                {"CheckBoxAPIC", "APIC"},        {"CheckBoxSSE", "iSSE"},
                                {"CheckBoxSSE2", "iSSE-2"}};
  const int rows[3] = {120, 136, 152};
  const int columns[3] = {125, 237, 350};
  for (int i = 0; i < 9; ++i)
    f.push_back(Check(features[i][0], 2, columns[i % 3], rows[i / 3], features[i][1], 75));
  f.push_back(Caption("Label45", 2, 184, "Usage:"));
  f.push_back(Bar("CPUProgressBar1", 2, 184, 25));
  f.push_back(Bar("CPUProgressBar2", 2, 216, 25));

  // Operating System
  f.push_back(Caption("LabelTOS", 3, 24, "Description:"));
  f.push_back(Value("LabelOS", 3, 24));
  f.push_back(Caption("LabelTOSCategory", 3, 40, "Platform:"));
  f.push_back(Value("LabelOSCategory", 3, 40, 175));
  // Right-aligned in the usual 100-wide caption box at 308 these two would run under their values at
  // 375: they keep their left edge and take the width of their text.
  f.push_back({"LabelTVersion", FieldKind::fkCaption, 3, Bounds(308, 40, 60, RowHeight), "Version:", {}});
  f.push_back(Value("LabelVersion", 3, 40, 50, 375));
  f.push_back(Caption("LabelTTitle", 3, 56, "Title:"));
  f.push_back(Value("LabelTitle", 3, 56, 175));
  f.push_back({"LabelTBuild", FieldKind::fkCaption, 3, Bounds(308, 56, 60, RowHeight), "Build:", {}});
  f.push_back(Value("LabelBuild", 3, 56, 50, 375));
  const char* os[][3] = {{"LabelTID", "ID:", "LabelID"},
                         {"LabelTKey", "Key:", "LabelKey"},
                         {"LabelTX", "DirectX:", "LabelX"},
                         {"LabelTLogin", "Login Name:", "LabelLogin"},
                         {"LabelTName", "Register Name:", "LabelName"},
                         {"LabelTCompany", "Company:", "LabelCompany"},
                         {"LabelTTimeZone", "Time Zone:", "LabelTimeZone"},
                         {"LabelTWindows", "Windows Path:", "LabelWindows"},
                         {"LabelTSystem", "System Path:", "LabelSystem"},
                         {"LabelTTemp", "Temp Path:", "LabelTemp"},
                         {"LabelTCSD", "Add-On:", "LabelCSD"}};
  int top = 72;
  for (const auto& row : os) {
    f.push_back(Caption(row[0], 3, top, row[1]));
    f.push_back(Value(row[2], 3, top));
    top += 16;
  }

  // Devices
  f.push_back(Caption("LabelTKeyboard", 4, 24, "Keyboard:"));
  f.push_back(Value("LabelKeyboard", 4, 24));
  f.push_back(Caption("LabelTMouse", 4, 40, "Mouse:"));
  f.push_back(Value("LabelMouse", 4, 40));
  f.push_back(Caption("LabelTPrinter", 4, 58, "Printers:"));
  f.push_back(Memo("MemoPrinter", 4, 58, 33));
  f.push_back(Caption("LabelTPort", 4, 95, "Ports:"));
  f.push_back(Memo("MemoPort", 4, 95, 33));
  f.push_back(Caption("LabelTWaveOut", 4, 134, "Wave Audio:"));
  f.push_back(Value("LabelWaveOut", 4, 134));
  f.push_back(Caption("LabelTMidiOut", 4, 150, "Midi Audio:"));
  f.push_back(Value("LabelMidiOut", 4, 150));
  f.push_back(Caption("LabelTMix", 4, 166, "Audio Mixer:"));
  f.push_back(Value("LabelMix", 4, 166));
  f.push_back(Caption("LabelTMedia", 4, 182, "Media:"));
  f.push_back(Memo("MemoMedia", 4, 182, 66));

  // More ...
  f.push_back(Caption("LabelTIP", 5, 24, "Local IP Address:"));
  f.push_back({"LabelIP", FieldKind::fkUrl, 5, Bounds(ValueLeft, 24, ValueWidth, RowHeight), "Who is it?", {},
               "click for more information"});
  f.push_back(Caption("LabelTMAC", 5, 42, "MAC Addresses:"));
  f.push_back(Memo("MemoMAC", 5, 42, 49));
  f.push_back(Caption("LabelTResolution", 5, 96, "Screen Resolution:"));
  f.push_back(Value("LabelResolution", 5, 96));
  f.push_back(Caption("LabelTColor", 5, 112, "Display Colors:"));
  f.push_back(Value("LabelColor", 5, 112));
  f.push_back(Caption("LabelTAdapter", 5, 130, "Video Adapters:"));
  f.push_back(Memo("MemoAdapter", 5, 130, 49));
  f.push_back(Caption("LabelTMonitor", 5, 184, "Monitors:"));
  f.push_back(Memo("MemoMonitor", 5, 184, 51));

  // On the form itself
  f.push_back({"LabelNotice", FieldKind::fkStatic, -1, Bounds(120, 321, 140, 15), NoticeText, {}, "FREEWARE"});
  f.push_back({"HomePageLabel", FieldKind::fkUrl, -1, Bounds(417, 321, 155, 15), HomePageCaption, {},
               "Visit the official website.", false, true});
  return f;
}

} // namespace

const std::vector<FieldSpec>& FieldInventory() {
  static const std::vector<FieldSpec> inventory = MakeInventory();
  return inventory;
}

const FieldSpec* FindField(const std::string& name) {
  for (const auto& field : FieldInventory())
    if (name == field.Name) return &field;
  return nullptr;
}

const std::vector<CreditRole>& CreditRoles() {
  static const std::vector<CreditRole> roles = {
      {"AUTHOR", {"Mira Halden"}},
      {"CPU ROUTINES", {"Jonas Veltri", "Mira Halden"}},
      {"GRAPHICAL ASSISTANCE", {"Ottilie Brask"}},
      {"OTHER ROUTINES", {"Pavel Kessun", "Ines Marloe", "Teodor Wick"}},
      {"HELP TRANSLATORS", {"Anouk Derval", "Sven Ralsted", "Lucia Ferrano", "Kenji Adachi"}},
      {"SETUP GENERATOR", {"Ruben Talis"}},
      {"BETA TESTERS", {"Hedda Lorn", "Matteo Quist", "Yara Solberg", "Emil Strand", "Noor Baptist",
                        "Viktor Hesse", "Clara Meinke", "Tobias Ruhl"}},
  };
  return roles;
}

} // namespace qv
