#include "reports/ReportFile.h"

#include "core/Errors.h"

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
  // Short on purpose: a target near the path length limit still gets a temporary name.
  return folder + "~qv" + std::to_string(n) + ".tmp";
}

void WriteReportFile(const std::string& path, const std::vector<std::string>& lines, ReportFileSystem& fs) {
  const Exception failure("Cannot create file " + path);
  if (path.empty()) throw failure;
  const std::string bytes = ReportFileBytes(lines);

  // A leftover of an interrupted run, or another program's file, only moves us to the next name.
  constexpr int MaxAttempts = 100;
  std::string temporary;
  auto result = ReportFileSystem::CreateResult::crExists;
  for (int n = 1; n <= MaxAttempts && result == ReportFileSystem::CreateResult::crExists; ++n) {
    temporary = TemporaryPathBeside(path, n);
    result = fs.CreateNew(temporary, bytes);
  }
  if (result != ReportFileSystem::CreateResult::crCreated) throw failure;
  if (!fs.Replace(temporary, path)) {
    fs.Remove(temporary);
    throw failure;
  }
}

}  // namespace qv
