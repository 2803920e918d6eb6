#include <gtest/gtest.h>

#include <map>

#include "fields/FieldTable.h"
#include "native/FakeRegistry.h"
#include "probes/Bios.h"
#include "probes/Network.h"
#include "probes/WindowsVersion.h"

namespace qv {

namespace {

class FakeNetwork : public NetworkSource {
public:
  std::vector<std::string> HostAddresses() override { return Addresses; }
  std::vector<std::string> Addresses;
};

} // namespace

TEST(LocalAddress, LastAddressAndLink) {
  FakeNetwork network;
  FieldTable fields;
  EXPECT_EQ(fields.Text(Field::LocalIp), "Who is it?");

  network.Addresses = {"192.168.1.5", "10.0.0.7"};
  GatherLocalAddress(fields, network);
  EXPECT_EQ(fields.Text(Field::LocalIp), "10.0.0.7");
  EXPECT_EQ(fields.Url(Field::LocalIp), std::string(IpLookupBase) + "/ipw.cgi?time=20&ip=10.0.0.7");

  network.Addresses = {"127.0.0.1"};
  GatherLocalAddress(fields, network);
  EXPECT_EQ(fields.Text(Field::LocalIp), "127.0.0.1");

  network.Addresses.clear(); // the host name does not resolve
  GatherLocalAddress(fields, network);
  EXPECT_EQ(fields.Text(Field::LocalIp), "");
  EXPECT_EQ(fields.Url(Field::LocalIp), std::string(IpLookupBase) + "/ipw.cgi?time=20&ip=");
}

TEST(LocalAddress, LookUpBaseIsSchemeAndHost) {
  std::string base = IpLookupBase;
  EXPECT_EQ(base.rfind("http://", 0), 0u);
  EXPECT_NE(base.back(), '/');
}

namespace {

// NetBIOS answers scripted per adapter; records the calls in order.
class FakeNetBios : public NetBiosSource {
public:
  uint8_t NetbiosEnumLanas(LanaEnumBuffer& buffer) override {
    Calls.push_back("enum");
    for (std::size_t i = 0; i < Lanas.size() && i < buffer.size(); ++i) buffer[i] = Lanas[i];
    return EnumCode;
  }
  uint8_t NetbiosReset(uint8_t lana) override {
    Calls.push_back("reset " + std::to_string(lana));
    return 0x23; // not looked at
  }
  uint8_t NetbiosAdapterStatus(uint8_t lana, AdapterAddress& address) override {
    Calls.push_back("status " + std::to_string(lana));
    auto it = Addresses.find(lana);
    if (it == Addresses.end()) {
      address = {9, 9, 9, 9, 9, 9}; // junk must not show on a failed query
      return 0x34;
    }
    address = it->second;
    return 0;
  }
  void Beep() override { Calls.push_back("beep"); }

  std::vector<uint8_t> Lanas; // count byte first
  uint8_t EnumCode = 0;
  std::map<uint8_t, AdapterAddress> Addresses;
  std::vector<std::string> Calls;
};

} // namespace

TEST(MacAddresses, LineFormats) {
  EXPECT_EQ(AdapterLine(0, 0, {0x00, 0xa0, 0xc9, 0x12, 0x34, 0x56}), "Adapter 0:  [00-a0-c9-12-34-56]");
  EXPECT_EQ(AdapterLine(254, 0, {0xFF, 0xFE, 0x0A, 0xB0, 0x01, 0x00}), "Adapter 254:  [ff-fe-0a-b0-01-00]");
  EXPECT_EQ(AdapterLine(3, 0x34, {1, 2, 3, 4, 5, 6}), "Adapter 3: error");
}

TEST(MacAddresses, NtResetsEachAdapterAndBeepsOnError) {
  FakeNetBios netbios;
  netbios.Lanas = {2, 0, 3};
  netbios.Addresses[0] = {0x00, 0xa0, 0xc9, 0x12, 0x34, 0x56};
  FieldTable fields;
  GatherMacAddresses(fields, netbios, PlatformNT);
  EXPECT_EQ(fields.Lines(Field::MacAddresses),
            (std::vector<std::string>{"Adapter 0:  [00-a0-c9-12-34-56]", "Adapter 3: error"}));
  EXPECT_EQ(netbios.Calls, (std::vector<std::string>{"enum", "reset 0", "status 0", "reset 3", "status 3", "beep"}));
}

TEST(MacAddresses, NinetyFiveFamilyDoesNotReset) {
  FakeNetBios netbios;
  netbios.Lanas = {1, 5};
  netbios.Addresses[5] = {1, 2, 3, 4, 5, 6};
  FieldTable fields;
  GatherMacAddresses(fields, netbios, PlatformWindows);
  EXPECT_EQ(fields.Lines(Field::MacAddresses), std::vector<std::string>{"Adapter 5:  [01-02-03-04-05-06]"});
  EXPECT_EQ(netbios.Calls, (std::vector<std::string>{"enum", "status 5"}));
}

TEST(MacAddresses, FailedEnumerationLeavesTheMemo) {
  FakeNetBios netbios;
  netbios.Lanas = {1, 0};
  netbios.EnumCode = 0x35;
  FieldTable fields;
  fields.SetLines(Field::MacAddresses, {"Adapter 0:  [00-00-00-00-00-01]"});
  GatherMacAddresses(fields, netbios, PlatformNT);
  EXPECT_EQ(fields.Lines(Field::MacAddresses), std::vector<std::string>{"Adapter 0:  [00-00-00-00-00-01]"});
  EXPECT_EQ(netbios.Calls, std::vector<std::string>{"enum"});
}

TEST(MacAddresses, NoAdaptersEmptiesTheMemoAndFullCountStaysInTheBuffer) {
  FakeNetBios none;
  none.Lanas = {0};
  FieldTable fields;
  GatherMacAddresses(fields, none, PlatformNT);
  EXPECT_TRUE(fields.Lines(Field::MacAddresses).empty());

  FakeNetBios full;
  full.Lanas.assign(256, 7);
  full.Lanas[0] = 255;
  GatherMacAddresses(fields, full, PlatformWindows);
  EXPECT_EQ(fields.Lines(Field::MacAddresses).size(), 255u);
}

namespace {
const char* const NtSystem = "HARDWARE\\DESCRIPTION\\System";
const char* const Board = "Enum\\Root\\*PNP0C01\\0000";
} // namespace

TEST(Bios, Fallbacks) {
  struct Case {
    const char* Name;
    uint32_t Platform;
    std::function<void(FakeRegistry&)> Plant;
    const char *BiosName, *Date;
  };
  auto full = [](FakeRegistry& r) {
    r.String(NtSystem, "SystemBiosDate", "08/15/01").String(NtSystem, "Identifier", "AT/AT COMPATIBLE");
    r.String(Board, "BIOSDate", "01/02/99").String(Board, "BIOSVersion", "4.51 PG").String(Board, "BIOSName", "Award");
  };
  std::vector<Case> cases = {
      {"NT reads the hardware description", PlatformNT, full, "AT/AT COMPATIBLE", "08/15/01"},
      {"95 family skips it", PlatformWindows, full, "4.51 PG", "01/02/99"},
      {"empty NT date falls back", PlatformNT,
       [](FakeRegistry& r) {
         r.String(NtSystem, "SystemBiosDate", "").String(NtSystem, "Identifier", "AT");
         r.String(Board, "BIOSDate", "01/02/99");
       },
       "AT", "01/02/99"},
      {"BIOSName after BIOSVersion", PlatformWindows,
       [](FakeRegistry& r) { r.String(Board, "BIOSName", "Award").String(Board, "BIOSVersion", ""); }, "Award", ""},
      {"wrong types read empty", PlatformNT,
       [](FakeRegistry& r) {
         r.Binary(NtSystem, "SystemBiosDate", {'0', '8'}).Dword(NtSystem, "Identifier");
         r.String(Board, "BIOSVersion", "from board");
       },
       "from board", ""},
      {"nothing", PlatformNT, [](FakeRegistry&) {}, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    FakeRegistry r;
    c.Plant(r);
    FieldTable fields;
    GatherBios(fields, r, c.Platform);
    EXPECT_EQ(fields.Text(Field::BiosType), c.BiosName);
    EXPECT_EQ(fields.Text(Field::BiosDate), c.Date);
    EXPECT_EQ(r.StillOpen(), 0u);
  }
}

} // namespace qv
