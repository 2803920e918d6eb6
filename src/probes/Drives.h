#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fields/PageFields.h"
#include "fields/RawValues.h"

namespace qv {

// Drive types; the values are the platform's drive-type codes.
enum class TDriveType : int { dtUnknown = 0, dtNoDrive, dtFloppy, dtFixed, dtNetwork, dtCDROM, dtRAM };

// What the platform says about one drive root ("C:\").
struct VolumeAnswers {
  uint32_t SerialNumber = 0; // 0 and empty names when the volume could not be read
  std::string VolumeLabel;
  std::string FileSystem;
  int DriveTypeCode = 0; // the platform's code; anything outside 0..6 reads as unknown
  int64_t DiskSize = -1; // -1 when the volume cannot be queried
  int64_t DiskFree = -1;
};

class DriveReader {
public:
  virtual ~DriveReader() = default;
  // Reads the volume, type and sizes of drive letter ("A".."Z"). Must not prompt for or wait on a
  // missing medium.
  virtual VolumeAnswers Query(char letter) = 0;
};

// The drive component: setting Disk reads that volume; the other properties are its results.
class TDrives {
public:
  // Selects drive C, so a new component already holds C's values.
  explicit TDrives(DriveReader& reader);

  char Disk() const { return FDisk; }
  // Upper-cases the letter; anything outside "A".."Z" is ignored and changes nothing.
  void SetDisk(char letter);

  const std::string& SerialNumberStr() const { return FSerialNumberStr; }
  uint32_t SerialNumber() const { return FSerialNumber; }
  const std::string& VolumeLabel() const { return FVolumeLabel; }
  const std::string& FileSystem() const { return FFileSystem; }
  TDriveType DriveType() const { return FDriveType; }
  int64_t DiskSize() const { return FDiskSize; }
  int64_t DiskFree() const { return FDiskFree; }

private:
  DriveReader& Reader;
  char FDisk = 'C';
  std::string FSerialNumberStr = "0000-0000";
  uint32_t FSerialNumber = 0;
  std::string FVolumeLabel;
  std::string FFileSystem;
  TDriveType FDriveType = TDriveType::dtUnknown;
  int64_t FDiskSize = -1;
  int64_t FDiskFree = -1;
};

// "B475-F321": eight upper-case hex digits, most significant first, "-" after the fourth.
std::string SerialNumberText(uint32_t serial);

// ": [HARD DISC]" and its kin; empty for dtNoDrive.
std::string DriveTypeText(TDriveType type);

// "19.5 GB": decimal thresholds, binary divisors, one digit after the locale's separator.
std::string DriveSizeText(int64_t size, char decimalSeparator);

// One line of MemoDrives; empty for a letter without a drive.
std::string DriveLine(char letter, TDriveType type, int64_t size, const std::string& volumeLabel,
                      const std::string& fileSystem, char decimalSeparator);

// The drive step of the pass: the form's drive component and the locale's decimal separator.
class DriveSource {
public:
  virtual ~DriveSource() = default;
  virtual TDrives& Drives() = 0;
  virtual char DecimalSeparator() = 0;
};

// Walks the component over "A".."Z" and replaces MemoDrives with one line per drive in use. Gives
// the same drives' values.
std::vector<RawValues::Drive> GatherDrives(PageFields& fields, DriveSource& source);

// The real drive queries (Windows builds only).
std::unique_ptr<DriveReader> MakeWindowsDriveReader();
// The user's decimal separator, "." where none is set (Windows builds only).
char LocaleDecimalSeparator();
// A drive component of its own over the real queries, with the user's separator (Windows only).
std::unique_ptr<DriveSource> MakeWindowsDriveSource();

} // namespace qv
