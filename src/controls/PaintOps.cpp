#include "controls/PaintOps.h"

#include <cctype>

namespace qv {

bool IsAccel(char c, const std::string& caption) {
  size_t i = 0;
  while ((i = caption.find('&', i)) != std::string::npos) {
    if (i + 1 >= caption.size()) return false;
    if (caption[i + 1] != '&')
      return std::toupper(static_cast<unsigned char>(caption[i + 1])) == std::toupper(static_cast<unsigned char>(c));
    i += 2;
  }
  return false;
}

} // namespace qv
