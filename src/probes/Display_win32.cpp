#include <cstring>
#include <optional>

#include "probes/Display.h"
#include "probes/WindowsVersion.h"
#include "ui/Win.h"

// clang-format off: these need the types of ui/Win.h before them
#include <winspool.h>
// clang-format on

namespace qv {

namespace {

// EnumPrintersA fills one block: the records first, then the texts they point to.
std::vector<uint8_t> EnumPrinterBlock(DWORD flags, DWORD level, DWORD& count) {
  count = 0;
  DWORD needed = 0;
  EnumPrintersA(flags, nullptr, level, nullptr, 0, &needed, &count);
  for (int attempt = 0; attempt < 3 && needed > 0; ++attempt) {
    std::vector<uint8_t> block(needed);
    DWORD size = needed;
    count = 0;
    if (EnumPrintersA(flags, nullptr, level, block.data(), size, &needed, &count)) return block;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
  }
  count = 0;
  return {};
}

std::string Text(const char* text) { return text ? std::string(text) : std::string(); }

} // namespace

std::vector<PrinterInfo> EnumerateWindowsPrinters(bool ntFamily) {
  std::vector<PrinterInfo> printers;
  DWORD count = 0;
  if (ntFamily) {
    auto block = EnumPrinterBlock(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, 4, count);
    if (block.size() / sizeof(PRINTER_INFO_4A) < count) return printers;
    auto* records = reinterpret_cast<const PRINTER_INFO_4A*>(block.data());
    for (DWORD i = 0; i < count; ++i) printers.push_back({Text(records[i].pPrinterName), ""});
  } else {
    auto block = EnumPrinterBlock(PRINTER_ENUM_LOCAL, 5, count);
    if (block.size() / sizeof(PRINTER_INFO_5A) < count) return printers;
    auto* records = reinterpret_cast<const PRINTER_INFO_5A*>(block.data());
    for (DWORD i = 0; i < count; ++i) printers.push_back({Text(records[i].pPrinterName), Text(records[i].pPortName)});
  }
  return printers;
}

std::string DefaultPrinterProfile() {
  char device[512];
  std::memset(device, 0, sizeof device);
  GetProfileStringA("windows", "device", "", device, sizeof device);
  return std::string(device, strnlen(device, sizeof device));
}

namespace {

class WindowsPrinterSource : public PrinterSource {
public:
  std::vector<std::string> Printers() override {
    Build();
    return Entries;
  }
  int PrinterIndex() override {
    Build();
    return Index;
  }

private:
  void Build() {
    if (Built) return;
    bool nt = MakeWindowsOsSource()->Version().PlatformId == PlatformNT;
    auto printers = EnumerateWindowsPrinters(nt);
    Entries = PrinterEntries(printers, nt);
    Index = DefaultPrinterIndex(printers, nt, DefaultPrinterProfile());
    Built = true;
  }
  bool Built = false;
  std::vector<std::string> Entries;
  int Index = -1;
};

class WindowsScreenSource : public ScreenSource {
public:
  ScreenCaps Screen() override {
    WindowDc screen(nullptr);
    ScreenCaps caps;
    if (!screen.Get()) return caps;
    caps.HorzRes = GetDeviceCaps(screen.Get(), HORZRES);
    caps.VertRes = GetDeviceCaps(screen.Get(), VERTRES);
    caps.BitsPixel = GetDeviceCaps(screen.Get(), BITSPIXEL);
    return caps;
  }
};

} // namespace

std::unique_ptr<PrinterSource> MakeWindowsPrinterSource() { return std::make_unique<WindowsPrinterSource>(); }
std::unique_ptr<ScreenSource> MakeWindowsScreenSource() { return std::make_unique<WindowsScreenSource>(); }

} // namespace qv
