#pragma once
#include <map>
#include <string>
#include <vector>

#include "reports/ReportFile.h"

namespace qv {

// Files in memory, with a failure planted at one step, and every call written down.
class MemoryFileSystem : public ReportFileSystem {
public:
  std::map<std::string, std::string> Files;
  bool FailWrite = false;
  bool FailReplace = false;
  std::vector<std::string> Calls;

  CreateResult CreateNew(const std::string& path, const std::string& bytes) override {
    Calls.push_back("create " + path);
    if (Files.count(path)) return CreateResult::crExists;
    if (FailWrite) return CreateResult::crFailed;
    Files[path] = bytes;
    return CreateResult::crCreated;
  }
  bool Replace(const std::string& source, const std::string& target) override {
    Calls.push_back("replace " + source + " " + target);
    if (FailReplace) return false;
    Files[target] = Files[source];
    Files.erase(source);
    return true;
  }
  void Remove(const std::string& path) override {
    Calls.push_back("remove " + path);
    Files.erase(path);
  }
  bool Read(const std::string& path, std::string& bytes) override {
    auto file = Files.find(path);
    if (file != Files.end()) bytes = file->second;
    return file != Files.end();
  }
};

} // namespace qv
