#pragma once
// Calls that Windows 95 or NT 4 lacks. Each is looked up at run time and, where the system does not
// have it, done another way with the same result, so that the program starts on every Windows.
#include "ui/Win.h"

namespace qv {

// A function of a library that some Windows lack, looked up while the program runs: null where the
// library is not loaded or has no such function.
template <typename F>
F LookupCall(HMODULE module, const char* name) {
  return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// Posts WM_MOUSELEAVE to the window once the pointer has left it (TrackMouseEvent, which 95 lacks;
// without it the pointer is looked at every 100 ms).
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
