#pragma once
#include <vector>

#include "fields/RawValues.h"
#include "probes/Registry.h"

namespace qv {

// The installed programs as the Uninstall key lists them, which every Windows from 95 on keeps:
// each subkey with a display name, with its version and publisher. A subkey without a display
// name is a part or an update that Windows does not list as a program either. otherView, where
// given, is the same key in the registry's 64-bit view; a program listed in both counts once.
std::vector<RawValues::Program> ReadInstalledPrograms(Registry& registry, Registry* otherView = nullptr);

} // namespace qv
