#include "cpu/ProcessorSection.h"

#include "cpu/CpuNames.h"
#include "fields/PageFields.h"

namespace qv {

bool GatherClock(PageFields& fields, ProcessorState& state, const TCPUID& cpuid, ClockSource& clock,
                 const std::string& decimalSeparator) {
  state.CpuSpeed = 0;
  state.CpuSpeedTicks = 0;
  state.ClockMHz = 0;
  bool counter = (cpuid.FeaturesEdx & TimeStampCounterBit) != 0;
  if (cpuid.Available && counter) state.CpuSpeed = MeasureClockShort(clock);
  if (state.CpuSpeed > 0) {
    state.ClockMHz = state.CpuSpeed;
    fields.SetText(Field::CpuSpeed, ClockText(state.CpuSpeed, decimalSeparator));
    return counter;
  }
  if (counter) {
    // The fallback counts ticks per second; a million of them make a megahertz, and from there
    // the same unit rule applies. CpuSpeed keeps the short measurement's answer.
    state.CpuSpeedTicks = MeasureClockLong(clock);
    double megahertz = static_cast<double>(state.CpuSpeedTicks) / 1e6;
    state.ClockMHz = megahertz;
    fields.SetText(Field::CpuSpeed, ClockText(megahertz, decimalSeparator));
    return true;
  }
  fields.SetText(Field::CpuSpeed, "");
  state.CpuSpeed = 0;
  state.CpuSpeedTicks = 0;
  return false;
}

int CountProcessors(const std::function<uint32_t(uint16_t group)>& activeProcessorCount,
                    const std::function<uint32_t()>& systemInfoCount) {
  if (activeProcessorCount)
    if (uint32_t count = activeProcessorCount(AllProcessorGroups)) return static_cast<int>(count);
  return static_cast<int>(systemInfoCount());
}

void SetLoadBars(PageFields& fields, CpuLoad& load, int cpuCount) {
  if (cpuCount == 2) {
    fields.SetPosition(Field::LoadBar1, LoadBarPosition(load.CpuLoadFraction(0)));
    fields.SetPosition(Field::LoadBar2, LoadBarPosition(load.CpuLoadFraction(1)));
  } else {
    fields.SetPosition(Field::LoadBar1, LoadBarPosition(load.CpuLoadFraction(0)));
    fields.SetPosition(Field::LoadBar2, 0);
  }
}

void GatherProcessor(PageFields& fields, ProcessorState& state, ProcessorSources& sources) {
  auto cpuid = std::make_shared<const TCPUID>(*sources.Cpuid);
  state.CPUID = cpuid;

  state.CpuCount = sources.System->NumberOfProcessors();
  fields.SetText(Field::CpuCount, CpuCountText(state.CpuCount));
  if (state.CpuCount < 2) fields.SetVisible(Field::LoadBar2, false);

  bool rdtsc = GatherClock(fields, state, *cpuid, *sources.Clock, sources.System->DecimalSeparator());

  if (sources.Cpuid->CpuidAvailable()) {
    int vendor = VendorCode(cpuid->Vendor);
    fields.SetText(Field::CpuVendor, cpuid->Vendor);
    fields.SetText(Field::CpuDescription, ProcessorDescription(*cpuid, vendor, *sources.Cpuid));
    fields.SetText(Field::CpuType, CpuTypeText(cpuid->CpuType));
    FeatureDecoding features = DecodeFeatureFlags(*cpuid, vendor, *sources.Cpuid, rdtsc);
    state.FeatureFlags = features.Flags;
    if (!features.ApicCaption.empty()) fields.SetText(Field::ApicBox, features.ApicCaption);
  } else {
    state.FeatureFlags = {};
  }
  UpdateFeatureBoxes(fields, state.FeatureFlags);

  // Two samples a moment apart: the first bars read about 0, the refresh then shows real loads.
  sources.Load->CpuLoadInstanceCount();
  sources.Load->SampleCpuLoad();
  SetLoadBars(fields, *sources.Load, state.CpuCount);
  if (state.CpuCount != 2) fields.SetVisible(Field::LoadBar2, false);
}

} // namespace qv
