// Any volume label, file system name, drive type code and byte counts (0, -1 and the 64-bit
// limits included) through the drive component, the byte formatter and the drive lines.
#include <cmath>
#include <cstdint>
#include <limits>

#include "FuzzFields.h"
#include "FuzzInput.h"
#include "probes/Drives.h"

using qv::Field;

namespace {

using qv::fuzz::Input;

const int64_t Sizes[] = {0,
                         -1,
                         1,
                         1000,
                         1001,
                         1000000,
                         1000001,
                         1000000000,
                         1000000001,
                         std::numeric_limits<int64_t>::max(),
                         std::numeric_limits<int64_t>::min(),
                         std::numeric_limits<int64_t>::max() - 1};

int64_t PickSize(Input& in) { return in.Bool() ? in.Pick(Sizes) : static_cast<int64_t>(in.U64()); }

class FuzzedDrives : public qv::DriveReader {
public:
  explicit FuzzedDrives(Input& in) : In(in) {}
  qv::VolumeAnswers Query(char letter) override {
    FUZZ_CHECK(letter >= 'A' && letter <= 'Z');
    qv::VolumeAnswers a;
    a.SerialNumber = In.U32();
    a.VolumeLabel = In.Text(40);
    a.FileSystem = In.Bool() ? "CDFS" : In.Text(12);
    a.DriveTypeCode = In.Bool() ? In.Byte() % 8 : In.Int();
    a.DiskSize = PickSize(In);
    a.DiskFree = PickSize(In);
    Last = a;
    return a;
  }
  Input& In;
  qv::VolumeAnswers Last;
};

class Source : public qv::DriveSource {
public:
  Source(qv::TDrives& disk, char separator) : Disk(disk), Separator(separator) {}
  qv::TDrives& Drives() override { return Disk; }
  char DecimalSeparator() override { return Separator; }
  qv::TDrives& Disk;
  char Separator;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "<digits><separator><digit> <unit>", within half a tenth of the size in that unit.
void CheckSizeText(int64_t size, char separator) {
  std::string text = qv::DriveSizeText(size, separator);
  size_t blank = text.rfind(' ');
  FUZZ_CHECK(blank != std::string::npos && blank >= 3);
  std::string unit = text.substr(blank + 1);
  FUZZ_CHECK(unit == "B" || unit == "kB" || unit == "MB" || unit == "GB");
  FUZZ_CHECK(text[blank - 2] == separator && IsDigit(text[blank - 1]));
  for (size_t i = 0; i + 2 < blank; ++i) FUZZ_CHECK(IsDigit(text[i]));
  if (size < 0) return;
  const long double divisor = unit == "B" ? 1 : unit == "kB" ? 1024 : unit == "MB" ? 1048576 : 1073741824;
  FUZZ_CHECK((unit == "B") == (size <= 1000));
  FUZZ_CHECK((unit == "GB") == (size > 1000000000));
  const long double shown = std::stold(text.substr(0, blank - 2)) + (text[blank - 1] - '0') / 10.0L;
  FUZZ_CHECK(std::fabs(shown - size / divisor) <= 0.0500001L);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  const char separator = in.Bool() ? '.' : static_cast<char>(in.Byte());
  const bool digitSeparator = IsDigit(separator) || separator == ' ';

  // The formatter and the line builder on their own.
  for (int i = 0; i < 4; ++i) {
    int64_t bytes = PickSize(in);
    if (!digitSeparator) CheckSizeText(bytes, separator);
    auto type = static_cast<qv::TDriveType>(in.Byte() % 7);
    std::string label = in.Text(40), fileSystem = in.Bool() ? "CDFS" : in.Text(12);
    char letter = static_cast<char>('A' + in.Pick(26));
    std::string line = qv::DriveLine(letter, type, bytes, label, fileSystem, separator);
    if (type == qv::TDriveType::dtNoDrive) {
      FUZZ_CHECK(line.empty());
      continue;
    }
    std::string head = std::string(" ") + letter + qv::DriveTypeText(type);
    FUZZ_CHECK(line.compare(0, head.size(), head) == 0);
    if (bytes == -1)
      FUZZ_CHECK(line == head);
    else {
      std::string sized = head + " " + qv::DriveSizeText(bytes, separator);
      FUZZ_CHECK(line.compare(0, sized.size(), sized) == 0);
      if (!label.empty()) FUZZ_CHECK(line.find("  \"" + label + "\" ", sized.size()) == sized.size());
      if (fileSystem == "CDFS") FUZZ_CHECK(line.back() == ' ');
    }
  }

  // The component: any letter; outside "A".."Z" nothing changes.
  FuzzedDrives drives(in);
  qv::TDrives disk(drives);
  for (int i = 0; i < 3; ++i) {
    char before = disk.Disk();
    std::string serialBefore = disk.SerialNumberStr();
    char letter = static_cast<char>(in.Byte());
    disk.SetDisk(letter);
    char upper = letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 32) : letter;
    if (upper < 'A' || upper > 'Z') {
      FUZZ_CHECK(disk.Disk() == before && disk.SerialNumberStr() == serialBefore);
      continue;
    }
    FUZZ_CHECK(disk.Disk() == upper);
    const std::string& serial = disk.SerialNumberStr();
    FUZZ_CHECK(serial.size() == 9 && serial[4] == '-');
    FUZZ_CHECK(disk.VolumeLabel() == drives.Last.VolumeLabel && disk.DiskSize() == drives.Last.DiskSize);
    int code = drives.Last.DriveTypeCode;
    FUZZ_CHECK(static_cast<int>(disk.DriveType()) == (code >= 0 && code <= 6 ? code : 0));
  }

  // The pass's walk over "A".."Z": one line per drive in use.
  qv::fuzz::FuzzFields fields;
  Source source(disk, separator);
  qv::GatherDrives(fields, source);
  FUZZ_CHECK(fields.Lines(Field::Drives).size() <= 26);
  return 0;
}
