#pragma once
#include <cstdint>

namespace qv {

// Nearest integer, a half to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
int64_t RoundHalfEven(double value);

// a * b / c computed in 64 bits and rounded to nearest with halves away from zero, as the
// Windows call does; -1 when c is 0 or the result does not fit in 32 bits.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

} // namespace qv
