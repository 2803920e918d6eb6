#include "cpu/CpuPlatform.h"
#include "ui/Win.h"

namespace qv {

namespace {

class MachineProcessorSystem : public ProcessorSystem {
public:
  int NumberOfProcessors() override {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    return static_cast<int>(info.dwNumberOfProcessors);
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
