#include "ui/OptionalCalls.h"

namespace qv {

namespace {

bool OwnFallbacks = false;

// user32 is loaded by every window program: a look-up there never loads anything.
template <typename F>
F User32(const char* name) {
  return LookupCall<F>(GetModuleHandleA("user32.dll"), name);
}

using TrackMouseEventCall = BOOL(WINAPI*)(TRACKMOUSEEVENT*);
using GetAncestorCall = HWND(WINAPI*)(HWND, UINT);
using TransparentBltCall = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

const UINT GaRoot = 2; // GA_ROOT
// A window timer of the tracked window; the framework's own timers belong to no window.
const UINT_PTR LeaveTimer = 0x5156;

void CALLBACK LeavePoll(HWND wnd, UINT, UINT_PTR id, DWORD) {
  POINT p;
  if (GetCursorPos(&p) && WindowFromPoint(p) == wnd) return;
  KillTimer(wnd, id);
  PostMessageA(wnd, WM_MOUSELEAVE, 0, 0);
}

// TransparentBlt's job, in calls every Windows has: the source is stretched into a work bitmap,
// the key colour's pixels there make a mask, and the mask cuts the picture into the destination.
bool MaskCopy(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, COLORREF key) {
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32; // every colour exact, so the key compares exactly
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueGdiObject workBitmap(CreateDIBSection(dest, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueGdiObject maskBitmap(CreateBitmap(w, h, 1, 1, nullptr));
  UniqueMemoryDc work(CreateCompatibleDC(dest));
  UniqueMemoryDc mask(CreateCompatibleDC(dest));
  if (!workBitmap || !maskBitmap || !work || !mask) return false;
  SelectGuard workSelected(work.Get(), workBitmap.Get());
  SelectGuard maskSelected(mask.Get(), maskBitmap.Get());

  SetStretchBltMode(work.Get(), COLORONCOLOR);
  if (!StretchBlt(work.Get(), 0, 0, w, h, src, sx, sy, sw, sh, SRCCOPY)) return false;
  // Colour to monochrome: the source's background colour becomes 1, every other colour 0.
  SetBkColor(work.Get(), key);
  if (!BitBlt(mask.Get(), 0, 0, w, h, work.Get(), 0, 0, SRCCOPY)) return false;
  // Monochrome to colour: 1 takes the background colour, 0 the text colour. The key's pixels
  // go black in the picture, the picture's pixels black in the destination; OR joins the two.
  SetBkColor(work.Get(), RGB(0, 0, 0));
  SetTextColor(work.Get(), RGB(255, 255, 255));
  BitBlt(work.Get(), 0, 0, w, h, mask.Get(), 0, 0, SRCAND);
  COLORREF oldBack = SetBkColor(dest, RGB(255, 255, 255));
  COLORREF oldText = SetTextColor(dest, RGB(0, 0, 0));
  bool done =
      BitBlt(dest, x, y, w, h, mask.Get(), 0, 0, SRCAND) && BitBlt(dest, x, y, w, h, work.Get(), 0, 0, SRCPAINT);
  SetBkColor(dest, oldBack);
  SetTextColor(dest, oldText);
  return done;
}

} // namespace

void UseOwnFallbacks(bool on) { OwnFallbacks = on; }

void TrackPointerLeave(HWND wnd) {
  static const auto track = User32<TrackMouseEventCall>("TrackMouseEvent");
  if (track && !OwnFallbacks) {
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, wnd, 0};
    track(&tme);
    return;
  }
  SetTimer(wnd, LeaveTimer, 100, LeavePoll);
}

HWND RootWindow(HWND wnd) {
  static const auto ancestor = User32<GetAncestorCall>("GetAncestor");
  if (ancestor && !OwnFallbacks) return ancestor(wnd, GaRoot);
  // A child's parent is a window; a top-level window's "parent" is its owner, where the walk stops.
  while (wnd && (GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD)) {
    HWND parent = GetParent(wnd);
    if (!parent) break;
    wnd = parent;
  }
  return wnd;
}

bool TransparentCopy(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, COLORREF key) {
  // msimg32 is loaded on the first transparent paint, not with the program: the first window has none.
  static const auto blit = LookupCall<TransparentBltCall>(LoadLibraryA("msimg32.dll"), "TransparentBlt");
  if (blit && !OwnFallbacks) return blit(dest, x, y, w, h, src, sx, sy, sw, sh, key);
  return MaskCopy(dest, x, y, w, h, src, sx, sy, sw, sh, key);
}

} // namespace qv
