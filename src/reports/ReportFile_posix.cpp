#ifndef _WIN32
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "reports/ReportFile.h"

namespace qv {

namespace {

class PosixFileSystem : public ReportFileSystem {
public:
  CreateResult CreateNew(const std::string& path, const std::string& bytes) override {
    std::FILE* f = std::fopen(path.c_str(), "wbx");
    if (!f) return errno == EEXIST ? CreateResult::crExists : CreateResult::crFailed;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (ok) return CreateResult::crCreated;
    std::remove(path.c_str());
    return CreateResult::crFailed;
  }

  bool Replace(const std::string& source, const std::string& target) override {
    // rename() would replace a file the user may not write to; refuse it as Windows does.
    struct stat st;
    if (stat(target.c_str(), &st) == 0) {
      if (!S_ISREG(st.st_mode)) return false;
      std::FILE* f = std::fopen(target.c_str(), "r+b");
      if (!f) return false;
      std::fclose(f);
    }
    return std::rename(source.c_str(), target.c_str()) == 0;
  }

  void Remove(const std::string& path) override { std::remove(path.c_str()); }

  bool Read(const std::string& path, std::string& bytes) override {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char block[4096];
    for (size_t n; (n = std::fread(block, 1, sizeof block, f)) > 0;) bytes.append(block, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
  }
};

} // namespace

ReportFileSystem& PlatformFileSystem() {
  static PosixFileSystem fs;
  return fs;
}

} // namespace qv
#endif
