#pragma once
#include <string>

namespace qv {

// The text of a message box with a line break in every run of more than width characters that
// has no blank: a message box grows as wide as its longest unbroken word, and a long path would
// make it wider than the screen. A run is broken after its last "\" or "/" that keeps the line
// within width, else at width itself, but never after a byte above 0x7F, which may be the
// first half of a double-byte character.
std::string BreakLongRuns(const std::string& text, size_t width);

} // namespace qv
