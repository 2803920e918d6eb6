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

std::string PlainCaption(const std::string& caption) {
  std::string text;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    text += caption[i];
  }
  return text;
}

char AccelKey(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i)
    if (caption[i] == '&') {
      if (caption[i + 1] != '&') return caption[i + 1];
      ++i;
    }
  return '\0';
}

TPaintPlan FocusMarkPlan(TRect r, TColor color) {
  TPaintPlan plan;
  if (r.Width() <= 0 || r.Height() <= 0) return plan;
  auto dot = [&](int x, int y) {
    if ((x + y) % 2 == 0) plan.push_back(TPaintOp::Fill({x, y, x + 1, y + 1}, color));
  };
  for (int x = r.Left; x < r.Right; ++x) {
    dot(x, r.Top);
    if (r.Bottom - 1 > r.Top) dot(x, r.Bottom - 1);
  }
  for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
    dot(r.Left, y);
    if (r.Right - 1 > r.Left) dot(r.Right - 1, y);
  }
  return plan;
}

} // namespace qv
