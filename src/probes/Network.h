#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fields/PageFields.h"
#include "fields/RawValues.h"
#include "probes/Registry.h"

namespace qv {

// Scheme and host of the address look-up service behind LabelIP.
extern const char* const IpLookupBase;

// IpLookupBase + "/ipw.cgi?time=20&ip=" + the address.
std::string IpLookupLink(const std::string& address);

class NetworkSource {
public:
  virtual ~NetworkSource() = default;
  // The dotted IPv4 addresses the local host name resolves to, in the resolver's order; empty when
  // it does not resolve.
  virtual std::vector<std::string> HostAddresses() = 0;
  // The workstation's domain or workgroup as the NT family's workstation service names it; empty
  // where it cannot say.
  virtual std::string WorkstationDomain() { return ""; }
  // Each adapter with its hardware and first IP address (the IP Helper); nothing where the
  // system has no IP Helper.
  virtual std::optional<std::vector<RawValues::Adapter>> Adapters() { return std::nullopt; }
};

// The local IP address is the last address of the list, or empty.
std::string LastAddress(const std::vector<std::string>& addresses);
// LabelIP caption and its link.
void GatherLocalAddress(PageFields& fields, NetworkSource& network);

// NetBIOS commands as this program issues them; each answer is the command's completion code
// (0 = success).
using LanaEnumBuffer = std::array<uint8_t, 256>; // count byte, then up to 255 adapter numbers
using AdapterAddress = std::array<uint8_t, 6>;
class NetBiosSource {
public:
  virtual ~NetBiosSource() = default;
  virtual uint8_t NetbiosEnumLanas(LanaEnumBuffer& buffer) = 0;
  virtual uint8_t NetbiosReset(uint8_t lana) = 0;
  // On success the address holds the adapter's first six status bytes.
  virtual uint8_t NetbiosAdapterStatus(uint8_t lana, AdapterAddress& address) = 0;
  virtual void Beep() = 0;
};

// "00-a0-c9-12-34-56"
std::string MacAddressText(const AdapterAddress& address);
// "Adapter 0:  [00-a0-c9-12-34-56]" or "Adapter 3: error".
std::string AdapterLine(unsigned lana, uint8_t statusCode, const AdapterAddress& address);
// MemoMAC: one line per adapter; left as it is when the adapters cannot be enumerated. Gives the
// addresses the adapters answered with.
std::vector<AdapterAddress> GatherMacAddresses(PageFields& fields, NetBiosSource& netbios, uint32_t platformId);

// Where the system has no IP Helper: one adapter per NetBIOS address (each once), the first with
// the local IP address.
std::vector<RawValues::Adapter> AdaptersFromNetBios(const std::vector<AdapterAddress>& addresses,
                                                    const std::string& localIp);

// The domain or workgroup: the workstation service's on the NT family, the network setup's
// "Workgroup" value on the 95 family.
std::string ReadWorkgroup(NetworkSource& network, Registry& registry, uint32_t platformId);

// The real ones (Windows builds only).
std::unique_ptr<NetworkSource> MakeWindowsNetworkSource();
std::unique_ptr<NetBiosSource> MakeWindowsNetBiosSource();
// GetLocalIPAddress: the last address of the local host name, or empty.
std::string GetLocalIPAddress();

} // namespace qv
