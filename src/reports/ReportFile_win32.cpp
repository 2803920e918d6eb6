#include <algorithm>

#include "reports/ReportFile.h"
#include "ui/Win.h"

namespace qv {

namespace {

class WindowsFileSystem : public ReportFileSystem {
public:
  CreateResult CreateNew(const std::string& path, const std::string& bytes) override {
    HANDLE handle =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
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
    DeleteFileA(path.c_str());
    return CreateResult::crFailed;
  }

  bool Replace(const std::string& source, const std::string& target) override {
    // A read-only report is not ours to replace (Wine's MoveFileEx would replace it anyway).
    DWORD attributes = GetFileAttributesA(target.c_str());
    bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) return false;
    if (MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    // The 95 family has no MoveFileEx: the old file goes only just before the new one moves in.
    if (exists && !DeleteFileA(target.c_str())) return false;
    return MoveFileA(source.c_str(), target.c_str()) != 0;
  }

  void Remove(const std::string& path) override { DeleteFileA(path.c_str()); }
};

}  // namespace

ReportFileSystem& PlatformFileSystem() {
  static WindowsFileSystem fs;
  return fs;
}

}  // namespace qv
