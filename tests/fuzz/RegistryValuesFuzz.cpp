// Registry values of any type and length, terminated or not, planted where the probes look, and
// read back through every reader the probes use: nothing is read outside a value's bytes, texts
// carry no zero byte, binary reads respect their buffer, and every key opened is closed.
#include <algorithm>
#include <cctype>

#include "FakeRegistry.h"
#include "FuzzFields.h"
#include "FuzzInput.h"
#include "probes/Bios.h"
#include "probes/DeviceClasses.h"
#include "probes/Software.h"
#include "probes/WindowsVersion.h"

namespace {

using qv::fuzz::Input;

const char* const Keys[] = {
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
    "SOFTWARE\\Microsoft\\DirectX",
    "SYSTEM\\CurrentControlSet\\Control\\TimeZoneInformation",
    "HARDWARE\\DESCRIPTION\\System",
    "Enum\\Root\\*PNP0C01\\0000",
    "HARDWARE\\DEVICEMAP\\VIDEO",
    "System\\ControlSet001\\Services\\vga\\Device0",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\A",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\B",
    "SYSTEM\\Setup\\Source OS (Updated on 5/1/2021)",
};

const char* const Names[] = {
    "ProductID",
    "ProductKey",
    "Version",
    "InstalledVersion",
    "StandardName",
    "CurrentType",
    "RegisteredOrganization",
    "RegisteredOwner",
    "SystemBiosDate",
    "Identifier",
    "BIOSDate",
    "BIOSVersion",
    "BIOSName",
    "\\Device\\Video0",
    "HardwareInformation.AdapterString",
    "DriverDesc",
    "",
    "InstallDate",
    "FirstInstallDateTime",
    "ProductName",
    "DisplayName",
    "DisplayVersion",
    "Publisher",
};

const uint32_t Types[] = {
    qv::RegTypeString, qv::RegTypeExpandString, qv::RegTypeBinary, qv::RegTypeDword, qv::RegTypeMultiString, 0, 11};

bool HasZero(const std::string& s) { return s.find('\0') != std::string::npos; }

void CheckDate(const qv::LocalDateTime& t) {
  FUZZ_CHECK(t.Year >= 1970 && t.Year <= 2107 && t.Month >= 1 && t.Month <= 12 && t.Day >= 1 && t.Day <= 31);
  FUZZ_CHECK(t.Hour >= 0 && t.Hour < 24 && t.Minute >= 0 && t.Minute < 60 && t.Second >= 0 && t.Second < 60);
}

// The reads of one value checked against its raw bytes.
void CheckDecoders(uint32_t type, const std::vector<uint8_t>& bytes) {
  std::string text = qv::RegistryStringText(type, bytes.data(), bytes.size());
  FUZZ_CHECK(!HasZero(text));
  FUZZ_CHECK(text.size() <= bytes.size());
  FUZZ_CHECK(std::equal(text.begin(), text.end(), bytes.begin(),
                        [](char c, uint8_t b) { return static_cast<uint8_t>(c) == b; }));
  if (type != qv::RegTypeString && type != qv::RegTypeExpandString) FUZZ_CHECK(text.empty());

  for (size_t buffer : {size_t{4}, size_t{8}, size_t{255}}) {
    auto binary = qv::RegistryBinaryBytes(type, bytes.data(), bytes.size(), buffer);
    FUZZ_CHECK(binary.has_value() == (type == qv::RegTypeBinary && bytes.size() <= buffer));
    if (binary) FUZZ_CHECK(*binary == bytes);
  }

  // The wide text keeps every non-zero byte up to two zeros in a row, in order.
  std::string wide = qv::WideBytesToText(bytes.data(), bytes.size());
  FUZZ_CHECK(!HasZero(wide));
  size_t at = 0;
  for (char c : wide) {
    while (at < bytes.size() && bytes[at] == 0) ++at;
    FUZZ_CHECK(at < bytes.size() && static_cast<uint8_t>(c) == bytes[at]);
    ++at;
  }

  if (auto t = qv::DateTimeFromDos(bytes)) CheckDate(*t);
  if (auto n = qv::RegistryDwordNumber(type, bytes.data(), bytes.size())) FUZZ_CHECK(type == qv::RegTypeDword);

  std::string version = qv::DecodeInstalledVersion(bytes);
  size_t dot = version.find('.');
  FUZZ_CHECK(dot != std::string::npos && dot > 0 && dot + 1 < version.size());
  FUZZ_CHECK(std::all_of(version.begin(), version.end(),
                         [](char c) { return c == '.' || std::isdigit(static_cast<unsigned char>(c)); }));
}

void CheckClosed(const qv::FakeRegistry& registry) {
  FUZZ_CHECK(registry.StillOpen() == 0);
  FUZZ_CHECK(registry.BadCloses == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  qv::FakeRegistry registry;
  for (int values = 0; values < 24 && !in.Empty(); ++values) {
    const char* key = in.Pick(Keys);
    std::string name = in.Pick(Names);
    uint8_t how = in.Byte();
    uint32_t type = how & 0x80 ? in.U32() : Types[how % std::size(Types)];
    std::vector<uint8_t> bytes = in.Bytes(300);
    // The video map names its adapter's key the kernel's way; make that likely.
    if (how & 0x40) {
      std::string target = std::string("\\REGISTRY\\Machine\\") + in.Pick(Keys);
      bytes.insert(bytes.begin(), target.begin(), target.end());
    }
    if (how & 0x20) name += in.Text(8);
    CheckDecoders(type, bytes);
    registry.Raw(key, name, type, std::move(bytes));
  }

  auto product = qv::ReadProductIdAndKey(registry);
  FUZZ_CHECK(!HasZero(product.Id) && !HasZero(product.Key));
  CheckClosed(registry);
  if (auto directX = qv::ReadDirectXVersion(registry)) FUZZ_CHECK(!HasZero(*directX));
  CheckClosed(registry);
  for (size_t read : registry.BinaryReads) FUZZ_CHECK(read == 4 || read == 8 || read == 255);
  if (auto zone = qv::ReadTimeZoneName(registry)) FUZZ_CHECK(!HasZero(*zone));
  CheckClosed(registry);
  for (uint32_t platform : {qv::PlatformWindows, qv::PlatformNT}) {
    auto registration = qv::ReadRegistration(registry, platform);
    FUZZ_CHECK(!HasZero(registration.Title) && !HasZero(registration.Company) && !HasZero(registration.Owner));
    auto bios = qv::ReadBios(registry, platform);
    FUZZ_CHECK(!HasZero(bios.Name) && !HasZero(bios.Date));
    CheckClosed(registry);
  }
  std::vector<std::string> adapters;
  qv::ListVideoAdapters(registry, adapters);
  FUZZ_CHECK(adapters.size() <= 1);
  for (const auto& adapter : adapters) FUZZ_CHECK(adapter.size() <= 255 && !HasZero(adapter));
  CheckClosed(registry);

  for (uint32_t platform : {qv::PlatformWindows, qv::PlatformNT}) {
    auto installation = qv::ReadInstallation(registry, platform);
    FUZZ_CHECK(!HasZero(installation.ProductName));
    if (installation.InstallTime) CheckDate(*installation.InstallTime);
  }
  for (const auto& program : qv::ReadInstalledPrograms(registry, &registry))
    FUZZ_CHECK(!program.Name.empty() && !HasZero(program.Name + program.Version + program.Publisher));
  CheckClosed(registry);

  // The same readers as the pass calls them, into the page fields.
  qv::fuzz::FuzzFields fields;
  qv::GatherProductIdAndKey(fields, registry);
  qv::GatherRegistration(fields, registry, qv::PlatformNT);
  qv::GatherBios(fields, registry, qv::PlatformWindows);
  CheckClosed(registry);
  return 0;
}
