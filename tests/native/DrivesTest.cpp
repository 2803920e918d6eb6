#include <gtest/gtest.h>

#include <map>

#include "fields/FieldTable.h"
#include "probes/Drives.h"

namespace qv {

namespace {

class FakeDrives : public DriveReader {
public:
  VolumeAnswers Query(char letter) override {
    Queried += letter;
    auto it = Drives.find(letter);
    if (it != Drives.end()) return it->second;
    VolumeAnswers none;
    none.DriveTypeCode = 1; // no volume at this root
    return none;
  }
  std::map<char, VolumeAnswers> Drives;
  std::string Queried;
};

VolumeAnswers Volume(int type, int64_t size, std::string label = "", std::string fs = "", uint32_t serial = 0) {
  VolumeAnswers v;
  v.DriveTypeCode = type;
  v.DiskSize = size;
  v.DiskFree = size < 0 ? -1 : size / 2;
  v.VolumeLabel = std::move(label);
  v.FileSystem = std::move(fs);
  v.SerialNumber = serial;
  return v;
}

class FakeDriveSource : public DriveSource {
public:
  explicit FakeDriveSource(char separator) : Separator(separator) {}
  TDrives& Drives() override { return Disk; }
  char DecimalSeparator() override { return Separator; }
  FakeDrives Reader;
  TDrives Disk{Reader};
  char Separator;
};

} // namespace

TEST(DriveSizeText, ThresholdsAreDecimalDivisorsBinary) {
  struct Case {
    int64_t Size;
    const char* Text;
  };
  for (const Case& c :
       {Case{1000, "1000.0 B"}, Case{1001, "1.0 kB"}, Case{1536, "1.5 kB"}, Case{1000000, "976.6 kB"},
        Case{1000001, "1.0 MB"}, Case{1000000000, "953.7 MB"}, Case{1000000001, "0.9 GB"}, Case{20971520000, "19.5 GB"},
        Case{1, "1.0 B"}, Case{0, "0.0 B"}, Case{1382, "1.3 kB"}, // 1.3496
        Case{1280, "1.2 kB"}, Case{1792, "1.8 kB"},               // 1.25 and 1.75: halves go to the even tenth
        Case{9223372036854775807, "8589934592.0 GB"}}) {
    SCOPED_TRACE(c.Size);
    EXPECT_EQ(DriveSizeText(c.Size, '.'), c.Text);
  }
  EXPECT_EQ(DriveSizeText(1536, ','), "1,5 kB");
}

TEST(SerialNumberText, EightHexDigitsSplitInTheMiddle) {
  EXPECT_EQ(SerialNumberText(0x0000ABCD), "0000-ABCD");
  EXPECT_EQ(SerialNumberText(0xB475F321), "B475-F321");
  EXPECT_EQ(SerialNumberText(0), "0000-0000");
  EXPECT_EQ(SerialNumberText(0xFFFFFFFF), "FFFF-FFFF");
}

TEST(DriveLine, PieceByPiece) {
  struct Case {
    const char* Name;
    char Letter;
    TDriveType Type;
    int64_t Size;
    const char *Label, *Fs, *Line;
  };
  using T = TDriveType;
  for (const Case& c : {
           Case{"fixed with label", 'C', T::dtFixed, 20971520000, "BOOT", "FAT32",
                " C: [HARD DISC] 19.5 GB  \"BOOT\"   FAT32"},
           Case{"fixed without label", 'C', T::dtFixed, 20971520000, "", "FAT32", " C: [HARD DISC] 19.5 GB   FAT32"},
           Case{"empty CD drive", 'D', T::dtCDROM, -1, "", "", " D: [COMPACT DISC]"},
           Case{"CD with CDFS", 'D', T::dtCDROM, 650000000, "DATA", "CDFS", " D: [COMPACT DISC] 619.9 MB  \"DATA\" "},
           Case{"CD in another file system", 'D', T::dtCDROM, 650000000, "DATA", "UDF",
                " D: [COMPACT DISC] 619.9 MB  \"DATA\"   UDF"},
           Case{"cdfs in lower case is shown", 'D', T::dtCDROM, 2048, "", "cdfs", " D: [COMPACT DISC] 2.0 kB   cdfs"},
           Case{"disconnected network drive", 'N', T::dtNetwork, -1, "SHARE", "NTFS", " N: [NETWORK DRIVE]"},
           Case{"floppy", 'A', T::dtFloppy, 1457664, "", "FAT", " A: [DISC DRIVE] 1.4 MB   FAT"},
           Case{"unknown", 'Q', T::dtUnknown, -1, "", "", " Q: [UNKNOWN DRIVE]"},
           Case{"RAM drive", 'R', T::dtRAM, 512, "", "FAT", " R: [RAM DRIVE] 512.0 B   FAT"},
           Case{"zero size", 'E', T::dtFloppy, 0, "", "", " E: [DISC DRIVE] 0.0 B   "},
           Case{"no drive", 'F', T::dtNoDrive, 1000, "X", "NTFS", ""},
       }) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(DriveLine(c.Letter, c.Type, c.Size, c.Label, c.Fs, '.'), c.Line);
  }
}

TEST(TDrives, CreationSelectsDriveC) {
  FakeDrives drives;
  drives.Drives['C'] = Volume(3, 4096, "SYS", "NTFS", 0xB475F321);
  TDrives disk(drives);
  EXPECT_EQ(drives.Queried, "C");
  EXPECT_EQ(disk.Disk(), 'C');
  EXPECT_EQ(disk.SerialNumber(), 0xB475F321u);
  EXPECT_EQ(disk.SerialNumberStr(), "B475-F321");
  EXPECT_EQ(disk.VolumeLabel(), "SYS");
  EXPECT_EQ(disk.FileSystem(), "NTFS");
  EXPECT_EQ(disk.DriveType(), TDriveType::dtFixed);
  EXPECT_EQ(disk.DiskSize(), 4096);
  EXPECT_EQ(disk.DiskFree(), 2048);
}

TEST(TDrives, LetterIsUpperCasedAndOthersIgnored) {
  FakeDrives drives;
  drives.Drives['C'] = Volume(3, 4096, "SYS", "NTFS", 1);
  drives.Drives['D'] = Volume(5, -1);
  TDrives disk(drives);
  disk.SetDisk('d');
  EXPECT_EQ(disk.Disk(), 'D');
  EXPECT_EQ(disk.DriveType(), TDriveType::dtCDROM);
  EXPECT_EQ(disk.DiskSize(), -1);
  EXPECT_EQ(disk.SerialNumberStr(), "0000-0000");
  for (char ignored : {'1', '@', '[', '`', '{', ' ', '\0'}) {
    disk.SetDisk(ignored);
    EXPECT_EQ(disk.Disk(), 'D');
  }
  EXPECT_EQ(drives.Queried, "CD"); // ignored letters touch no drive
}

TEST(TDrives, PlatformCodeOutsideTheTableIsUnknown) {
  FakeDrives drives;
  drives.Drives['C'] = Volume(7, 1);
  drives.Drives['D'] = Volume(-3, 1);
  TDrives disk(drives);
  EXPECT_EQ(disk.DriveType(), TDriveType::dtUnknown);
  disk.SetDisk('D');
  EXPECT_EQ(disk.DriveType(), TDriveType::dtUnknown);
}

TEST(GatherDrives, OneLinePerDriveInLetterOrder) {
  FakeDriveSource source(',');
  source.Reader.Drives['A'] = Volume(2, -1);
  source.Reader.Drives['C'] = Volume(3, 20971520000, "BOOT", "FAT32");
  source.Reader.Drives['D'] = Volume(5, 650000000, "DATA", "CDFS");
  source.Reader.Drives['Z'] = Volume(4, -1);
  FieldTable fields;
  EXPECT_EQ(fields.Lines(Field::Drives).size(), 5u); // "1" .. "5" before the first pass
  GatherDrives(fields, source);
  EXPECT_EQ(fields.Lines(Field::Drives),
            (std::vector<std::string>{" A: [DISC DRIVE]", " C: [HARD DISC] 19,5 GB  \"BOOT\"   FAT32",
                                      " D: [COMPACT DISC] 619,9 MB  \"DATA\" ", " Z: [NETWORK DRIVE]"}));
  EXPECT_EQ(source.Reader.Queried, "CABCDEFGHIJKLMNOPQRSTUVWXYZ");
  GatherDrives(fields, source);
  EXPECT_EQ(fields.Lines(Field::Drives).size(), 4u);
}

} // namespace qv
