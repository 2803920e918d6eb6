#pragma once
// The one way <windows.h> comes in: 8-bit text (no UNICODE), lean headers, no min/max macros.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#undef UNICODE
#undef _UNICODE
// Windows 95 and NT 4 are the oldest the program starts on, so the headers refuse any newer call:
// such a call is looked up at run time, with a fallback. Set here, not only where undefined, since
// any standard header before this one already sets the compiler's newer default.
#undef WINVER
#undef _WIN32_WINNT
#define WINVER 0x0400
#define _WIN32_WINNT 0x0400
#include <windows.h>

#include "core/UniqueHandle.h"

namespace qv {

struct HKeyTraits {
  using Type = HKEY;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { RegCloseKey(h); }
};
struct GdiObjectTraits {
  using Type = HGDIOBJ;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { DeleteObject(h); }
};
struct MemoryDcTraits {
  using Type = HDC;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { DeleteDC(h); }
};
struct KernelHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { CloseHandle(h); }
};
struct ModuleTraits {
  using Type = HMODULE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { FreeLibrary(h); }
};
using UniqueHKey = UniqueHandle<HKeyTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>; // a library from LoadLibraryA

// A window's DC from GetDC, given back with ReleaseDC.
class WindowDc {
public:
  explicit WindowDc(HWND wnd) : Wnd(wnd), Dc(GetDC(wnd)) {}
  ~WindowDc() {
    if (Dc) ReleaseDC(Wnd, Dc);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return Dc; }

private:
  HWND Wnd;
  HDC Dc;
};

// Selects an object into a DC and puts the previous one back.
class SelectGuard {
public:
  SelectGuard(HDC dc, HGDIOBJ obj) : Dc(dc), Old(obj ? SelectObject(dc, obj) : nullptr) {}
  ~SelectGuard() {
    if (Old) SelectObject(Dc, Old);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

private:
  HDC Dc;
  HGDIOBJ Old;
};

} // namespace qv
