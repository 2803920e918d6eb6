#include <cstring>
#include <limits>

#include "probes/Drives.h"
#include "ui/Win.h"

namespace qv {

namespace {

// Removable drives without a medium would otherwise raise the system's "insert a disk" box and
// wait for it; with critical errors failed the queries just answer "no volume".
class QuietMediaErrors {
public:
  QuietMediaErrors() : Old(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
  ~QuietMediaErrors() { SetErrorMode(Old); }
  QuietMediaErrors(const QuietMediaErrors&) = delete;
  QuietMediaErrors& operator=(const QuietMediaErrors&) = delete;

private:
  UINT Old;
};

int64_t ToSigned(ULONGLONG bytes) {
  constexpr auto max = static_cast<ULONGLONG>(std::numeric_limits<int64_t>::max());
  return static_cast<int64_t>(bytes > max ? max : bytes);
}

using GetDiskFreeSpaceExProc = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

class WindowsDriveReader : public DriveReader {
public:
  WindowsDriveReader() {
    // The first 95 release lacks the 64-bit call; the cluster counts serve there.
    FreeSpaceEx = LookUpLoaded<GetDiskFreeSpaceExProc>("kernel32.dll", "GetDiskFreeSpaceExA");
  }

  VolumeAnswers Query(char letter) override {
    QuietMediaErrors quiet;
    const char root[4] = {letter, ':', '\\', '\0'};
    VolumeAnswers answers;

    char label[256], fileSystem[256];
    std::memset(label, 0, sizeof label);
    std::memset(fileSystem, 0, sizeof fileSystem);
    DWORD serial = 0, maxComponent = 0, flags = 0;
    if (GetVolumeInformationA(root, label, sizeof label, &serial, &maxComponent, &flags, fileSystem,
                              sizeof fileSystem)) {
      answers.SerialNumber = serial;
      answers.VolumeLabel.assign(label, strnlen(label, sizeof label));
      answers.FileSystem.assign(fileSystem, strnlen(fileSystem, sizeof fileSystem));
    }

    answers.DriveTypeCode = static_cast<int>(GetDriveTypeA(root));

    if (FreeSpaceEx) {
      ULARGE_INTEGER toCaller{}, total{}, totalFree{};
      if (FreeSpaceEx(root, &toCaller, &total, &totalFree)) {
        answers.DiskSize = ToSigned(total.QuadPart);
        answers.DiskFree = ToSigned(toCaller.QuadPart);
      }
    } else {
      DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
      if (GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters)) {
        ULONGLONG cluster = ULONGLONG{sectorsPerCluster} * bytesPerSector;
        answers.DiskSize = ToSigned(cluster * totalClusters);
        answers.DiskFree = ToSigned(cluster * freeClusters);
      }
    }
    return answers;
  }

private:
  GetDiskFreeSpaceExProc FreeSpaceEx = nullptr;
};

class WindowsDriveSource : public DriveSource {
public:
  TDrives& Drives() override { return Disk; }
  char DecimalSeparator() override { return LocaleDecimalSeparator(); }

private:
  WindowsDriveReader Reader;
  TDrives Disk{Reader};
};

} // namespace

std::unique_ptr<DriveSource> MakeWindowsDriveSource() { return std::make_unique<WindowsDriveSource>(); }

std::unique_ptr<DriveReader> MakeWindowsDriveReader() { return std::make_unique<WindowsDriveReader>(); }

char LocaleDecimalSeparator() {
  char text[8];
  std::memset(text, 0, sizeof text);
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) > 0 && text[0] != '\0') return text[0];
  return '.';
}

} // namespace qv
