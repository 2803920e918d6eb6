#include "reports/ReportFile.h"

#include "core/AsciiCase.h"
#include "core/Errors.h"
#include "reports/AnsiText.h"

namespace qv {

std::string ReportFileBytes(const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const auto& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

std::string TemporaryPathBeside(const std::string& target, int n) {
  // Both separators, and a drive-relative "C:name", keep the folder part.
  size_t cut = target.find_last_of("\\/:");
  std::string folder = cut == std::string::npos ? "" : target.substr(0, cut + 1);
  // Measured as the NT family counts a path: a character beyond ASCII is one unit or more, and
  // the temporary name is ASCII.
  const size_t room = Utf8ToUtf16(std::string_view(target).substr(folder.size())).size();
  std::string name = "~qv" + std::to_string(n) + ".tmp";
  if (name.size() <= room) return folder + name;
  // A short target name gets a temporary name as short: "~" and n in base 36, or n alone.
  const char* digits = "0123456789abcdefghijklmnopqrstuvwxyz";
  name.clear();
  for (int rest = n; rest > 0; rest /= 36) name.insert(name.begin(), digits[rest % 36]);
  if (name.size() < room) name.insert(name.begin(), '~');
  return name.size() <= room && n > 0 ? folder + name : "";
}

void WriteReportFile(const std::string& path, const std::vector<std::string>& lines, ReportFileSystem& fs) {
  WriteWholeFile(path, ReportFileBytes(lines), fs);
}

void WriteWholeFile(const std::string& path, const std::string& bytes, ReportFileSystem& fs) {
  const std::string failure = "Cannot create file " + fs.ShownName(path);
  if (path.empty()) throw Exception(failure);
  // Never a look-alike: a name the system would store as another name is not written at all.
  const std::string problem = fs.NameProblem(path);
  if (!problem.empty()) throw Exception(failure + "\n" + problem);

  // A leftover of an interrupted run, or another program's file, only moves us to the next name.
  constexpr int MaxAttempts = 100;
  std::string temporary;
  auto result = ReportFileSystem::CreateResult::crExists;
  for (int n = 1; n <= MaxAttempts && result == ReportFileSystem::CreateResult::crExists; ++n) {
    temporary = TemporaryPathBeside(path, n);
    if (temporary.empty()) break;
    // A one-letter target must not become its own temporary file.
    if (SameIgnoringAsciiCase(temporary, path)) continue;
    result = fs.CreateNew(temporary, bytes);
  }
  if (result != ReportFileSystem::CreateResult::crCreated) throw Exception(failure);
  if (!fs.Replace(temporary, path)) {
    fs.Remove(temporary);
    throw Exception(failure);
  }
}

} // namespace qv
