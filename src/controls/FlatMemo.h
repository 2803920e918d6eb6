#pragma once
#include <array>
#include <optional>

#include "controls/PaintOps.h"

namespace qv {

// Pixels the border takes from every side of the edit's client area.
constexpr int FlatMemoBorder = 3;

// Focus always highlights; hovering only while no flat memo holds the focus.
bool FlatMemoHighlighted(bool designing, bool focused, bool mouseInControl, bool activeIsFlatMemo);

// The three rings of the non-client border (outline, then two bands) for a window of w x h, and
// the corner square where two scroll bars meet, painted in the band colour.
TPaintPlan FlatMemoBorderPlan(int width, int height, bool bothScrollBars, TColor border, TColor band);

} // namespace qv
