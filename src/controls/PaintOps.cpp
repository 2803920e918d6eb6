#include "controls/PaintOps.h"

#include "core/AsciiCase.h"

namespace qv {

bool IsAccel(char c, const std::string& caption) {
  size_t i = 0;
  while ((i = caption.find('&', i)) != std::string::npos) {
    if (i + 1 >= caption.size()) return false;
    if (caption[i + 1] != '&') return AsciiLower(caption[i + 1]) == AsciiLower(c);
    i += 2;
  }
  return false;
}

} // namespace qv
