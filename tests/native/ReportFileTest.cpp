#include "reports/ReportFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "MemoryFileSystem.h"
#include "core/Errors.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void PutFile(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary);
  out << bytes;
}

// A folder of its own per test, removed afterwards.
class ScratchFolder {
public:
  ScratchFolder() {
    Path = fs::temp_directory_path() /
           (std::string("quorvel-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Path);
    fs::create_directories(Path);
  }
  ~ScratchFolder() { fs::remove_all(Path); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(Path)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  fs::path Path;
};

std::string FailureOf(const std::string& path, const std::vector<std::string>& lines, ReportFileSystem& fs) {
  try {
    WriteReportFile(path, lines, fs);
  } catch (const Exception& e) {
    return e.Message();
  }
  return "(no error)";
}

} // namespace

TEST(ReportFileBytes, EveryLineEndsInCrLf) {
  EXPECT_EQ(ReportFileBytes({}), "");
  EXPECT_EQ(ReportFileBytes({""}), "\r\n");
  EXPECT_EQ(ReportFileBytes({"QUORVEL 07-12-2026", "", " Home"}), "QUORVEL 07-12-2026\r\n\r\n Home\r\n");
  // Bytes pass as they are: a tab, ANSI letters above 127.
  EXPECT_EQ(ReportFileBytes({"\tG\xE9rard"}), "\tG\xE9rard\r\n");
}

TEST(TemporaryPathBeside, StaysInTheTargetsFolderAndNoLongerThanItsName) {
  EXPECT_EQ(TemporaryPathBeside("C:\\Reports\\Quorvel 07-12-2026.txt", 1), "C:\\Reports\\~qv1.tmp");
  EXPECT_EQ(TemporaryPathBeside("/tmp/a/bbbbbbbb.html", 12), "/tmp/a/~qv12.tmp");
  EXPECT_EQ(TemporaryPathBeside("C:report.txt", 2), "C:~qv2.tmp");
  EXPECT_EQ(TemporaryPathBeside("report.txt", 3), "~qv3.tmp");
  // Shorter names: "~" and n in base 36 while that fits, then n alone, then none.
  EXPECT_EQ(TemporaryPathBeside("C:\\r\\rep.txt", 10), "C:\\r\\~a");
  EXPECT_EQ(TemporaryPathBeside("/tmp/a/b.html", 1), "/tmp/a/~1");
  EXPECT_EQ(TemporaryPathBeside("D:\\ab", 35), "D:\\~z");
  EXPECT_EQ(TemporaryPathBeside("D:\\ab", 36), "D:\\10");
  EXPECT_EQ(TemporaryPathBeside("D:\\a", 1), "D:\\1");
  EXPECT_EQ(TemporaryPathBeside("D:\\a", 36), "");
  EXPECT_EQ(TemporaryPathBeside("D:\\folder\\", 1), "");
  // Counted in characters, not bytes: the Greek name is 7 long, its UTF-8 11 bytes.
  EXPECT_EQ(TemporaryPathBeside("D:\\\xCE\xB1\xCF\x86\xCE\xB1.txt", 1), "D:\\~1");
  for (const std::string target : {"D:\\x\\n.txt", "D:\\x\\a", "D:\\x\\Quorvel.txt"})
    for (int n = 1; n <= 100; ++n) EXPECT_LE(TemporaryPathBeside(target, n).size(), target.size()) << target << n;
}

TEST(WriteReportFile, WritesThroughATemporaryAndReplacesAtTheEnd) {
  MemoryFileSystem fs;
  fs.Files["D:\\r.txt"] = "old";
  WriteReportFile("D:\\r.txt", {"a", "b"}, fs);
  EXPECT_EQ(fs.Files, (std::map<std::string, std::string>{{"D:\\r.txt", "a\r\nb\r\n"}}));
  EXPECT_EQ(fs.Calls, (std::vector<std::string>{"create D:\\~1", "replace D:\\~1 D:\\r.txt"}));
}

TEST(WriteReportFile, AOneLetterNameNeverBecomesItsOwnTemporary) {
  MemoryFileSystem fs;
  fs.Files["D:\\2"] = "someone else's";
  WriteReportFile("D:\\1", {"x"}, fs);
  EXPECT_EQ(fs.Files, (std::map<std::string, std::string>{{"D:\\1", "x\r\n"}, {"D:\\2", "someone else's"}}));
  EXPECT_EQ(fs.Calls, (std::vector<std::string>{"create D:\\2", "create D:\\3", "replace D:\\3 D:\\1"}));
}

TEST(WriteReportFile, ANameTheSystemCannotStoreIsRefusedUntouched) {
  struct Refusing : MemoryFileSystem {
    std::string NameProblem(const std::string& path) override {
      return path.find('\xCE') != std::string::npos ? "No Greek here." : "";
    }
    std::string ShownName(const std::string& path) override { return "[" + path.substr(3) + "]"; }
  } fs;
  fs.Files["D:\\afa.txt"] = "old";
  EXPECT_EQ(FailureOf("D:\\\xCE\xB1.txt", {"x"}, fs), "Cannot create file [\xCE\xB1.txt]\nNo Greek here.");
  EXPECT_TRUE(fs.Calls.empty());
  EXPECT_EQ(fs.Files, (std::map<std::string, std::string>{{"D:\\afa.txt", "old"}}));
}

TEST(WriteReportFile, TakenTemporaryNamesAreLeftAlone) {
  MemoryFileSystem fs;
  fs.Files["D:\\~qv1.tmp"] = "someone else's";
  fs.Files["D:\\~qv2.tmp"] = "a leftover";
  WriteReportFile("D:\\r.txt", {"x"}, fs);
  EXPECT_EQ(fs.Files["D:\\~qv1.tmp"], "someone else's");
  EXPECT_EQ(fs.Files["D:\\~qv2.tmp"], "a leftover");
  EXPECT_EQ(fs.Files["D:\\r.txt"], "x\r\n");
  EXPECT_EQ(fs.Files.count("D:\\~qv3.tmp"), 0u);
}

TEST(WriteReportFile, FailuresLeaveEverythingAsItWas) {
  struct Case {
    const char* What;
    bool FailWrite, FailReplace, AllNamesTaken;
  };
  const Case cases[] = {
      {"write fails", true, false, false},
      {"replace fails", false, true, false},
      {"no free temporary name", false, false, true},
  };
  for (const auto& c : cases) {
    MemoryFileSystem fs;
    fs.FailWrite = c.FailWrite;
    fs.FailReplace = c.FailReplace;
    fs.Files["D:\\r.txt"] = "old";
    if (c.AllNamesTaken)
      for (int n = 1; n <= 100; ++n) fs.Files[TemporaryPathBeside("D:\\r.txt", n)] = "taken";
    auto before = fs.Files;
    EXPECT_EQ(FailureOf("D:\\r.txt", {"new"}, fs), "Cannot create file D:\\r.txt") << c.What;
    EXPECT_EQ(fs.Files, before) << c.What;
  }
}

TEST(WriteReportFile, CreatesAndReplacesRealFiles) {
  ScratchFolder dir;
  fs::path target = dir.Path / "Quorvel 07-12-2026.txt";
  WriteReportFile(target.string(), {"one", "", "three"});
  EXPECT_EQ(ReadFile(target), "one\r\n\r\nthree\r\n");

  // A longer file first, so a missing truncation would show.
  PutFile(target, std::string(1000, 'x'));
  WriteReportFile(target.string(), {"short"});
  EXPECT_EQ(ReadFile(target), "short\r\n");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"Quorvel 07-12-2026.txt"});
}

TEST(WriteReportFile, UnwritableTargetsRaiseAndChangeNothing) {
  ScratchFolder dir;
  PutFile(dir.Path / "old.txt", "old report\r\n");
  fs::create_directory(dir.Path / "folder");
  const std::string missing = (dir.Path / "no such folder" / "r.txt").string();
  const std::string folder = (dir.Path / "folder").string();

  EXPECT_EQ(FailureOf(missing, {"x"}, PlatformFileSystem()), "Cannot create file " + missing);
  EXPECT_EQ(FailureOf(folder, {"x"}, PlatformFileSystem()), "Cannot create file " + folder);
  EXPECT_EQ(FailureOf("", {"x"}, PlatformFileSystem()), "Cannot create file ");

  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"folder", "old.txt"}));
  EXPECT_TRUE(fs::is_empty(dir.Path / "folder"));
  EXPECT_EQ(ReadFile(dir.Path / "old.txt"), "old report\r\n");
}

} // namespace qv
