#pragma once
#include <functional>

#include "core/Colour.h"

namespace qv {

// Amount of an advanced-colour shift, 0..100.
using TAdvColors = int;

// Turns a system colour index (the low byte of a 0x80xxxxxx colour) into RGB. The window layer
// passes the platform's current colours; tests pass a table.
using SystemColorResolver = std::function<TColor(int index)>;

// RGB for any colour value; plain RGB values come back unchanged (top byte cleared).
TColor ColorToRGB(TColor color, const SystemColorResolver& resolve);

// The colour of an advanced-colour property: `current` when amount is 0, otherwise the base colour
// made lighter or darker on the 240-step lightness scale. Lighter results are capped at 100, not
// 240, so a very light base turns grey rather than white.
TColor ShiftLightness(TColor base, TColor current, TAdvColors amount, bool darker, const SystemColorResolver& resolve);

// The classic system colours, for code that runs without a desktop (tests, the report tool).
TColor ClassicSystemColor(int index);

} // namespace qv
