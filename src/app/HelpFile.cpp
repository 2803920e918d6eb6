#include "app/HelpFile.h"

namespace qv {

std::string HelpFileFor(const std::string& programPath) {
  size_t slash = programPath.find_last_of("\\/");
  size_t dot = programPath.find_last_of('.');
  std::string base = programPath;
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) base.resize(dot);
  return base + ".hlp";
}

} // namespace qv
