#pragma once
#include <string>

#include "fields/PageFields.h"
#include "status/PassState.h"

namespace qv {

class DriveSource;
class OsSource;
class Registry;
class PrinterSource;
class ScreenSource;
class AudioSource;
class NetworkSource;
class NetBiosSource;

// The window around the pass. The headless table needs none of it.
class PassHost {
public:
  virtual ~PassHost() = default;
  // Splash shown and repainted, main form disabled.
  virtual void BeginBusy() {}
  // After Gathered is set: Print and Export enabled, splash hidden, main form enabled, active tab
  // 1 (which shows the My Computer page), tab control enabled, main form brought to the front.
  virtual void EndBusy() {}
  // Lock-key and feature indicators copied from their sources.
  virtual void UpdateLockKeyBoxes() {}
};

// The readers behind each step. A reader left null leaves its fields as they are.
struct GatherSources {
  SystemSource* System = nullptr; // computer name, clock, memory
  DriveSource* Drives = nullptr;
  OsSource* Os = nullptr;              // version, paths, login; its platform steers later reads
  Registry* MachineRegistry = nullptr; // product ID, registration, device classes, BIOS, inventory
  // The same registry's 64-bit view, where a 32-bit program runs on 64-bit Windows: its programs.
  Registry* MachineRegistry64 = nullptr;
  PrinterSource* Printers = nullptr;
  ScreenSource* Screen = nullptr;
  AudioSource* Audio = nullptr;
  NetworkSource* Network = nullptr; // the local IP address, the adapters
  NetBiosSource* NetBios = nullptr; // the MAC addresses
  ProcessorSources* Processor = nullptr;
};

// The gathering pass: every probe in its fixed order, answers written into the fields. The end
// state is reached on every path; an error raised by a probe skips the remaining steps and is
// raised again once the window is usable. After the fields, the pass keeps what an inventory needs
// besides them (product name, install time, workgroup, adapters, programs) with the raw values.
void RunGatheringPass(PageFields& fields, PassState& state, GatherSources& sources, PassHost& host);

} // namespace qv
