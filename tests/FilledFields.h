#pragma once
#include <utility>

#include "FieldPrint.h"
#include "fields/FieldTable.h"

namespace qv {

// A table as a pass on a small machine would leave it.
inline FieldTable FilledFields() {
  FieldTable f;
  const std::pair<Field, const char*> values[] = {
      {Field::ComputerName, "TESTBOX"},
      {Field::BiosType, "Award"},
      {Field::BiosDate, "01/02/03"},
      {Field::Memory, "256 Mb [95 Mb free]"},
      {Field::Date, "07-12-2026"},
      {Field::CpuDescription, "Pentium II"},
      {Field::CpuVendor, "Intel"},
      {Field::CpuSpeed, "400 MHz"},
      {Field::CpuType, "Original OEM"},
      {Field::CpuCount, "1"},
      {Field::OsDescription, "Windows 98"},
      {Field::Platform, "Windows 9x"},
      {Field::OsVersion, "4.10"},
      {Field::OsBuild, "2222"},
      {Field::OsTitle, "Second Edition"},
      {Field::ProductId, "12345"},
      {Field::ProductKey, "ABCDE"},
      {Field::DirectX, "8.1"},
      {Field::LoginName, "mira"},
      {Field::RegisteredName, "Mira"},
      {Field::Company, "Home"},
      {Field::TimeZone, "CET"},
      {Field::WindowsPath, "C:\\WINDOWS"},
      {Field::SystemPath, "C:\\WINDOWS\\SYSTEM"},
      {Field::TempPath, "C:\\TEMP"},
      {Field::ServicePack, "A"},
      {Field::Keyboard, "Standard 101/102-Key"},
      {Field::Mouse, "PS/2"},
      {Field::WaveAudio, "SB16 Wave"},
      {Field::MidiAudio, "SB16 Midi"},
      {Field::Mixer, "SB16 Mixer"},
      {Field::LocalIp, "192.168.0.2"},
      {Field::Resolution, "1024 x 768"},
      {Field::Colours, "16 Bit"},
  };
  for (const auto& [name, value] : values) f.SetText(name, value);
  f.SetLines(Field::Drives, {"A:\\ Removable", "C:\\ Fixed 2 Gb"});
  f.SetLines(Field::Printers, {"Laser"});
  f.SetLines(Field::Ports, {"COM1", "LPT1"});
  f.SetLines(Field::Media, {});
  f.SetLines(Field::MacAddresses, {"00-11-22-33-44-55"});
  f.SetLines(Field::VideoAdapters, {"VGA"});
  f.SetLines(Field::Monitors, {"Plug and Play"});
  for (Field box : {Field::FpuBox, Field::RdtscBox, Field::MmxBox}) f.SetChecked(box, true);
  return f;
}

} // namespace qv
