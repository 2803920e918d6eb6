#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fields/PageFields.h"
#include "fields/RawValues.h"
#include "reports/JsonReport.h"

namespace qv {

// XML character data of UTF-8 text: the markup characters escaped, and what XML 1.0 cannot hold
// (control characters, ill-formed bytes, U+FFFE, U+FFFF) as U+FFFD, so that any text gives a
// well-formed document.
std::string XmlText(std::string_view utf8);

// The server's mask of changed sections with every bit set: a known machine's sections are all
// written again.
constexpr uint32_t AllSectionsChanged = 4194303;

// NAME-YYYY-MM-DD-HH-MM-SS, in UTF-8: the computer name and the time Windows was installed, both
// kept by Windows itself, so that the same machine always gives the same id and nothing needs to be
// stored on it. Where Windows keeps no install time, the time is made from the product ID: the
// same on every run too.
std::string DeviceId(const std::string& computerName, const std::optional<LocalDateTime>& installTime,
                     const std::string& productId);

struct InventoryRequest {
  std::string DeviceId; // UTF-8
  std::string Xml;      // the INVENTORY request, UTF-8
};

// The inventory of one pass, from its page fields and raw values, in the server's sections:
// HARDWARE, BIOS, CPUS (one a package), DRIVES, NETWORKS, PRINTERS, SOUNDS, VIDEOS, MONITORS,
// PORTS, INPUTS and SOFTWARES. Numbers the server stores unquoted are bare integers.
InventoryRequest BuildInventory(const PageFields& fields, const RawValues& raw, const AnsiConverter& toUtf8);

// The PROLOG request that comes before an inventory.
std::string PrologXml(const std::string& deviceId);

} // namespace qv
