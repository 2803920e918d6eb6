#include "cpu/CpuPlatform.h"
#include "ui/Win.h"

namespace qv {

namespace {

class MachineProcessorSystem : public ProcessorSystem {
public:
  int NumberOfProcessors() override {
    // Windows 7 and later only, so looked up rather than imported.
    using ActiveProcessorCount = DWORD(WINAPI*)(WORD);
    auto active = LookUpLoaded<ActiveProcessorCount>("kernel32.dll", "GetActiveProcessorCount");
    std::function<uint32_t(uint16_t)> allGroups;
    if (active) allGroups = [active](uint16_t group) { return static_cast<uint32_t>(active(group)); };
    return CountProcessors(allGroups, [] {
      SYSTEM_INFO info{};
      GetSystemInfo(&info);
      return static_cast<uint32_t>(info.dwNumberOfProcessors);
    });
  }
  std::string DecimalSeparator() override {
    char buf[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, sizeof buf) <= 1) return ".";
    return buf;
  }
};

} // namespace

std::unique_ptr<ProcessorSystem> NewMachineProcessorSystem() { return std::make_unique<MachineProcessorSystem>(); }

} // namespace qv
