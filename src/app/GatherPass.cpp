#include "app/GatherPass.h"

namespace qv {

namespace {

void GatherSteps(PageFields& fields, SysFormState& state, GatherSources& sources, PassHost& host) {
  (void)state;
  // Step 2: drives.

  // Step 3: processor.
  if (sources.Processor) GatherProcessor(fields, state.Processor, *sources.Processor);

  // Step 4: operating system.

  // Step 5: computer name.
  if (sources.System) fields.SetText("LabelComputer", sources.System->ComputerName());

  // Step 6: login name.

  // Step 7: DirectX, time zone, title, registration.

  // Step 8: lock keys.
  host.UpdateKeyStateBoxes();

  // Steps 9 and 10: time, date and memory.
  if (sources.System) {
    LocalDateTime now = sources.System->Now();
    fields.SetText("LabelTime", TimeText(now));
    fields.SetText("LabelDate", DateText(now));
    MemoryStatus memory = sources.System->Memory();
    fields.SetText("LabelPhysical", PhysicalMemoryText(memory));
    state.TotalMemoryText = MemoryText(memory.TotalPhys);
    fields.SetPosition("ProgressBarPhysical", MemoryInUsePercent(memory));
  }

  // Step 11: devices, display and audio.

  // Step 12: local IP address and its look-up link.

  // Step 13: BIOS.

  // Step 14: MAC addresses.
}

} // namespace

void RunGatheringPass(PageFields& fields, SysFormState& state, GatherSources& sources, PassHost& host) {
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
