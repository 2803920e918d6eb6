#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
    // One package as CPUID describes it; 0 where it does not say.
    int Cores = 0, LogicalProcessors = 0, L2CacheKB = 0;
  };
  std::optional<Processor> Cpu;

  struct Version {
    uint32_t Major = 0, Minor = 0, Build = 0, PlatformId = 0;
  };
  std::optional<Version> Windows;

  // What Windows keeps about itself, for an inventory.
  struct Installation {
    std::string ProductName;                  // "Microsoft Windows XP"; empty when not kept
    std::optional<LocalDateTime> InstallTime; // as Windows keeps it (UTC on NT, local on 95)
    std::string Workgroup;                    // the domain or workgroup
  };
  std::optional<Installation> System;

  // Every drive letter in use, in letter order.
  struct Drive {
    char Letter = 'C';
    int TypeCode = 0; // the platform's drive-type code
    std::string FileSystem, Label;
    int64_t TotalBytes = -1, FreeBytes = -1; // -1 when the volume could not be queried
  };
  std::optional<std::vector<Drive>> Drives;

  struct Adapter {
    std::string Description;
    std::vector<uint8_t> Mac; // the hardware address as the system gives it (6 bytes for Ethernet)
    std::string Ip, Mask, Gateway;
    int TypeCode = 0; // the IP Helper's interface type; 0 unknown
  };
  std::optional<std::vector<Adapter>> Adapters;

  // The installed programs, as the Uninstall key lists them.
  struct Program {
    std::string Name, Version, Publisher;
    bool operator==(const Program&) const = default;
  };
  std::optional<std::vector<Program>> Programs;

  struct Screen {
    int Width = 0, Height = 0, BitsPerPixel = 0;
  };
  std::optional<Screen> Display;
};

} // namespace qv
