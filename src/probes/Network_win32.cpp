#include <cstring>

#include "probes/Network.h"
#include "ui/Win.h"

// clang-format off: these need the types of ui/Win.h before them
#include <nb30.h>
#include <winsock.h>
// clang-format on

namespace qv {

namespace {

// Socket library version 1.1 for the life of one query; shut down again on every path.
class SocketLibrary {
public:
  SocketLibrary() {
    WSADATA data;
    Started = WSAStartup(MAKEWORD(1, 1), &data) == 0;
  }
  ~SocketLibrary() {
    if (Started) WSACleanup();
  }
  SocketLibrary(const SocketLibrary&) = delete;
  SocketLibrary& operator=(const SocketLibrary&) = delete;
  bool Started = false;
};

std::vector<std::string> LocalHostAddresses() {
  SocketLibrary sockets;
  std::vector<std::string> addresses;
  if (!sockets.Started) return addresses;
  char name[64];
  std::memset(name, 0, sizeof name);
  if (gethostname(name, sizeof name) != 0) return addresses;
  name[sizeof name - 1] = '\0';
  hostent* host = gethostbyname(name);
  // Only IPv4 entries of four bytes are read as addresses.
  if (!host || host->h_addrtype != AF_INET || host->h_length != 4 || !host->h_addr_list) return addresses;
  for (char** entry = host->h_addr_list; *entry; ++entry) {
    in_addr address;
    std::memcpy(&address, *entry, sizeof address);
    if (const char* text = inet_ntoa(address)) addresses.emplace_back(text);
  }
  return addresses;
}

class WindowsNetworkSource : public NetworkSource {
public:
  std::vector<std::string> HostAddresses() override { return LocalHostAddresses(); }
};

// Room for the adapter status and 255 name entries, as the status query expects.
constexpr WORD AdapterStatusBufferSize = 4650;
static_assert(sizeof(ADAPTER_STATUS) + 255 * sizeof(NAME_BUFFER) == AdapterStatusBufferSize);

class WindowsNetBiosSource : public NetBiosSource {
public:
  uint8_t NetbiosEnumLanas(LanaEnumBuffer& buffer) override {
    static_assert(sizeof(LANA_ENUM) == 256);
    buffer.fill(0);
    NCB ncb;
    std::memset(&ncb, 0, sizeof ncb);
    ncb.ncb_command = NCBENUM;
    ncb.ncb_buffer = buffer.data();
    ncb.ncb_length = static_cast<WORD>(buffer.size());
    return Netbios(&ncb);
  }

  uint8_t NetbiosReset(uint8_t lana) override {
    NCB ncb;
    std::memset(&ncb, 0, sizeof ncb);
    ncb.ncb_command = NCBRESET;
    ncb.ncb_lana_num = lana;
    return Netbios(&ncb);
  }

  uint8_t NetbiosAdapterStatus(uint8_t lana, AdapterAddress& address) override {
    address.fill(0);
    std::vector<uint8_t> status(AdapterStatusBufferSize, 0);
    NCB ncb;
    std::memset(&ncb, 0, sizeof ncb);
    ncb.ncb_command = NCBASTAT;
    ncb.ncb_buffer = status.data();
    ncb.ncb_length = AdapterStatusBufferSize;
    std::memcpy(ncb.ncb_callname, "*               ", NCBNAMSZ);
    ncb.ncb_lana_num = lana;
    uint8_t code = Netbios(&ncb);
    if (code == 0) std::memcpy(address.data(), status.data(), address.size());
    return code;
  }

  void Beep() override { MessageBeep(MB_OK); }
};

} // namespace

std::unique_ptr<NetworkSource> MakeWindowsNetworkSource() { return std::make_unique<WindowsNetworkSource>(); }
std::unique_ptr<NetBiosSource> MakeWindowsNetBiosSource() { return std::make_unique<WindowsNetBiosSource>(); }

std::string GetLocalIPAddress() { return LastAddress(LocalHostAddresses()); }

} // namespace qv
