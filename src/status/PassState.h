#pragma once
#include <string>

#include "cpu/ProcessorSection.h"
#include "fields/RawValues.h"
#include "fields/SystemTexts.h"

namespace qv {

// Form state besides the controls, written by the pass and read by the refresh and the reports.
struct PassState {
  bool Gathered = false;       // set by the first completed pass, never cleared
  std::string TotalMemoryText; // "256 Mb", read by the reports
  ProcessorState Processor;    // probe, count, feature flags and clock of the latest pass
  RawValues Raw;               // the numbers behind the texts, for the JSON report
};

// What the pass and the refresh read themselves: computer name, memory, the local clock.
class SystemSource {
public:
  virtual ~SystemSource() = default;
  virtual std::string ComputerName() = 0; // empty when it cannot be read
  virtual MemoryStatus Memory() = 0;
  virtual LocalDateTime Now() = 0;
};

} // namespace qv
