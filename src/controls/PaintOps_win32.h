#pragma once
#include <functional>

#include "controls/ColourShift.h"
#include "controls/PaintOps.h"
#include "ui/Controls.h"

namespace qv {

// Carries out a paint plan on a canvas (its font is used for the text steps).
void RunPaintPlan(TCanvas& canvas, const TPaintPlan& plan);

// The platform's current system colours.
SystemColorResolver WindowsSystemColors();

// Paints a control at once, outside WM_PAINT: a windowed control on its own window, a windowless
// one on its parent's window, clipped to its bounds. Nothing happens while it is not showing.
void PaintDirect(TControl& control, const std::function<void(TCanvas&)>& paint);

} // namespace qv
