#pragma once
#include <memory>
#include <string>
#include <vector>

#include "fields/PageFields.h"

namespace qv {

// The printer object's list and its current printer (-1 when none is current). The list is the
// one the object built on first use in this run.
class PrinterSource {
public:
  virtual ~PrinterSource() = default;
  virtual std::vector<std::string> Printers() = 0;
  virtual int PrinterIndex() = 0;
};

// One printer as the platform's enumeration lists it.
struct PrinterInfo {
  std::string Name;
  std::string Ports; // the 95 family can list several, separated by commas
};

// Entries of the printer list: the NT family lists one per printer (its name), the 95 family one
// per printer and port ("%s on %s").
std::vector<std::string> PrinterEntries(const std::vector<PrinterInfo>& printers, bool ntFamily);
// Index of the first entry of the system default printer, given the "device" line of the
// "windows" profile section ("name,driver,port"); -1 when it names none of them.
int DefaultPrinterIndex(const std::vector<PrinterInfo>& printers, bool ntFamily, const std::string& deviceProfile);

// MemoPrinter: every entry, the current one followed by " (Default)".
std::vector<std::string> PrinterLines(const std::vector<std::string>& printers, int currentIndex);
void GatherPrinters(PageFields& fields, PrinterSource& printers);

struct ScreenCaps {
  int HorzRes = 0;
  int VertRes = 0;
  int BitsPixel = 0;
};

class ScreenSource {
public:
  virtual ~ScreenSource() = default;
  virtual ScreenCaps Screen() = 0;
};

// "1024 x 768 pixels"
std::string ResolutionText(int horzRes, int vertRes);
// "256 Colors", "True Color (32 bit)", or "15 bit" for a depth without a name.
std::string ColourDepthName(int bitsPerPixel);
void GatherScreen(PageFields& fields, ScreenSource& screen);
void GatherScreen(PageFields& fields, const ScreenCaps& caps);

// The platform's printers (EnumPrintersA: local and connected ones on the NT family, local ones
// elsewhere) and the "device" line of the "windows" profile section (Windows builds only); the
// printer object builds its list from these.
std::vector<PrinterInfo> EnumerateWindowsPrinters(bool ntFamily);
std::string DefaultPrinterProfile();

// The real ones (Windows builds only). The printer list is built once, on first use.
std::unique_ptr<PrinterSource> MakeWindowsPrinterSource();
std::unique_ptr<ScreenSource> MakeWindowsScreenSource();

} // namespace qv
