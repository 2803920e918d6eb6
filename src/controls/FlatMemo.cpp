#include "controls/FlatMemo.h"

namespace qv {

bool FlatMemoHighlighted(bool designing, bool focused, bool mouseInControl, bool activeIsFlatMemo) {
  return !designing && (focused || (mouseInControl && !activeIsFlatMemo));
}

TPaintPlan FlatMemoBorderPlan(int width, int height, bool bothScrollBars, TColor border, TColor band) {
  TRect r{0, 0, width, height};
  TPaintPlan plan{TPaintOp::Frame(r, border)};
  r = InflateRect(r, -1, -1);
  plan.push_back(TPaintOp::Frame(r, band));
  r = InflateRect(r, -1, -1);
  plan.push_back(TPaintOp::Frame(r, band));
  if (bothScrollBars) plan.push_back(TPaintOp::Fill({r.Right - 17, r.Bottom - 17, r.Right - 1, r.Bottom - 1}, band));
  return plan;
}

} // namespace qv
