#include <gtest/gtest.h>

#include "CpuFakes.h"
#include "JsonCheck.h"
#include "MemoryFileSystem.h"
#include "cpu/CpuTopology.h"
#include "cpu/CpuidDump.h"
#include "inventory/Compression.h"
#include "inventory/InventoryDocument.h"
#include "inventory/ServerReply.h"
#include "native/FakeRegistry.h"
#include "probes/Drives.h"
#include "probes/Network.h"
#include "probes/WindowsVersion.h"
#include "tools/ReportTool.h"

namespace qv {
namespace {

std::string DataFile(const std::string& name) {
  std::string here = __FILE__;
  return here.substr(0, here.rfind("/native/")) + "/data/" + name;
}

// A lab machine as a pass sees it: one drive, one adapter (or NetBIOS alone), a recorded Pentium 4.
class LabMachine : public SystemSource,
                   public OsSource,
                   public DriveReader,
                   public DriveSource,
                   public NetworkSource,
                   public NetBiosSource {
public:
  std::string ComputerName() override { return "LAB-07"; }
  MemoryStatus Memory() override { return {512ull << 20, 100ull << 20}; }
  LocalDateTime Now() override { return {2026, 12, 9, 10, 0, 0}; }
  VersionInfo Version() override { return Info; }
  SystemPaths Paths() override { return {}; }
  std::string LoginName() override { return "pupil"; }
  VolumeAnswers Query(char letter) override {
    if (letter != 'C') return {0, "", "", 1}; // no drive
    return {0, "BOOT", "FAT32", 3, 20ll << 30, 5ll << 30};
  }
  TDrives& Drives() override { return Disk; }
  char DecimalSeparator() override { return '.'; }
  std::vector<std::string> HostAddresses() override { return {"10.0.0.7"}; }
  std::string WorkstationDomain() override { return "SCHOOL"; }
  std::optional<std::vector<RawValues::Adapter>> Adapters() override { return Nics; }
  uint8_t NetbiosEnumLanas(LanaEnumBuffer& b) override { return b[0] = 1, 0; }
  uint8_t NetbiosReset(uint8_t) override { return 0; }
  uint8_t NetbiosAdapterStatus(uint8_t, AdapterAddress& a) override { return a = {0, 0xa0, 0xc9, 0x12, 0x34, 0x56}, 0; }
  void Beep() override {}

  VersionInfo Info;
  TDrives Disk{*this};
  std::optional<std::vector<RawValues::Adapter>> Nics;
};

struct Pass {
  std::string Xml, Json;
  std::map<std::string, std::string> Files;
};

Pass RunPass(LabMachine& machine, FakeRegistry& registry) {
  CpuidDump cpuid = LoadCpuidDump(DataFile("pentium4.txt"));
  ScriptedClock clock;
  clock.CounterPerMillisecond = 2400000;
  FakeLoad load;
  load.Fractions = {0.25};
  FakeProcessorSystem processorSystem;
  ProcessorSources processor{&cpuid, &clock, &load, &processorSystem};
  GatherSources sources;
  sources.System = &machine;
  sources.Os = &machine;
  sources.Drives = &machine;
  sources.Network = &machine;
  sources.NetBios = &machine;
  sources.MachineRegistry = &registry;
  sources.Processor = &processor;
  Pass pass;
  MemoryFileSystem files;
  FieldTable fields;
  StringSink out, err;
  auto parsed = ParseReportArguments({"--ocs", "C:\\share\\", "--json", "--output", "r.json"});
  EXPECT_EQ(RunReport(parsed.Options, fields, sources, out, err, files), ExitReportWritten) << err.str();
  EXPECT_EQ(out.str(), "");
  pass.Json = files.Files["r.json"];
  files.Files.erase("r.json");
  pass.Files = files.Files;
  if (!files.Files.empty()) pass.Xml = Uncompress(files.Files.begin()->second, 1 << 20).value_or("");
  return pass;
}

void ExpectHas(const std::string& xml, const std::vector<std::string>& parts) {
  for (const auto& part : parts) EXPECT_NE(xml.find(part), std::string::npos) << part << " not in\n" << xml;
}

} // namespace

// The inventory file of a recorded pass, on both families: what the server stores, as it wants it.
TEST(Inventory, RecordedPassGivesTheServersSections) {
  for (uint32_t platform : {PlatformNT, PlatformWindows}) {
    const bool nt = platform == PlatformNT;
    SCOPED_TRACE(nt ? "NT" : "95");
    FakeRegistry registry;
    const std::string own =
        nt ? "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion" : "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    const std::string uninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    registry.String(own, "ProductName", nt ? "Microsoft Windows XP" : "Microsoft Windows 98")
        .String(own, "RegisteredOwner", "Mira <Lab> & Co\x01")
        .String(uninstall + "\\A", "DisplayName", " Tools & Co ")
        .String(uninstall + "\\A", "DisplayVersion", "2.0")
        .String(uninstall + "\\B", "DisplayVersion", "a part")
        .String("System\\CurrentControlSet\\Services\\VxD\\VNETSUP", "Workgroup", "LABGROUP");
    if (nt) // a feature update's install time, and the first one it kept
      registry.Raw(own, "InstallDate", RegTypeDword, {0xff, 0xff, 0xff, 0x5f})
          .Raw("SYSTEM\\Setup\\Source OS (Updated on 5/1/2021)", "InstallDate", RegTypeDword, {0x9a, 0x01, 0xe5, 0x4b});
    else
      registry.Binary(own, "FirstInstallDateTime", {0x21, 0x81, 0x7c, 0x23});
    LabMachine machine;
    machine.Info = nt ? VersionInfo{5, 1, 2600, PlatformNT, "Service Pack 2"} : VersionInfo{4, 10, 0x040A08AE, 1, ""};
    if (nt)
      machine.Nics = std::vector<RawValues::Adapter>{
          {"3Com", {0, 1, 2, 3, 4, 5}, "192.168.1.20", "255.255.255.0", "192.168.1.1", 6}};

    Pass pass = RunPass(machine, registry);
    const std::string device = nt ? "LAB-07-2010-05-08-06-15-54" : "LAB-07-1997-11-28-16-09-02";
    ASSERT_EQ(pass.Files.size(), 1u);
    EXPECT_EQ(pass.Files.begin()->first, "C:\\share\\" + device + ".ocs");
    EXPECT_EQ(pass.Files.begin()->second.substr(0, 2), "\x78\x9C");
    EXPECT_EQ(pass.Xml.substr(0, 39), "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>");
    ExpectHas(pass.Xml,
              {"<NAME>LAB-07</NAME>", "<MEMORY>512</MEMORY>", "<PROCESSORS>2400</PROCESSORS>",
               "<PROCESSORN>1</PROCESSORN>", "<USERID>pupil</USERID>", "<CHECKSUM>4194303</CHECKSUM>",
               "<WINOWNER>Mira &lt;Lab&gt; &amp; Co\xEF\xBF\xBD</WINOWNER>",
               "<WORKGROUP>" + std::string(nt ? "SCHOOL" : "LABGROUP") + "</WORKGROUP>",
               nt ? "<OSNAME>Microsoft Windows XP</OSNAME>" : "<OSNAME>Microsoft Windows 98</OSNAME>",
               nt ? "<OSVERSION>5.1.2600</OSVERSION>" : "<OSVERSION>4.10.2222</OSVERSION>", "<CORES>1</CORES>",
               "<LOGICAL_CPUS>1</LOGICAL_CPUS>", "<L2CACHESIZE>512</L2CACHESIZE>",
               "<LETTER>C:</LETTER>\n      <TYPE>Hard Drive</TYPE>\n      <FILESYSTEM>FAT32</FILESYSTEM>\n"
               "      <TOTAL>20480</TOTAL>\n      <FREE>5120</FREE>\n      <VOLUMN>BOOT</VOLUMN>",
               "<SOFTWARES>\n      <NAME>Tools &amp; Co</NAME>\n      <VERSION>2.0</VERSION>\n    </SOFTWARES>",
               "</CONTENT>\n  <DEVICEID>" + device + "</DEVICEID>\n  <QUERY>INVENTORY</QUERY>\n</REQUEST>\n"});
    EXPECT_EQ(pass.Xml.find("<SOFTWARES>", pass.Xml.find("<SOFTWARES>") + 1), std::string::npos);
    if (nt)
      ExpectHas(pass.Xml, {"<MACADDR>00:01:02:03:04:05</MACADDR>", "<IPSUBNET>192.168.1.0</IPSUBNET>",
                           "<TYPE>Ethernet</TYPE>", "<DEFAULTGATEWAY>192.168.1.1</DEFAULTGATEWAY>"});
    else // no IP Helper: the NetBIOS address, with the local IP address
      ExpectHas(pass.Xml, {"<MACADDR>00:A0:C9:12:34:56</MACADDR>\n      <STATUS>Up</STATUS>\n"
                           "      <IPADDRESS>10.0.0.7</IPADDRESS>"});

    // The JSON report's raw holds the same facts.
    test::JsonValue raw = *test::ParseStrictJson(pass.Json).value().Find("raw");
    EXPECT_EQ(raw.Find("system")->Find("installTime")->Text, nt ? "2010-05-08T06:15:54" : "1997-11-28T16:09:02");
    EXPECT_EQ(raw.Find("drives")->Items.at(0).Find("freeBytes")->Text, "5368709120");
    EXPECT_EQ(raw.Find("programs")->Items.at(0).Find("name")->Text, "Tools & Co");
    EXPECT_EQ(raw.Find("processor")->Find("topology")->Find("l2CacheKB")->Text, "512");
    EXPECT_EQ(registry.StillOpen(), 0u);
  }
}

TEST(Inventory, TopologyOfRecordedProcessors) {
  struct Row {
    const char* File;
    int Cores, Logical, L2;
  };
  for (const Row& r : {Row{"pentium3-dual.txt", 1, 1, 256}, Row{"pentium4.txt", 1, 1, 512},
                       Row{"athlon-thunderbird.txt", 1, 1, 0}, Row{"intel-486dx4-overdrive.txt", 1, 1, 0}}) {
    CpuidDump dump = LoadCpuidDump(DataFile(r.File));
    CpuTopology t = DecodeTopology(dump, VendorCode(TCPUID(dump).Vendor));
    EXPECT_EQ(t.Cores, r.Cores) << r.File;
    EXPECT_EQ(t.LogicalProcessors, r.Logical) << r.File;
    EXPECT_EQ(t.L2CacheKB, r.L2) << r.File;
  }
  // A Zen processor with two threads a core, and an Intel one with its topology leaf.
  FakeCpuid zen("AuthenticAMD", 0x00A20F10, 0x178BFBFF, 0, 0x00200800);
  zen.Leaves[0] = VendorLeaf("AuthenticAMD", 0x10);
  zen.Leaves[0x80000000u] = {0x80000020u, 0, 0, 0};
  zen.Leaves[0x80000006u] = {0, 0, 0x02006140, 0};
  zen.Leaves[0x80000008u] = {0, 0, 0x0000701F, 0};
  zen.Leaves[0x8000001Eu] = {0, 0x00000100, 0, 0};
  CpuTopology t = DecodeTopology(zen, 3);
  EXPECT_EQ(t.Cores, 16);
  EXPECT_EQ(t.LogicalProcessors, 32);
  EXPECT_EQ(t.L2CacheKB, 512);
}

// The exchange with the server, through quorvel-report, for each way it can go.
TEST(Inventory, ServerAnswersGiveTheStatusAndNothingHalfSent) {
  const auto reply = [](const std::string& values) { return Compress("<REPLY>" + values + "</REPLY>"); };
  using K = HttpAnswer::Kind;
  struct Case {
    const char* Name;
    std::vector<HttpAnswer> Answers;
    int Status;
    size_t Posts;
    const char* Said; // on standard output, or standard error for a failure
  } cases[] = {
      {"stored",
       {{K::Answered, 200, reply("<OPTION><NAME>X</NAME></OPTION><RESPONSE>SEND</RESPONSE>"), ""},
        {K::Answered, 200, reply("<RESPONSE>NO_ACCOUNT_UPDATE</RESPONSE>"), ""}},
       0,
       2,
       "PROLOG: RESPONSE=SEND\r\nINVENTORY: RESPONSE=NO_ACCOUNT_UPDATE\r\n"},
      {"not wanted", {{K::Answered, 200, reply("<RESPONSE>STOP</RESPONSE>"), ""}}, 0, 1, "nothing was sent"},
      {"unknown agent",
       {{K::Answered, 400, "<html>", ""}},
       4,
       1,
       "refused the inventory: it answered the PROLOG with HTTP status 400. A server takes an agent it does not know "
       "once that agent's name, Quorvel_v1.0, is a line of its extra_useragents file."},
      {"no reply",
       {{K::Answered, 200, "<html>portal</html>", ""}},
       4,
       1,
       "its answer to the PROLOG is not an inventory server's reply"},
      {"stored badly",
       {{K::Answered, 200, reply("<RESPONSE>SEND</RESPONSE>"), ""}, {K::Answered, 500, "", ""}},
       4,
       2,
       "answered the INVENTORY with HTTP status 500"},
      {"stopped",
       {{K::Unreachable, 0, "", "The attempt to connect to the server failed"}},
       5,
       1,
       "could not be reached: The attempt to connect to the server failed. Nothing was sent."},
      {"gateway", {{K::Answered, 503, "", ""}}, 5, 1, "could not be reached: the answer was HTTP status 503"},
      {"no WinInet",
       {{K::NoTransport, 0, "", ""}},
       5,
       1,
       "no WinInet (wininet.dll, which comes with Internet Explorer). Write it to a file with --ocs FILE"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    struct Scripted : InventoryTransport {
      HttpAnswer Post(const ServerUrl& url, const std::string& body) override {
        EXPECT_EQ(url.Host, "ocs.example");
        Bodies.push_back(Uncompress(body, 1 << 20).value_or("not zlib"));
        return Bodies.size() <= Answers.size() ? Answers[Bodies.size() - 1] : HttpAnswer{K::Unreachable, 0, "", ""};
      }
      std::vector<HttpAnswer> Answers;
      std::vector<std::string> Bodies;
    } transport;
    transport.Answers = c.Answers;
    LabMachine machine;
    GatherSources sources;
    sources.System = &machine;
    FieldTable fields;
    StringSink out, err;
    MemoryFileSystem files;
    auto parsed = ParseReportArguments({"--ocs-server", "ocs.example"});
    EXPECT_EQ(RunReport(parsed.Options, fields, sources, out, err, files, &transport), c.Status);
    ASSERT_EQ(transport.Bodies.size(), c.Posts);
    EXPECT_NE(transport.Bodies[0].find("<DEVICEID>LAB-07-"), std::string::npos);
    EXPECT_NE(transport.Bodies[0].find("<QUERY>PROLOG</QUERY>"), std::string::npos);
    EXPECT_EQ(transport.Bodies.back().find("<QUERY>INVENTORY</QUERY>") != std::string::npos, c.Posts == 2);
    EXPECT_NE((c.Status ? err : out).str().find(c.Said), std::string::npos) << out.str() << err.str();
    EXPECT_TRUE(files.Files.empty());
  }
}

TEST(Inventory, ServerAddressesAndReplies) {
  auto url = ParseServerUrl("HTTPS://ocs.example:8443");
  ASSERT_TRUE(url);
  EXPECT_TRUE(url->Secure);
  EXPECT_EQ(url->Port, 8443);
  EXPECT_EQ(url->Path, "/ocsinventory");
  EXPECT_EQ(ParseServerUrl("10.0.0.1/ocs/inventory")->Path, "/ocs/inventory");
  for (const char* bad :
       {"", "ftp://ocs", "http://", "http://ocs:0", "http://ocs:65536", "http://a b", "http://u@ocs", "http://ocs:8x/"})
    EXPECT_FALSE(ParseServerUrl(bad)) << bad;
  EXPECT_NE(ParseReportArguments({"--ocs-server", "ftp://ocs"}).Error.find("ftp://ocs"), std::string::npos);

  // The server's own answer as it was measured, and the same plain.
  const std::string measured =
      "<?xml version='1.0' encoding='UTF-8'?>\n<REPLY>\n  <INVENTORY_ON_STARTUP>1"
      "</INVENTORY_ON_STARTUP>\n  <OPTION>\n    <NAME>DOWNLOAD</NAME>\n    <PARAM ON=\"0\" "
      "TYPE=\"CONF\" />\n  </OPTION>\n  <PROLOG_FREQ>24</PROLOG_FREQ>\n  <RESPONSE>SEND"
      "</RESPONSE>\n</REPLY>\n";
  for (const std::string& body : {Compress(measured), measured})
    EXPECT_EQ(ReplyLine(ParseServerReply(body).value()), "RESPONSE=SEND INVENTORY_ON_STARTUP=1 PROLOG_FREQ=24");
  EXPECT_EQ(ReplyLine(*ParseServerReply("<REPLY><A>&lt;&#x41;&#66;\x01\xC3\xA9</A><![CDATA[x]]><B/></REPLY>")),
            "A=<AB??? B=");
  for (const char* broken : {"", "<REPLY>", "<REPLY><A>1</REPLY", "<html/>", "<REPLY><A>1</A>"})
    EXPECT_FALSE(ParseServerReply(broken)) << broken;
}

} // namespace qv
