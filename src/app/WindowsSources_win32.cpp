#include "app/WindowsSources.h"

#include "ui/Win.h"

namespace qv {

namespace {

class WindowsSystemSource : public SystemSource {
public:
  std::string ComputerName() override {
    char name[255];
    DWORD size = sizeof name;
    if (!GetComputerNameA(name, &size)) return "";
    return std::string(name, size);
  }
  MemoryStatus Memory() override {
    MEMORYSTATUS m{};
    m.dwLength = sizeof m;
    GlobalMemoryStatus(&m);
    return {static_cast<uint32_t>(m.dwTotalPhys), static_cast<uint32_t>(m.dwAvailPhys)};
  }
  LocalDateTime Now() override {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
  }
};

} // namespace

struct WindowsSources::Readers {
  WindowsSystemSource System;
};

WindowsSources::WindowsSources() : R(std::make_unique<Readers>()) { S.System = &R->System; }

WindowsSources::~WindowsSources() = default;

GatherSources& WindowsSources::Sources() { return S; }

} // namespace qv
