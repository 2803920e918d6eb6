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
// Windows 95 and NT 4 are the oldest the program starts on. These settings leave out only some
// newer declarations: MinGW's headers still declare many newer calls (GetAncestor compiles and
// imports), so the import list and its test are the real guard, and a newer call is looked up at
// run time with a fallback (LookUp below). Set here, not only where undefined, since any standard
// header before this one already sets the compiler's newer default.
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
struct LibraryTraits {
  using Type = HMODULE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { FreeLibrary(h); }
};
using UniqueHKey = UniqueHandle<HKeyTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
// A library loaded by the program itself, freed when it is no longer needed.
using UniqueLibrary = UniqueHandle<LibraryTraits>;

// A function that not every Windows has, looked up at run time: null where the module or the
// function is missing. F is the function's pointer type.
template <typename F>
F LookUp(HMODULE module, const char* name) {
  // Through void (*)() so that the compiler accepts the change of signature.
  return module ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
}

// The same, in a library every process of ours has loaded (kernel32, user32, ntdll): nothing is
// loaded, so nothing is to be freed.
template <typename F>
F LookUpLoaded(const char* library, const char* name) {
  return LookUp<F>(GetModuleHandleA(library), name);
}

// Windows 95, 98 and Me (the high bit of GetVersion): their wide calls are stubs that fail, and
// they keep names only in the code page.
inline bool NinetyFiveFamily() { return (GetVersion() & 0x80000000u) != 0; }

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
