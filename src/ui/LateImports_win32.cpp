// The first paint needs none of the dialog, shell, spooler, NetBIOS, socket or multimedia
// libraries, and loading them all at start-up costs the window about 40 ms under Wine. So the
// program does not import them: each function the program calls from them is an import slot of
// our own (the pointer a dllimport call goes through) that first points at a stub, which loads the
// library, puts the real function in the slot and calls it. Later calls go straight there,
// until the library is let go and the slot points at the stub again.
#include "ui/LateImports.h"

#include "ui/Win.h"

#include <string>
#include <vector>

#include <cderr.h>
#include <commdlg.h>
#include <lm.h>
#include <mmsystem.h>
#include <nb30.h>
#include <shellapi.h>
#include <winsock.h>
#include <winspool.h>

namespace {

const char* const PassLibraries[] = {"winmm.dll", "wsock32.dll", "netapi32.dll", "winspool.drv"};

HANDLE WarmUp = nullptr;
bool WarmedUp = false;
std::vector<HMODULE> WarmUpModules;

// Loading the libraries, and the first calls that start the printing system and the sound drivers
// behind them, are what the pass's first calls into them would otherwise wait for.
DWORD WINAPI WarmUpThread(void*) {
  for (const char* library : PassLibraries)
    if (HMODULE module = LoadLibraryA(library)) WarmUpModules.push_back(module);
  if (HMODULE spooler = GetModuleHandleA("winspool.drv")) {
    if (auto enumPrinters = qv::LookUp<decltype(&::EnumPrintersA)>(spooler, "EnumPrintersA")) {
      DWORD needed = 0, count = 0;
      enumPrinters(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    }
  }
  if (HMODULE multimedia = GetModuleHandleA("winmm.dll")) {
    if (auto count = qv::LookUp<decltype(&::waveOutGetNumDevs)>(multimedia, "waveOutGetNumDevs")) count();
  }
  return 0;
}

void FinishWarmUp() {
  if (!WarmUp) return;
  WaitForSingleObject(WarmUp, INFINITE);
  CloseHandle(WarmUp);
  WarmUp = nullptr;
}

bool IsPassLibrary(const char* library) {
  for (const char* pass : PassLibraries)
    if (std::string(pass) == library) return true;
  return false;
}

// The dialog and shell libraries are part of every Windows: without one, the program stops as the
// system loader would have at start. The pass can do without its libraries (a 95 system without
// networking or sound may lack them): a call into a missing one fails as the call itself can fail,
// and the pass shows nothing found there.
void* Resolve(const char* library, const char* name) {
  FinishWarmUp();
  HMODULE module = LoadLibraryA(library);
  FARPROC f = module ? GetProcAddress(module, name) : nullptr;
  if (!f && IsPassLibrary(library)) {
    if (module) FreeLibrary(module);
    return nullptr;
  }
  if (!f) {
    std::string text = std::string("The function ") + name + " could not be found in " + library + ".";
    MessageBoxA(nullptr, text.c_str(), "Quorvel", MB_OK | MB_ICONERROR);
    ExitProcess(1);
  }
  return reinterpret_cast<void*>(f);
}

// Each slot, so that a library can be let go: its slots point at their stubs again, and each
// resolved slot gives back the reference its LoadLibraryA took.
struct LateSlot {
  const char* Library;
  bool (*Resolved)();
  void (*Reset)();
};
std::vector<LateSlot>& Slots() {
  static std::vector<LateSlot> slots;
  return slots;
}
bool Register(const char* library, bool (*resolved)(), void (*reset)()) {
  Slots().push_back({library, resolved, reset});
  return true;
}

} // namespace

#if defined(__i386__)
#define QV_IMPORT_SLOT(name, argBytes) "__imp__" #name "@" #argBytes
#else
#define QV_IMPORT_SLOT(name, argBytes) "__imp_" #name
#endif

#define QV_LATE_SLOT_COMMON(library, name, result, params, args, failure) \
  static result WINAPI Late_##name params {                               \
    void* resolved = Resolve(library, #name);                             \
    if (!resolved) return failure;                                        \
    Slot_##name = reinterpret_cast<decltype(&::name)>(resolved);          \
    return Slot_##name args;                                              \
  }                                                                       \
  static const bool Registered_##name = Register(                         \
      library, [] { return Slot_##name != &Late_##name; }, [] { Slot_##name = &Late_##name; });

// One function: its library, name, argument bytes (the 32-bit stdcall decoration), result, parameter
// list, argument list, and what it returns when a pass library is missing. The slot's type is the
// declared function's, so a wrong list does not build.
#define QV_LATE_IMPORT(library, name, argBytes, result, params, args, failure)         \
  static result WINAPI Late_##name params;                                             \
  extern "C" {                                                                         \
  decltype(&::name) Slot_##name __asm__(QV_IMPORT_SLOT(name, argBytes)) = Late_##name; \
  }                                                                                    \
  QV_LATE_SLOT_COMMON(library, name, result, params, args, failure)

// The same for a function its header declares without dllimport: calls reach the function by name.
#define QV_LATE_FUNCTION(library, name, result, params, args, failure) \
  static result WINAPI Late_##name params;                             \
  static decltype(&::name) Slot_##name = Late_##name;                  \
  extern "C" result WINAPI name params { return Slot_##name args; }    \
  QV_LATE_SLOT_COMMON(library, name, result, params, args, failure)

QV_LATE_IMPORT("comdlg32.dll", CommDlgExtendedError, 0, DWORD, (), (), 0)
QV_LATE_IMPORT("comdlg32.dll", GetSaveFileNameA, 4, WINBOOL, (LPOPENFILENAMEA a), (a), FALSE)
QV_LATE_IMPORT("comdlg32.dll", PrintDlgA, 4, WINBOOL, (LPPRINTDLGA a), (a), FALSE)
QV_LATE_IMPORT("shell32.dll", ShellExecuteA, 24, HINSTANCE, (HWND a, LPCSTR b, LPCSTR c, LPCSTR d, LPCSTR e, INT f),
               (a, b, c, d, e, f), nullptr)
QV_LATE_FUNCTION("winspool.drv", EnumPrintersA, WINBOOL,
                 (DWORD a, LPSTR b, DWORD c, LPBYTE d, DWORD e, LPDWORD f, LPDWORD g), (a, b, c, d, e, f, g), FALSE)
QV_LATE_FUNCTION("netapi32.dll", Netbios, UCHAR, (PNCB a), (a), NRC_SYSTEM)
// The NT family only: the 95 family's netapi32 has no workstation service to ask.
QV_LATE_FUNCTION("netapi32.dll", NetWkstaGetInfo, NET_API_STATUS, (LMSTR a, DWORD b, LPBYTE* c), (a, b, c),
                 ERROR_PROC_NOT_FOUND)
QV_LATE_FUNCTION("netapi32.dll", NetApiBufferFree, NET_API_STATUS, (LPVOID a), (a), ERROR_PROC_NOT_FOUND)
QV_LATE_IMPORT("wsock32.dll", WSAStartup, 8, int, (WORD a, LPWSADATA b), (a, b), WSASYSNOTREADY)
QV_LATE_IMPORT("wsock32.dll", WSACleanup, 0, int, (), (), SOCKET_ERROR)
QV_LATE_IMPORT("wsock32.dll", gethostname, 8, int, (char* a, int b), (a, b), SOCKET_ERROR)
QV_LATE_IMPORT("wsock32.dll", gethostbyname, 4, hostent*, (const char* a), (a), nullptr)
QV_LATE_IMPORT("wsock32.dll", inet_ntoa, 4, char*, (in_addr a), (a), nullptr)
QV_LATE_IMPORT("winmm.dll", waveOutGetDevCapsA, 12, MMRESULT, (UINT_PTR a, LPWAVEOUTCAPSA b, UINT c), (a, b, c),
               MMSYSERR_NODRIVER)
QV_LATE_IMPORT("winmm.dll", midiOutGetDevCapsA, 12, MMRESULT, (UINT_PTR a, LPMIDIOUTCAPSA b, UINT c), (a, b, c),
               MMSYSERR_NODRIVER)
QV_LATE_IMPORT("winmm.dll", mixerGetDevCapsA, 12, MMRESULT, (UINT_PTR a, LPMIXERCAPSA b, UINT c), (a, b, c),
               MMSYSERR_NODRIVER)

namespace qv {

void ReleasePassLibraries() {
  FinishWarmUp();
  for (HMODULE module : WarmUpModules) FreeLibrary(module);
  WarmUpModules.clear();
  WarmedUp = false;
  for (const char* library : PassLibraries)
    for (const LateSlot& slot : Slots()) {
      if (std::string(slot.Library) != library || !slot.Resolved()) continue;
      slot.Reset();
      if (HMODULE module = GetModuleHandleA(library)) FreeLibrary(module);
    }
}

void WarmUpPassLibraries() {
  // The C++ run-time makes its mutexes with CreateSemaphoreW, which the 95 family does not have: a
  // mutex there must never be waited on, so the program keeps to one thread there.
  if (WarmedUp || NinetyFiveFamily()) return;
  WarmedUp = true;
  WarmUp = CreateThread(nullptr, 0, WarmUpThread, nullptr, 0, nullptr);
}

} // namespace qv
