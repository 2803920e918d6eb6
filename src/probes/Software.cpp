#include "probes/Software.h"

#include <algorithm>

namespace qv {

namespace {

const std::string UninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

std::string Trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void AddPrograms(Registry& registry, std::vector<RawValues::Program>& programs) {
  std::vector<std::string> names;
  {
    RegKey root(registry, UninstallKey);
    names = root.SubKeys();
  }
  for (const std::string& name : names) {
    RegKey key(registry, UninstallKey + "\\" + name);
    RawValues::Program program{Trimmed(key.ReadString("DisplayName")), Trimmed(key.ReadString("DisplayVersion")),
                               Trimmed(key.ReadString("Publisher"))};
    if (program.Name.empty() || std::find(programs.begin(), programs.end(), program) != programs.end()) continue;
    programs.push_back(std::move(program));
  }
}

} // namespace

std::vector<RawValues::Program> ReadInstalledPrograms(Registry& registry, Registry* otherView) {
  std::vector<RawValues::Program> programs;
  AddPrograms(registry, programs);
  if (otherView) AddPrograms(*otherView, programs);
  return programs;
}

} // namespace qv
