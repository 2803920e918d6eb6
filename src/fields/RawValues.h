#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "fields/SystemTexts.h"

namespace qv {

// The numbers behind the page texts, kept by the pass for reports meant for scripts. A group the
// pass could not read (no reader, no CPUID) stays empty.
struct RawValues {
  std::optional<LocalDateTime> PassTime;
  std::optional<MemoryStatus> Memory;

  struct Processor {
    int Count = 0;
    double ClockMHz = 0; // 0 when the clock could not be measured
    bool CpuidAvailable = false;
    std::string Vendor; // as the processor spells it
    uint32_t Signature = 0;
    int Family = 0, Model = 0;         // the processor's own, extended bits included
    int BaseFamily = 0, BaseModel = 0; // the four bits the naming tables use
    int Stepping = 0, CpuType = 0;
    std::optional<std::string> Brand; // from the extended leaves, where the processor has them
    // FPU, RDTSC, MMX, MMX+, 3DNow!, 3DNow!+, iSSE, iSSE-2, APIC: the form's flag order.
    std::array<bool, 9> Features{};
  };
  std::optional<Processor> Cpu;

  struct Version {
    uint32_t Major = 0, Minor = 0, Build = 0, PlatformId = 0;
  };
  std::optional<Version> Windows;

  struct Screen {
    int Width = 0, Height = 0, BitsPerPixel = 0;
  };
  std::optional<Screen> Display;
};

} // namespace qv
