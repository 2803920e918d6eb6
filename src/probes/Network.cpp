#include "probes/Network.h"

#include <cstdio>

#include "probes/WindowsVersion.h"

namespace qv {

const char* const IpLookupBase = "http://www.quorvel.example";

std::string IpLookupLink(const std::string& address) {
  return std::string(IpLookupBase) + "/ipw.cgi?time=20&ip=" + address;
}

std::string LastAddress(const std::vector<std::string>& addresses) {
  return addresses.empty() ? std::string() : addresses.back();
}

void GatherLocalAddress(PageFields& fields, NetworkSource& network) {
  std::string address = LastAddress(network.HostAddresses());
  fields.SetText(Field::LocalIp, address);
  fields.SetUrl(Field::LocalIp, IpLookupLink(address));
}

std::string MacAddressText(const AdapterAddress& a) {
  char text[18];
  std::snprintf(text, sizeof text, "%2.2x-%2.2x-%2.2x-%2.2x-%2.2x-%2.2x", a[0], a[1], a[2], a[3], a[4], a[5]);
  return text;
}

std::string AdapterLine(unsigned lana, uint8_t statusCode, const AdapterAddress& address) {
  std::string line = "Adapter " + std::to_string(lana) + ": ";
  if (statusCode != 0) return line + "error";
  return line + " [" + MacAddressText(address) + "]";
}

std::vector<AdapterAddress> GatherMacAddresses(PageFields& fields, NetBiosSource& netbios, uint32_t platformId) {
  std::vector<AdapterAddress> found;
  LanaEnumBuffer lanas{};
  if (netbios.NetbiosEnumLanas(lanas) != 0) return found;
  fields.ClearLines(Field::MacAddresses);
  // The count byte can say at most 255, which is exactly the room the buffer has.
  for (unsigned i = 0; i < lanas[0]; ++i) {
    uint8_t lana = lanas[1 + i];
    // The NT family wants each adapter reset before it answers a status query.
    if (platformId == PlatformNT) netbios.NetbiosReset(lana);
    AdapterAddress address{};
    uint8_t code = netbios.NetbiosAdapterStatus(lana, address);
    if (code != 0) netbios.Beep();
    if (code == 0) found.push_back(address);
    fields.AddLine(Field::MacAddresses, AdapterLine(lana, code, address));
  }
  return found;
}

std::vector<RawValues::Adapter> AdaptersFromNetBios(const std::vector<AdapterAddress>& addresses,
                                                    const std::string& localIp) {
  std::vector<RawValues::Adapter> adapters;
  for (const AdapterAddress& address : addresses) {
    std::vector<uint8_t> mac(address.begin(), address.end());
    bool seen = false;
    for (const auto& adapter : adapters) seen = seen || adapter.Mac == mac;
    if (seen) continue;
    RawValues::Adapter adapter;
    adapter.Mac = mac;
    if (adapters.empty()) adapter.Ip = localIp;
    adapters.push_back(adapter);
  }
  return adapters;
}

std::string ReadWorkgroup(NetworkSource& network, Registry& registry, uint32_t platformId) {
  if (platformId == PlatformNT) return network.WorkstationDomain();
  RegKey key(registry, "System\\CurrentControlSet\\Services\\VxD\\VNETSUP");
  return key.ReadString("Workgroup");
}

} // namespace qv
