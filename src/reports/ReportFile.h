#pragma once
#include <string>
#include <vector>

namespace qv {

// The bytes of a report file: every line, the last included, followed by CR LF; one byte per
// character (the ANSI code page the texts are already in).
std::string ReportFileBytes(const std::vector<std::string>& lines);

// What writing a report asks of the file system. Paths are UTF-8: the name exactly as the user
// typed it, whatever the code page.
class ReportFileSystem {
public:
  enum class CreateResult { crCreated, crExists, crFailed };
  virtual ~ReportFileSystem() = default;
  // Creates a file that does not exist yet (never opens an existing one), writes all the bytes
  // and closes it. crExists when the name is taken; crFailed leaves nothing behind.
  virtual CreateResult CreateNew(const std::string& path, const std::string& bytes) = 0;
  // Puts source in place of target, replacing a target that exists, in one step. False when
  // the target cannot be replaced (no rights, locked, a folder); both files then stay as they were.
  virtual bool Replace(const std::string& source, const std::string& target) = 0;
  virtual void Remove(const std::string& path) = 0;
  // Reads a whole file (a CPUID dump to replay); false when it cannot be read.
  virtual bool Read(const std::string& path, std::string& bytes) = 0;
  // Why this system cannot store the name as it stands, or empty when it can.
  virtual std::string NameProblem(const std::string&) { return ""; }
  // The path as a message shows it (the messages are in the ANSI code page).
  virtual std::string ShownName(const std::string& path) { return path; }
};

// The file system of the platform the program runs on.
ReportFileSystem& PlatformFileSystem();

// The name of the n-th temporary file in the folder of target, never longer than target's own
// name (so the temporary path fits wherever the target's does); empty when no n-th name is that
// short.
std::string TemporaryPathBeside(const std::string& target, int n);

// Writes the report to path: created, or replaced as a whole. The lines go to a temporary file
// beside it first, and the target is replaced only once all of them are on disk, so a failure
// never leaves a half-written report nor touches an existing file. Raises
// Exception("Cannot create file " + path) when the file cannot be written, with the reason on a
// second line when the system cannot store the name.
void WriteReportFile(const std::string& path, const std::vector<std::string>& lines,
                     ReportFileSystem& fs = PlatformFileSystem());
// The same for bytes as they stand (a compressed inventory).
void WriteWholeFile(const std::string& path, const std::string& bytes, ReportFileSystem& fs = PlatformFileSystem());

} // namespace qv
