#include "core/MessageText.h"

namespace qv {

std::string BreakLongRuns(const std::string& text, size_t width) {
  std::string out;
  out.reserve(text.size() + text.size() / (width ? width : 1));
  size_t runStart = 0;                       // where the current run begins in out
  size_t afterSeparator = std::string::npos; // just after the run's last separator
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      out += c;
      runStart = out.size();
      afterSeparator = std::string::npos;
      continue;
    }
    if (width && out.size() - runStart >= width) {
      size_t at = std::string::npos;
      if (afterSeparator != std::string::npos && afterSeparator > runStart)
        at = afterSeparator;
      else if (static_cast<unsigned char>(out.back()) < 0x80) // no lead byte is below 0x80
        at = out.size();
      if (at != std::string::npos) {
        out.insert(at, 1, '\n');
        runStart = at + 1;
        afterSeparator = std::string::npos;
      }
    }
    out += c;
    if (c == '\\' || c == '/') afterSeparator = out.size();
  }
  return out;
}

} // namespace qv
