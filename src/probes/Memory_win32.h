#pragma once
#include "fields/SystemTexts.h"
#include "ui/Win.h"

namespace qv {

// Finds a kernel32 export by name; null where this system does not have it.
using KernelProcLookup = FARPROC (*)(const char* name);
FARPROC KernelProc(const char* name);

// Physical memory. GlobalMemoryStatusEx (2000 and later) gives 64-bit counts; it is looked up at
// run time so that the program still starts on 95, 98, Me and NT 4, which only have
// GlobalMemoryStatus. A 32-bit program's GlobalMemoryStatus stops at 4 GB - 1 (or 2 GB).
MemoryStatus ReadMemoryStatus(KernelProcLookup lookup = KernelProc);

} // namespace qv
