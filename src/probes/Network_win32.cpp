#include <algorithm>
#include <cstring>

#include "probes/Network.h"
#include "ui/OptionalCalls.h"
#include "ui/Win.h"

// clang-format off: these need the types of ui/Win.h before them
#include <iphlpapi.h>
#include <lm.h>
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

// Text of a fixed buffer up to its first zero; "0.0.0.0" (no address) is empty.
std::string AddressText(const char* text, size_t size) {
  std::string s(text, strnlen(text, size));
  return s == "0.0.0.0" ? std::string() : s;
}

RawValues::Adapter AdapterOf(const IP_ADAPTER_INFO& a) {
  RawValues::Adapter adapter;
  adapter.Description.assign(a.Description, strnlen(a.Description, sizeof a.Description));
  adapter.Mac.assign(a.Address, a.Address + std::min<size_t>(a.AddressLength, sizeof a.Address));
  adapter.Ip = AddressText(a.IpAddressList.IpAddress.String, sizeof a.IpAddressList.IpAddress.String);
  adapter.Mask = AddressText(a.IpAddressList.IpMask.String, sizeof a.IpAddressList.IpMask.String);
  adapter.Gateway = AddressText(a.GatewayList.IpAddress.String, sizeof a.GatewayList.IpAddress.String);
  adapter.TypeCode = static_cast<int>(a.Type);
  return adapter;
}

using GetAdaptersInfoCall = DWORD(WINAPI*)(PIP_ADAPTER_INFO, PULONG);

// The IP Helper came with 98 and 2000; without it (95, NT 4) there is nothing to ask.
std::optional<std::vector<RawValues::Adapter>> IpHelperAdapters() {
  UniqueLibrary helper(LoadLibraryA("iphlpapi.dll"));
  auto getAdapters = LookUp<GetAdaptersInfoCall>(helper.Get(), "GetAdaptersInfo");
  if (!getAdapters) return std::nullopt;
  std::vector<IP_ADAPTER_INFO> buffer(1);
  ULONG size = sizeof(IP_ADAPTER_INFO);
  DWORD rc = getAdapters(buffer.data(), &size);
  // The list can grow between asking its size and reading it; a few tries settle that.
  for (int attempt = 0; attempt < 3 && rc == ERROR_BUFFER_OVERFLOW && size <= (1u << 20); ++attempt) {
    buffer.resize(size / sizeof(IP_ADAPTER_INFO) + 1);
    size = static_cast<ULONG>(buffer.size() * sizeof(IP_ADAPTER_INFO));
    rc = getAdapters(buffer.data(), &size);
  }
  std::vector<RawValues::Adapter> adapters;
  if (rc == ERROR_NO_DATA) return adapters;
  if (rc != ERROR_SUCCESS) return std::nullopt;
  for (const IP_ADAPTER_INFO* a = buffer.data(); a && adapters.size() < 256; a = a->Next)
    adapters.push_back(AdapterOf(*a));
  return adapters;
}

class WindowsNetworkSource : public NetworkSource {
public:
  std::vector<std::string> HostAddresses() override { return LocalHostAddresses(); }

  std::string WorkstationDomain() override {
    struct NetBuffer {
      LPBYTE P = nullptr;
      ~NetBuffer() {
        if (P) NetApiBufferFree(P);
      }
    } info;
    if (NetWkstaGetInfo(nullptr, 100, &info.P) != NERR_Success || !info.P) return "";
    const wchar_t* group = reinterpret_cast<WKSTA_INFO_100*>(info.P)->wki100_langroup;
    int size = group ? WideCharToMultiByte(CP_ACP, 0, group, -1, nullptr, 0, nullptr, nullptr) : 0;
    if (size <= 1) return "";
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, group, -1, text.data(), size, nullptr, nullptr);
    return text.substr(0, strnlen(text.c_str(), text.size()));
  }

  std::optional<std::vector<RawValues::Adapter>> Adapters() override { return IpHelperAdapters(); }
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
