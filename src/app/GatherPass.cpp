#include "app/GatherPass.h"

#include <optional>

#include "cpu/CpuTopology.h"
#include "probes/Audio.h"
#include "probes/Bios.h"
#include "probes/DeviceClasses.h"
#include "probes/Display.h"
#include "probes/Drives.h"
#include "probes/Network.h"
#include "probes/Software.h"
#include "probes/WindowsVersion.h"

namespace qv {

namespace {

// The processor numbers as the section left them, also when the load monitor failed at its end.
void KeepRawProcessor(PassState& state, CpuidSource& cpuidSource) {
  const ProcessorState& p = state.Processor;
  RawValues::Processor cpu;
  cpu.Count = p.CpuCount;
  cpu.ClockMHz = p.ClockMHz;
  if (p.CPUID && p.CPUID->Available) {
    cpu.CpuidAvailable = true;
    cpu.Vendor = p.CPUID->Vendor;
    cpu.Signature = p.CPUID->Signature;
    cpu.Family = ProcessorFamily(p.CPUID->Signature);
    cpu.Model = ProcessorModel(p.CPUID->Signature);
    cpu.BaseFamily = p.CPUID->Family;
    cpu.BaseModel = p.CPUID->Model;
    cpu.Stepping = p.CPUID->Stepping;
    cpu.CpuType = p.CPUID->CpuType;
    cpu.Brand = ReadBrandString(cpuidSource);
    CpuTopology topology = DecodeTopology(cpuidSource, VendorCode(p.CPUID->Vendor));
    cpu.Cores = topology.Cores;
    cpu.LogicalProcessors = topology.LogicalProcessors;
    cpu.L2CacheKB = topology.L2CacheKB;
  }
  for (size_t i = 0; i < cpu.Features.size(); ++i) cpu.Features[i] = p.FeatureFlags[i];
  state.Raw.Cpu = cpu;
}

// Steps 11 to 14, then the inventory's own facts.
void GatherDeviceSteps(PageFields& fields, PassState& state, GatherSources& sources, const VersionInfo& osVersion) {
  // Step 11: devices, display and audio.
  {
    Registry* registry = sources.MachineRegistry;
    VersionSource* version = sources.Os;
    bool classes = registry && version;
    // One scan of the class database serves all four look-ups.
    std::optional<DeviceClassScan> scan;
    if (classes) scan.emplace(*registry, *version, PassClassNames(osVersion));
    if (classes) GatherKeyboardAndMouse(fields, *registry, *scan, osVersion);
    if (classes) GatherMonitorsAndPorts(fields, *registry, *scan, osVersion);
    if (sources.Printers) GatherPrinters(fields, *sources.Printers);
    if (classes) GatherVideoAdapters(fields, *registry, *scan, osVersion);
    if (sources.Screen) {
      ScreenCaps screen = sources.Screen->Screen();
      GatherScreen(fields, screen);
      state.Raw.Display = RawValues::Screen{screen.HorzRes, screen.VertRes, screen.BitsPixel};
    }
    if (classes) GatherMedia(fields, *registry, *scan, osVersion);
    if (sources.Audio) GatherAudio(fields, *sources.Audio);
  }

  // Step 12: local IP address and its look-up link.
  if (sources.Network) GatherLocalAddress(fields, *sources.Network);

  // Step 13: BIOS.
  if (sources.MachineRegistry) GatherBios(fields, *sources.MachineRegistry, osVersion.PlatformId);

  // Step 14: MAC addresses.
  std::vector<AdapterAddress> netbiosAddresses;
  if (sources.NetBios) netbiosAddresses = GatherMacAddresses(fields, *sources.NetBios, osVersion.PlatformId);

  // What an inventory needs besides the fields.
  if (Registry* registry = sources.MachineRegistry) {
    RawValues::Installation system = ReadInstallation(*registry, osVersion.PlatformId);
    if (sources.Network) system.Workgroup = ReadWorkgroup(*sources.Network, *registry, osVersion.PlatformId);
    state.Raw.System = system;
    state.Raw.Programs = ReadInstalledPrograms(*registry, sources.MachineRegistry64);
  }
  if (sources.Network) {
    auto adapters = sources.Network->Adapters();
    state.Raw.Adapters = adapters ? *adapters : AdaptersFromNetBios(netbiosAddresses, fields.Text(Field::LocalIp));
  }
}

void GatherSteps(PageFields& fields, PassState& state, GatherSources& sources, PassHost& host) {
  state.Raw = {};
  // Step 2: drives.
  if (sources.Drives) state.Raw.Drives = GatherDrives(fields, *sources.Drives);

  // Step 3: processor.
  if (sources.Processor) {
    try {
      GatherProcessor(fields, state.Processor, *sources.Processor);
    } catch (...) {
      KeepRawProcessor(state, *sources.Processor->Cpuid);
      throw;
    }
    KeepRawProcessor(state, *sources.Processor->Cpuid);
  }

  // Step 4: operating system. The version record read here also picks the class names of step 11
  // and the NT-only reads of steps 7, 13 and 14.
  VersionInfo osVersion;
  if (sources.Os) {
    osVersion = sources.Os->Version();
    state.Raw.Windows = RawValues::Version{osVersion.MajorVersion, osVersion.MinorVersion,
                                           osVersion.BuildNumber & 0xFFFF, osVersion.PlatformId};
    GatherVersionFields(fields, osVersion);
    GatherPaths(fields, sources.Os->Paths());
  }
  if (sources.MachineRegistry) GatherProductIdAndKey(fields, *sources.MachineRegistry);

  // Step 5: computer name.
  if (sources.System) fields.SetText(Field::ComputerName, sources.System->ComputerName());

  // Step 6: login name.
  if (sources.Os) fields.SetText(Field::LoginName, sources.Os->LoginName());

  // Step 7: DirectX, time zone, title, registration.
  if (sources.MachineRegistry) GatherRegistration(fields, *sources.MachineRegistry, osVersion.PlatformId);

  // Step 8: lock keys.
  host.UpdateLockKeyBoxes();

  // Steps 9 and 10: time, date and memory.
  if (sources.System) {
    LocalDateTime now = sources.System->Now();
    state.Raw.PassTime = now;
    fields.SetText(Field::Time, TimeText(now));
    fields.SetText(Field::Date, DateText(now));
    MemoryStatus memory = sources.System->Memory();
    state.Raw.Memory = memory;
    fields.SetText(Field::Memory, PhysicalMemoryText(memory));
    state.TotalMemoryText = MemoryText(memory.TotalPhys);
    fields.SetPosition(Field::MemoryBar, MemoryInUsePercent(memory));
  }

  GatherDeviceSteps(fields, state, sources, osVersion);
}

} // namespace

void RunGatheringPass(PageFields& fields, PassState& state, GatherSources& sources, PassHost& host) {
  host.BeginBusy();
  try {
    GatherSteps(fields, state, sources, host);
  } catch (...) {
    state.Gathered = true;
    host.EndBusy();
    throw;
  }
  state.Gathered = true;
  host.EndBusy();
}

} // namespace qv
