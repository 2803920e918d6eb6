#pragma once
#include <string>

#include "app/PageFields.h"
#include "app/SystemTexts.h"
#include "cpu/ProcessorSection.h"

namespace qv {

class DriveSource;
class OsSource;
class Registry;
class PrinterSource;
class ScreenSource;
class AudioSource;
class NetworkSource;
class NetBiosSource;

// Form state besides the controls, written by the pass and read by the refresh and the reports.
struct SysFormState {
  bool Gathered = false;           // set by the first completed pass, never cleared
  std::string TotalMemoryText;     // "256 Mb", read by the reports
  ProcessorState Processor;        // probe, count, feature flags and clock of the latest pass
};

// What the pass reads itself: computer name, memory, the local clock.
class SystemSource {
public:
  virtual ~SystemSource() = default;
  virtual std::string ComputerName() = 0;   // empty when it cannot be read
  virtual MemoryStatus Memory() = 0;
  virtual LocalDateTime Now() = 0;
};

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
  virtual void UpdateKeyStateBoxes() {}
};

// The readers behind each step. A reader left null leaves its fields as they are.
struct GatherSources {
  SystemSource* System = nullptr;
  DriveSource* Drives = nullptr;            // step 2
  OsSource* Os = nullptr;                   // steps 4 and 6; its platform also steers 7, 11, 13, 14
  Registry* MachineRegistry = nullptr;      // steps 4, 7, 11, 13
  PrinterSource* Printers = nullptr;        // step 11
  ScreenSource* Screen = nullptr;           // step 11
  AudioSource* Audio = nullptr;             // step 11
  NetworkSource* Network = nullptr;         // step 12
  NetBiosSource* NetBios = nullptr;         // step 14
  ProcessorSources* Processor = nullptr;
};

// The gathering pass: every probe in its fixed order, answers written into the fields. The end
// state is reached on every path; an error raised by a probe skips the remaining steps and is
// raised again once the window is usable.
void RunGatheringPass(PageFields& fields, SysFormState& state, GatherSources& sources, PassHost& host);

} // namespace qv
