#include <cstring>

#include "probes/WindowsVersion.h"
#include "ui/Win.h"

namespace qv {

namespace {

// Text up to the first zero character, never past the buffer.
std::string BufferText(const char* buffer, std::size_t size) { return std::string(buffer, strnlen(buffer, size)); }

class WindowsOsSource : public OsSource {
public:
  VersionInfo Version() override {
    OSVERSIONINFOA record;
    std::memset(&record, 0, sizeof record);
    record.dwOSVersionInfoSize = sizeof record;
    static_assert(sizeof(OSVERSIONINFOA) == 148);
    VersionInfo info;
    if (!GetVersionExA(&record)) return info;
    info.MajorVersion = record.dwMajorVersion;
    info.MinorVersion = record.dwMinorVersion;
    info.BuildNumber = record.dwBuildNumber;
    info.PlatformId = record.dwPlatformId;
    info.CSDVersion = BufferText(record.szCSDVersion, sizeof record.szCSDVersion);
    return info;
  }

  SystemPaths Paths() override {
    SystemPaths paths;
    char buffer[MAX_PATH];
    static_assert(MAX_PATH == 260);
    std::memset(buffer, 0, sizeof buffer);
    GetWindowsDirectoryA(buffer, sizeof buffer);
    paths.Windows = BufferText(buffer, sizeof buffer);
    std::memset(buffer, 0, sizeof buffer);
    GetSystemDirectoryA(buffer, sizeof buffer);
    paths.System = BufferText(buffer, sizeof buffer);
    std::memset(buffer, 0, sizeof buffer);
    GetTempPathA(sizeof buffer, buffer);
    paths.Temp = BufferText(buffer, sizeof buffer);
    return paths;
  }

  std::string LoginName() override {
    char buffer[255];
    std::memset(buffer, 0, sizeof buffer);
    DWORD size = sizeof buffer;
    if (!GetUserNameA(buffer, &size)) return "";
    return BufferText(buffer, sizeof buffer);
  }
};

} // namespace

std::unique_ptr<OsSource> MakeWindowsOsSource() { return std::make_unique<WindowsOsSource>(); }

} // namespace qv
