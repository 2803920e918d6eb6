#include "reports/ReportFile_win32.h"

#include <algorithm>

#include "ui/Win.h"

namespace qv {

namespace {

class WindowsFileSystem : public ReportFileSystem {
public:
  explicit WindowsFileSystem(const WideFileCalls* calls) : Wide(calls) {}

  CreateResult CreateNew(const std::string& path, const std::string& bytes) override {
    HANDLE handle =
        Wide ? Wide->CreateFile(Utf8ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                nullptr)
             : CreateFileA(Ansi(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      DWORD error = GetLastError();
      return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? CreateResult::crExists
                                                                         : CreateResult::crFailed;
    }
    UniqueKernelHandle file(handle);
    bool ok = true;
    size_t done = 0;
    while (ok && done < bytes.size()) {
      DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
      DWORD written = 0;
      ok = WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) && written == chunk;
      done += written;
    }
    ok = ok && FlushFileBuffers(file.Get());
    ok = CloseHandle(file.Release()) && ok;
    if (ok) return CreateResult::crCreated;
    Remove(path);
    return CreateResult::crFailed;
  }

  bool Replace(const std::string& source, const std::string& target) override {
    // A read-only report is not ours to replace (Wine's MoveFileEx would replace it anyway).
    DWORD attributes =
        Wide ? Wide->GetFileAttributes(Utf8ToWide(target).c_str()) : GetFileAttributesA(Ansi(target).c_str());
    bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) return false;
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (Wide) return Wide->MoveFileEx(Utf8ToWide(source).c_str(), Utf8ToWide(target).c_str(), flags) != 0;
    if (MoveFileExA(Ansi(source).c_str(), Ansi(target).c_str(), flags)) return true;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    // The 95 family has no MoveFileEx: the old file goes only just before the new one moves in.
    if (exists && !DeleteFileA(Ansi(target).c_str())) return false;
    return MoveFileA(Ansi(source).c_str(), Ansi(target).c_str()) != 0;
  }

  void Remove(const std::string& path) override {
    if (Wide)
      Wide->DeleteFile(Utf8ToWide(path).c_str());
    else
      DeleteFileA(Ansi(path).c_str());
  }

  bool Read(const std::string& path, std::string& bytes) override {
    HANDLE handle = Wide ? Wide->CreateFile(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                         : CreateFileA(Ansi(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    UniqueKernelHandle file(handle);
    char block[4096];
    for (;;) {
      DWORD got = 0;
      if (!ReadFile(file.Get(), block, sizeof block, &got, nullptr)) return false;
      if (got == 0) return true;
      bytes.append(block, got);
    }
  }

  std::string NameProblem(const std::string& path) override {
    std::string ansi;
    if (Wide ? WideToUtf8(Utf8ToWide(path)) == path : Utf8ToAnsiExactly(path, ansi)) return "";
    return Wide ? "The name is not valid text." : "The name has letters that this system cannot store in a file name.";
  }

  std::string ShownName(const std::string& path) override { return Utf8ToAnsiShown(path); }

private:
  // Never the look-alike: a name that does not convert exactly names no file at all.
  static std::string Ansi(const std::string& path) {
    std::string ansi;
    return Utf8ToAnsiExactly(path, ansi) ? ansi : std::string();
  }
  const WideFileCalls* Wide;
};

} // namespace

std::unique_ptr<ReportFileSystem> MakeWindowsFileSystem(const WideFileCalls* calls) {
  return std::make_unique<WindowsFileSystem>(calls);
}

ReportFileSystem& PlatformFileSystem() {
  static std::unique_ptr<ReportFileSystem> fs = MakeWindowsFileSystem(WideNameCalls());
  return *fs;
}

} // namespace qv
