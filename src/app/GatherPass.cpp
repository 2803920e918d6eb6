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

void GatherProcessorPage(PageFields& fields, PassState& state, ProcessorSources& processor) {
  try {
    GatherProcessor(fields, state.Processor, processor);
  } catch (...) {
    KeepRawProcessor(state, *processor.Cpuid);
    throw;
  }
  KeepRawProcessor(state, *processor.Cpuid);
}

// The version record read here also picks the device class names and the NT-only registry reads
// that come later in the pass.
VersionInfo GatherOperatingSystem(PageFields& fields, PassState& state, OsSource& os) {
  VersionInfo version = os.Version();
  state.Raw.Windows =
      RawValues::Version{version.MajorVersion, version.MinorVersion, version.BuildNumber & 0xFFFF, version.PlatformId};
  GatherVersionFields(fields, version);
  GatherPaths(fields, os.Paths());
  return version;
}

void GatherClockAndMemory(PageFields& fields, PassState& state, SystemSource& system) {
  LocalDateTime now = system.Now();
  state.Raw.PassTime = now;
  fields.SetText(Field::Time, TimeText(now));
  fields.SetText(Field::Date, DateText(now));
  MemoryStatus memory = system.Memory();
  state.Raw.Memory = memory;
  fields.SetText(Field::Memory, PhysicalMemoryText(memory));
  state.TotalMemoryText = MemoryText(memory.TotalPhys);
  fields.SetPosition(Field::MemoryBar, MemoryInUsePercent(memory));
}

// Devices, display and audio, in the order their fields are written.
void GatherDevices(PageFields& fields, PassState& state, GatherSources& sources, const VersionInfo& osVersion) {
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

// What an inventory needs besides the fields: the installation, its programs, the adapters.
void GatherInventoryFacts(PageFields& fields, PassState& state, GatherSources& sources, const VersionInfo& osVersion,
                          const std::vector<AdapterAddress>& netbiosAddresses) {
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

// Every page, in the order the fields have always been written; a source that is missing (the
// tests leave some out) leaves its fields as they were.
void GatherSteps(PageFields& fields, PassState& state, GatherSources& sources, PassHost& host) {
  state.Raw = {};
  if (sources.Drives) state.Raw.Drives = GatherDrives(fields, *sources.Drives);
  if (sources.Processor) GatherProcessorPage(fields, state, *sources.Processor);
  VersionInfo osVersion;
  if (sources.Os) osVersion = GatherOperatingSystem(fields, state, *sources.Os);
  if (sources.MachineRegistry) GatherProductIdAndKey(fields, *sources.MachineRegistry);
  if (sources.System) fields.SetText(Field::ComputerName, sources.System->ComputerName());
  if (sources.Os) fields.SetText(Field::LoginName, sources.Os->LoginName());
  // DirectX, time zone, title and registration.
  if (sources.MachineRegistry) GatherRegistration(fields, *sources.MachineRegistry, osVersion.PlatformId);
  host.UpdateLockKeyBoxes();
  if (sources.System) GatherClockAndMemory(fields, state, *sources.System);
  GatherDevices(fields, state, sources, osVersion);
  // The local IP address and its look-up link, the BIOS, the MAC addresses.
  if (sources.Network) GatherLocalAddress(fields, *sources.Network);
  if (sources.MachineRegistry) GatherBios(fields, *sources.MachineRegistry, osVersion.PlatformId);
  std::vector<AdapterAddress> netbiosAddresses;
  if (sources.NetBios) netbiosAddresses = GatherMacAddresses(fields, *sources.NetBios, osVersion.PlatformId);
  GatherInventoryFacts(fields, state, sources, osVersion, netbiosAddresses);
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
