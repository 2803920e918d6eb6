#include "probes/Display.h"

#include "core/AsciiCase.h"

namespace qv {

namespace {

std::vector<std::string> SplitPorts(const std::string& ports) {
  std::vector<std::string> result;
  std::size_t start = 0;
  while (start <= ports.size()) {
    std::size_t comma = ports.find(',', start);
    std::string port = ports.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (!port.empty()) result.push_back(port);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return result;
}

} // namespace

std::vector<std::string> PrinterEntries(const std::vector<PrinterInfo>& printers, bool ntFamily) {
  std::vector<std::string> entries;
  for (const auto& printer : printers) {
    if (ntFamily) {
      entries.push_back(printer.Name);
      continue;
    }
    for (const auto& port : SplitPorts(printer.Ports)) entries.push_back(printer.Name + " on " + port);
  }
  return entries;
}

int DefaultPrinterIndex(const std::vector<PrinterInfo>& printers, bool ntFamily, const std::string& deviceProfile) {
  std::string name = deviceProfile.substr(0, deviceProfile.find(','));
  if (name.empty()) return -1;
  int index = 0;
  for (const auto& printer : printers) {
    // Printer names are compared as the spooler does, without regard to case.
    if (SameIgnoringAsciiCase(printer.Name, name)) return index;
    index += ntFamily ? 1 : static_cast<int>(SplitPorts(printer.Ports).size());
  }
  return -1;
}

std::vector<std::string> PrinterLines(const std::vector<std::string>& printers, int currentIndex) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < printers.size(); ++i)
    lines.push_back(static_cast<int>(i) == currentIndex ? printers[i] + " (Default)" : printers[i]);
  return lines;
}

void GatherPrinters(PageFields& fields, PrinterSource& printers) {
  auto list = printers.Printers();
  fields.SetLines(Field::Printers, PrinterLines(list, printers.PrinterIndex()));
}

std::string ResolutionText(int horzRes, int vertRes) {
  return std::to_string(horzRes) + " x " + std::to_string(vertRes) + " pixels";
}

std::string ColourDepthName(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 4:
      return "16 Colors";
    case 8:
      return "256 Colors";
    case 16:
      return "High Color (16 bit)";
    case 24:
      return "True Color (24 bit)";
    case 32:
      return "True Color (32 bit)";
    default:
      return std::to_string(bitsPerPixel) + " bit";
  }
}

void GatherScreen(PageFields& fields, ScreenSource& screen) { GatherScreen(fields, screen.Screen()); }

void GatherScreen(PageFields& fields, const ScreenCaps& caps) {
  fields.SetText(Field::Resolution, ResolutionText(caps.HorzRes, caps.VertRes));
  fields.SetText(Field::Colours, ColourDepthName(caps.BitsPixel));
}

} // namespace qv
