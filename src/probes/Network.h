#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fields/PageFields.h"

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
// MemoMAC: one line per adapter; left as it is when the adapters cannot be enumerated.
void GatherMacAddresses(PageFields& fields, NetBiosSource& netbios, uint32_t platformId);

// The real ones (Windows builds only).
std::unique_ptr<NetworkSource> MakeWindowsNetworkSource();
std::unique_ptr<NetBiosSource> MakeWindowsNetBiosSource();
// GetLocalIPAddress: the last address of the local host name, or empty.
std::string GetLocalIPAddress();

} // namespace qv
