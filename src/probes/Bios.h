#pragma once
#include <cstdint>
#include <string>

#include "fields/PageFields.h"
#include "probes/Registry.h"

namespace qv {

struct BiosInfo {
  std::string Name;
  std::string Date; // as stored, for example 08/15/01
};

// The NT hardware description first (NT family only), then the plug-and-play system board key
// for whatever is still empty.
BiosInfo ReadBios(Registry& registry, uint32_t platformId);
// LabelBIOSName, LabelBIOSDate.
void GatherBios(PageFields& fields, Registry& registry, uint32_t platformId);

} // namespace qv
