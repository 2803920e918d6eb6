#include "inventory/InventoryDocument.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "core/Rounding.h"
#include "fields/FieldInventory.h"
#include "reports/AnsiText.h"

namespace qv {

namespace {

const char* const Replacement = "\xEF\xBF\xBD"; // U+FFFD

// The document a line at a time, two blanks per level. A section whose entries are all empty is
// left out, so that the server never stores a row of nothing.
class XmlLines {
public:
  explicit XmlLines(const AnsiConverter& toUtf8) : ToUtf8(toUtf8) {}

  void Open(const char* tag) {
    Line(std::string("<") + tag + ">");
    ++Depth;
  }
  void Close(const char* tag) {
    --Depth;
    Line(std::string("</") + tag + ">");
  }
  // One entry of a section: written only when fill wrote anything into it.
  void Section(const char* tag, const std::function<void()>& fill) {
    const size_t start = Out.size();
    Open(tag);
    const size_t opened = Out.size();
    fill();
    if (Out.size() == opened) {
      Out.resize(start);
      --Depth;
      return;
    }
    Close(tag);
  }
  // Text of the system (ANSI); nothing is written for an empty text.
  void Text(const char* tag, const std::string& ansi) { Utf8(tag, ToUtf8(ansi)); }
  void Utf8(const char* tag, const std::string& utf8) {
    if (!utf8.empty()) Line(std::string("<") + tag + ">" + XmlText(utf8) + "</" + tag + ">");
  }
  void Number(const char* tag, int64_t n) { Utf8(tag, std::to_string(n)); }

  std::string Out;

private:
  void Line(const std::string& text) { Out += std::string(2 * Depth, ' ') + text + "\n"; }
  const AnsiConverter& ToUtf8;
  int Depth = 0;
};

// A field's text once the pass has written it; empty while it holds its design value.
std::string Written(const PageFields& fields, Field field) {
  std::string text = fields.Text(field);
  return text == FindField(field).Text ? std::string() : text;
}
std::vector<std::string> WrittenLines(const PageFields& fields, Field field) {
  std::vector<std::string> lines = fields.Lines(field);
  if (lines == FindField(field).Lines) return {};
  lines.erase(std::remove(lines.begin(), lines.end(), std::string()), lines.end());
  return lines;
}

const char* DriveTypeName(int code) {
  static const char* const Names[] = {"Unknown",       "No Drive",     "Removable Drive", "Hard Drive",
                                      "Network Drive", "CD-Rom Drive", "RAM Disk"};
  return code >= 0 && code <= 6 ? Names[code] : Names[0];
}

const char* AdapterTypeName(int code) {
  switch (code) {
    case 6:
      return "Ethernet";
    case 9:
      return "Token Ring";
    case 23:
      return "PPP";
    case 24:
      return "Loopback";
    case 71:
      return "Wifi";
    default:
      return "";
  }
}

// A dotted IPv4 address, four decimal numbers of at most 255.
std::optional<uint32_t> ParseIpv4(const std::string& text) {
  uint32_t address = 0;
  size_t at = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0 && (at >= text.size() || text[at++] != '.')) return std::nullopt;
    uint32_t n = 0;
    size_t digits = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 4; ++at, ++digits)
      n = n * 10 + static_cast<uint32_t>(text[at] - '0');
    if (digits == 0 || n > 255) return std::nullopt;
    address = address << 8 | n;
  }
  if (at != text.size()) return std::nullopt;
  return address;
}

// The network an address is in, by its mask: 192.168.1.0 for 192.168.1.20/255.255.255.0.
std::string SubnetOf(const std::string& ip, const std::string& mask) {
  auto address = ParseIpv4(ip), bits = ParseIpv4(mask);
  if (!address || !bits) return "";
  uint32_t net = *address & *bits;
  return std::to_string(net >> 24) + "." + std::to_string(net >> 16 & 255) + "." + std::to_string(net >> 8 & 255) +
         "." + std::to_string(net & 255);
}

std::string TwoDigits(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}

// The clock in whole MHz; nothing when it was not measured.
std::optional<int64_t> Megahertz(double clock) {
  if (!(clock > 0 && clock < 1e9)) return std::nullopt;
  return RoundHalfEven(clock);
}

std::string ProcessorName(const PageFields& fields, const RawValues::Processor& cpu) {
  std::string name = Written(fields, Field::CpuDescription);
  if (name.empty() && cpu.Brand) name = *cpu.Brand;
  return name.empty() ? cpu.Vendor : name;
}

void WriteHardware(XmlLines& xml, const PageFields& fields, const RawValues& raw) {
  xml.Open("HARDWARE");
  xml.Text("NAME", Written(fields, Field::ComputerName));
  if (raw.System) xml.Text("WORKGROUP", raw.System->Workgroup);
  std::string osName = raw.System ? raw.System->ProductName : "";
  if (osName.empty()) osName = Written(fields, Field::OsDescription);
  if (osName.empty()) osName = Written(fields, Field::Platform);
  xml.Text("OSNAME", osName);
  if (raw.Windows)
    xml.Utf8("OSVERSION", std::to_string(raw.Windows->Major) + "." + std::to_string(raw.Windows->Minor) + "." +
                              std::to_string(raw.Windows->Build));
  xml.Text("OSCOMMENTS", Written(fields, Field::ServicePack));
  if (raw.Cpu) {
    xml.Text("PROCESSORT", ProcessorName(fields, *raw.Cpu));
    if (auto mhz = Megahertz(raw.Cpu->ClockMHz)) xml.Number("PROCESSORS", *mhz);
    xml.Number("PROCESSORN", raw.Cpu->Count);
  }
  if (raw.Memory) xml.Number("MEMORY", static_cast<int64_t>(raw.Memory->TotalPhys >> 20));
  xml.Text("IPADDR", Written(fields, Field::LocalIp));
  if (raw.Adapters)
    for (const auto& adapter : *raw.Adapters)
      if (!adapter.Gateway.empty()) {
        xml.Utf8("DEFAULTGATEWAY", adapter.Gateway);
        break;
      }
  xml.Text("USERID", Written(fields, Field::LoginName));
  xml.Text("WINOWNER", Written(fields, Field::RegisteredName));
  xml.Text("WINCOMPANY", Written(fields, Field::Company));
  xml.Text("WINPRODID", Written(fields, Field::ProductId));
  xml.Text("WINPRODKEY", Written(fields, Field::ProductKey));
  xml.Number("CHECKSUM", AllSectionsChanged);
  xml.Close("HARDWARE");
}

// One CPUS entry a package: the processors Windows counts over the logical ones CPUID gives a package.
void WriteProcessors(XmlLines& xml, const PageFields& fields, const RawValues::Processor& cpu) {
  const int logical = std::max(1, cpu.LogicalProcessors);
  const int packages = std::max(1, (cpu.Count + logical - 1) / logical);
  for (int i = 0; i < packages && i < 256; ++i)
    xml.Section("CPUS", [&] {
      xml.Text("MANUFACTURER", cpu.CpuidAvailable ? cpu.Vendor : "");
      xml.Text("TYPE", ProcessorName(fields, cpu));
      if (auto mhz = Megahertz(cpu.ClockMHz)) {
        xml.Number("SPEED", *mhz);
        xml.Number("CURRENT_SPEED", *mhz);
      }
      if (cpu.Cores > 0) xml.Number("CORES", cpu.Cores);
      if (cpu.LogicalProcessors > 0) xml.Number("LOGICAL_CPUS", cpu.LogicalProcessors);
      if (cpu.L2CacheKB > 0) xml.Number("L2CACHESIZE", cpu.L2CacheKB);
    });
}

void WriteStorageAndNetwork(XmlLines& xml, const RawValues& raw) {
  if (raw.Drives)
    for (const auto& drive : *raw.Drives)
      xml.Section("DRIVES", [&] {
        xml.Utf8("LETTER", std::string(1, drive.Letter) + ":");
        xml.Utf8("TYPE", DriveTypeName(drive.TypeCode));
        xml.Text("FILESYSTEM", drive.FileSystem);
        if (drive.TotalBytes >= 0) xml.Number("TOTAL", drive.TotalBytes >> 20);
        if (drive.FreeBytes >= 0) xml.Number("FREE", drive.FreeBytes >> 20);
        xml.Text("VOLUMN", drive.Label);
      });
  if (raw.Adapters)
    for (const auto& adapter : *raw.Adapters)
      xml.Section("NETWORKS", [&] {
        xml.Text("DESCRIPTION", adapter.Description);
        xml.Utf8("TYPE", AdapterTypeName(adapter.TypeCode));
        xml.Utf8("MACADDR", HardwareAddressText(adapter.Mac));
        xml.Utf8("STATUS", "Up");
        xml.Utf8("IPADDRESS", adapter.Ip);
        xml.Utf8("IPMASK", adapter.Mask);
        xml.Utf8("IPGATEWAY", adapter.Gateway);
        xml.Utf8("IPSUBNET", SubnetOf(adapter.Ip, adapter.Mask));
      });
}

// The devices of the pages, one entry a memo line.
void WriteDevices(XmlLines& xml, const PageFields& fields, const RawValues& raw) {
  const std::string defaultMark = " (Default)";
  for (std::string printer : WrittenLines(fields, Field::Printers)) {
    if (printer.size() > defaultMark.size() && printer.ends_with(defaultMark))
      printer.resize(printer.size() - defaultMark.size());
    xml.Section("PRINTERS", [&] { xml.Text("NAME", printer); });
  }
  for (const auto& media : WrittenLines(fields, Field::Media)) xml.Section("SOUNDS", [&] { xml.Text("NAME", media); });
  for (const auto& video : WrittenLines(fields, Field::VideoAdapters))
    xml.Section("VIDEOS", [&] {
      xml.Text("NAME", video);
      if (raw.Display)
        xml.Utf8("RESOLUTION", std::to_string(raw.Display->Width) + " x " + std::to_string(raw.Display->Height));
    });
  for (const auto& monitor : WrittenLines(fields, Field::Monitors))
    xml.Section("MONITORS", [&] { xml.Text("CAPTION", monitor); });
  for (const auto& port : WrittenLines(fields, Field::Ports))
    xml.Section("PORTS", [&] {
      xml.Text("NAME", port);
      xml.Text("CAPTION", port);
    });
  for (const auto& input : {std::pair{Field::Keyboard, "Keyboard"}, std::pair{Field::Mouse, "Pointing"}}) {
    std::string caption = Written(fields, input.first);
    if (caption.empty()) continue;
    xml.Section("INPUTS", [&] {
      xml.Utf8("TYPE", input.second);
      xml.Text("CAPTION", caption);
    });
  }
}

// A 32-bit FNV-1a hash, for a time that stands in for a missing one.
uint32_t Hash(const std::string& text) {
  uint32_t h = 2166136261u;
  for (char c : text) h = (h ^ static_cast<uint8_t>(c)) * 16777619u;
  return h;
}

} // namespace

std::string XmlText(std::string_view utf8) {
  const std::string text = SanitizeUtf8(utf8);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    switch (b) {
      case '&':
        out += "&amp;";
        continue;
      case '<':
        out += "&lt;";
        continue;
      case '>':
        out += "&gt;";
        continue;
      case '"':
        out += "&quot;";
        continue;
      case '\'':
        out += "&apos;";
        continue;
      case '\r': // a parser would turn a bare CR into LF
        out += "&#13;";
        continue;
      default:
        break;
    }
    if ((b < 0x20 && b != '\t' && b != '\n') || b == 0x7F) {
      out += Replacement;
    } else if (b == 0xEF && i + 2 < text.size() && text[i + 1] == '\xBF' &&
               (text[i + 2] == '\xBE' || text[i + 2] == '\xBF')) {
      out += Replacement; // U+FFFE and U+FFFF are no characters of XML
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string DeviceId(const std::string& computerName, const std::optional<LocalDateTime>& installTime,
                     const std::string& productId) {
  const LocalDateTime t = installTime ? *installTime : DateTimeFromUnixSeconds(Hash(productId));
  return (computerName.empty() ? std::string("UNNAMED") : computerName) + "-" + std::to_string(t.Year) + "-" +
         TwoDigits(t.Month) + "-" + TwoDigits(t.Day) + "-" + TwoDigits(t.Hour) + "-" + TwoDigits(t.Minute) + "-" +
         TwoDigits(t.Second);
}

InventoryRequest BuildInventory(const PageFields& fields, const RawValues& raw, const AnsiConverter& toUtf8) {
  InventoryRequest request;
  request.DeviceId = DeviceId(toUtf8(Written(fields, Field::ComputerName)),
                              raw.System ? raw.System->InstallTime : std::nullopt, Written(fields, Field::ProductId));
  XmlLines xml(toUtf8);
  xml.Open("REQUEST");
  xml.Open("CONTENT");
  WriteHardware(xml, fields, raw);
  xml.Section("BIOS", [&] {
    xml.Text("BVERSION", Written(fields, Field::BiosType));
    xml.Text("BDATE", Written(fields, Field::BiosDate));
  });
  if (raw.Cpu) WriteProcessors(xml, fields, *raw.Cpu);
  WriteStorageAndNetwork(xml, raw);
  WriteDevices(xml, fields, raw);
  if (raw.Programs)
    for (const auto& program : *raw.Programs)
      xml.Section("SOFTWARES", [&] {
        xml.Text("NAME", program.Name);
        xml.Text("VERSION", program.Version);
        xml.Text("PUBLISHER", program.Publisher);
      });
  xml.Close("CONTENT");
  xml.Utf8("DEVICEID", request.DeviceId);
  xml.Utf8("QUERY", "INVENTORY");
  xml.Close("REQUEST");
  request.Xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n" + xml.Out;
  return request;
}

std::string PrologXml(const std::string& deviceId) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<REQUEST>\n  <DEVICEID>" + XmlText(deviceId) +
         "</DEVICEID>\n  <QUERY>PROLOG</QUERY>\n</REQUEST>\n";
}

} // namespace qv
