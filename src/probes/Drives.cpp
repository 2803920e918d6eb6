#include "probes/Drives.h"

#include <cstdio>

namespace qv {

TDrives::TDrives(DriveReader& reader) : Reader(reader) { SetDisk('C'); }

void TDrives::SetDisk(char letter) {
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') return;
  VolumeAnswers answers = Reader.Query(letter);
  FDisk = letter;
  FSerialNumber = answers.SerialNumber;
  FSerialNumberStr = SerialNumberText(answers.SerialNumber);
  FVolumeLabel = answers.VolumeLabel;
  FFileSystem = answers.FileSystem;
  FDriveType = answers.DriveTypeCode >= 0 && answers.DriveTypeCode <= 6 ? static_cast<TDriveType>(answers.DriveTypeCode)
                                                                        : TDriveType::dtUnknown;
  FDiskSize = answers.DiskSize;
  FDiskFree = answers.DiskFree;
}

std::string SerialNumberText(uint32_t serial) {
  char text[10];
  std::snprintf(text, sizeof text, "%04X-%04X", static_cast<unsigned>(serial >> 16),
                static_cast<unsigned>(serial & 0xFFFF));
  return text;
}

std::string DriveTypeText(TDriveType type) {
  switch (type) {
    case TDriveType::dtUnknown:
      return ": [UNKNOWN DRIVE]";
    case TDriveType::dtNoDrive:
      return "";
    case TDriveType::dtFloppy:
      return ": [DISC DRIVE]";
    case TDriveType::dtFixed:
      return ": [HARD DISC]";
    case TDriveType::dtNetwork:
      return ": [NETWORK DRIVE]";
    case TDriveType::dtCDROM:
      return ": [COMPACT DISC]";
    case TDriveType::dtRAM:
      return ": [RAM DRIVE]";
  }
  return ": [UNKNOWN DRIVE]";
}

std::string DriveSizeText(int64_t size, char decimalSeparator) {
  // The platform's byte counts are unsigned; a negative one can only be garbage.
  if (size < 0) size = 0;
  // Each later threshold overrides the earlier; a size of 0 stays in bytes.
  int64_t divisor = 1;
  const char* unit = "B";
  if (size > 1000) divisor = 1024, unit = "kB";
  if (size > 1000000) divisor = 1048576, unit = "MB";
  if (size > 1000000000) divisor = 1073741824, unit = "GB";
  // Tenths computed exactly in integers, the last one rounded to nearest with halves to even.
  int64_t tenths;
  if (divisor == 1) {
    tenths = size * 10;
  } else {
    int64_t whole = size / divisor, rest = size % divisor;
    tenths = whole * 10 + rest * 10 / divisor;
    int64_t remainder = rest * 10 % divisor;
    if (remainder * 2 > divisor || (remainder * 2 == divisor && tenths % 2 != 0)) ++tenths;
  }
  std::string text = std::to_string(tenths / 10);
  text += decimalSeparator;
  text += static_cast<char>('0' + tenths % 10);
  return text + " " + unit;
}

std::string DriveLine(char letter, TDriveType type, int64_t size, const std::string& volumeLabel,
                      const std::string& fileSystem, char decimalSeparator) {
  if (type == TDriveType::dtNoDrive) return "";
  std::string line = " ";
  line += letter;
  line += DriveTypeText(type);
  if (size == -1) return line; // a drive that cannot be queried shows its type alone
  line += ' ';
  line += DriveSizeText(size, decimalSeparator);
  if (volumeLabel.empty()) {
    line += ' ';
  } else {
    line.append("  \"").append(volumeLabel).append("\" ");
  }
  if (fileSystem != "CDFS") line.append("  ").append(fileSystem);
  return line;
}

std::vector<RawValues::Drive> GatherDrives(PageFields& fields, DriveSource& source) {
  TDrives& disk = source.Drives();
  char separator = source.DecimalSeparator();
  fields.ClearLines(Field::Drives);
  std::vector<RawValues::Drive> drives;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    disk.SetDisk(letter);
    std::string line =
        DriveLine(letter, disk.DriveType(), disk.DiskSize(), disk.VolumeLabel(), disk.FileSystem(), separator);
    if (line.empty()) continue;
    fields.AddLine(Field::Drives, line);
    drives.push_back({letter, static_cast<int>(disk.DriveType()), disk.FileSystem(), disk.VolumeLabel(),
                      disk.DiskSize(), disk.DiskFree()});
  }
  return drives;
}

} // namespace qv
