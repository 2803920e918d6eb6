#pragma once
// Calls that Windows 95 or NT 4 lacks. Each is looked up at run time and, where the system does not
// have it, done another way with the same result, so that the program starts on every Windows.
#include "ui/Win.h"

namespace qv {

// Posts WM_MOUSELEAVE to the window once the pointer has left its client area, at once where it
// is already outside (TrackMouseEvent, which 95 lacks; without it the pointer is looked at then,
// and every 100 ms after).
void TrackPointerLeave(HWND wnd);

// The top-level window that holds the window (GetAncestor with GA_ROOT, which 95 and NT 4 before
// SP4 lack; without it, the walk up the parents).
HWND RootWindow(HWND wnd);

// Copies the source rectangle, stretched to the destination's, leaving the pixels of the key colour
// out (TransparentBlt of msimg32.dll, which 95 and NT 4 lack; without it, a mask blit).
bool TransparentCopy(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, COLORREF key);

// The three, done without the system's call whatever Windows has: for the tests, which compare them.
void UseOwnFallbacks(bool on);

} // namespace qv
