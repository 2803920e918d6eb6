#pragma once
#include <utility>

#include "fields/FieldTable.h"

namespace qv {

// A table as a pass on a small machine would leave it.
inline FieldTable FilledFields() {
  FieldTable f;
  const std::pair<const char*, const char*> values[] = {
      {"LabelComputer", "TESTBOX"},       {"LabelBIOSName", "Award"},      {"LabelBIOSDate", "01/02/03"},
      {"LabelPhysical", "256 Mb [95 Mb free]"},                            {"LabelDate", "07-12-2026"},
      {"LabelDescription", "Pentium II"}, {"LabelProducer", "Intel"},     {"LabelSpeed", "400 MHz"},
      {"LabelType", "Original OEM"},      {"LabelCPUs", "1"},              {"LabelOS", "Windows 98"},
      {"LabelOSCategory", "Windows 9x"},  {"LabelVersion", "4.10"},        {"LabelBuild", "2222"},
      {"LabelTitle", "Second Edition"},   {"LabelID", "12345"},            {"LabelKey", "ABCDE"},
      {"LabelX", "8.1"},                  {"LabelLogin", "mira"},          {"LabelName", "Mira"},
      {"LabelCompany", "Home"},           {"LabelTimeZone", "CET"},        {"LabelWindows", "C:\\WINDOWS"},
      {"LabelSystem", "C:\\WINDOWS\\SYSTEM"}, {"LabelTemp", "C:\\TEMP"},   {"LabelCSD", "A"},
      {"LabelKeyboard", "Standard 101/102-Key"}, {"LabelMouse", "PS/2"},   {"LabelWaveOut", "SB16 Wave"},
      {"LabelMidiOut", "SB16 Midi"},      {"LabelMix", "SB16 Mixer"},      {"LabelIP", "192.168.0.2"},
      {"LabelResolution", "1024 x 768"},  {"LabelColor", "16 Bit"},
  };
  for (const auto& [name, value] : values) f.SetText(name, value);
  f.SetLines("MemoDrives", {"A:\\ Removable", "C:\\ Fixed 2 Gb"});
  f.SetLines("MemoPrinter", {"Laser"});
  f.SetLines("MemoPort", {"COM1", "LPT1"});
  f.SetLines("MemoMedia", {});
  f.SetLines("MemoMAC", {"00-11-22-33-44-55"});
  f.SetLines("MemoAdapter", {"VGA"});
  f.SetLines("MemoMonitor", {"Plug and Play"});
  for (const char* box : {"CheckBoxFPU", "CheckBoxRDTSC", "CheckBoxMMX"}) f.SetChecked(box, true);
  return f;
}

} // namespace qv
