#pragma once
#include "cpu/CpuLoad.h"
#include "fields/PageFields.h"
#include "status/PassState.h"

namespace qv {

// What a refresh tick reads. A source left null leaves its fields as they are.
struct RefreshSources {
  SystemSource* System = nullptr; // memory, local time
  CpuLoad* Load = nullptr;
};

// One tick of the 500 ms timer, in three steps that each test their own condition: the credits
// scroll on the Welcome page; once the pass has run, the load bars on the Processor page and
// memory, time and date on the My Computer page. Errors of the load monitor pass through and end
// the tick.
void RunPeriodicRefresh(PageFields& fields, const PassState& state, RefreshSources& sources);

} // namespace qv
