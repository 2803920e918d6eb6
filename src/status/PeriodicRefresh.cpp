#include "status/PeriodicRefresh.h"

#include "cpu/ProcessorSection.h"

namespace qv {

void RunPeriodicRefresh(PageFields& fields, const PassState& state, RefreshSources& sources) {
  int tab = fields.ActiveTab();

  if (tab == 0) {
    // Up 10 pixels; once the whole list has left the viewport it re-enters from the bottom.
    int top = fields.Top(Field::CreditsList) - 10;
    if (top + fields.Height(Field::CreditsList) < 0) top = fields.Height(Field::CreditsViewport);
    fields.SetTop(Field::CreditsList, top);
  }

  if (tab == 2 && state.Gathered && sources.Load) {
    sources.Load->SampleCpuLoad();
    SetLoadBars(fields, *sources.Load, state.Processor.CpuCount);
  }

  if (tab == 1 && state.Gathered && sources.System) {
    MemoryStatus memory = sources.System->Memory();
    fields.SetText(Field::Memory, PhysicalMemoryText(memory));
    // MemoryInUsePercent answers 0 for a total of 0 bytes instead of dividing by it.
    fields.SetPosition(Field::MemoryBar, MemoryInUsePercent(memory));
    LocalDateTime now = sources.System->Now();
    fields.SetText(Field::Time, TimeText(now));
    fields.SetText(Field::Date, DateText(now));
  }
}

} // namespace qv
