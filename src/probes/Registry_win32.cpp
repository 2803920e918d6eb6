#include "probes/Registry_win32.h"

namespace qv {

namespace {

HKEY ToHKey(Registry::KeyId key) { return reinterpret_cast<HKEY>(key); }

// A value can change between asking for its size and reading it; a few tries settle that.
constexpr int ReadAttempts = 3;

} // namespace

Registry::KeyId WindowsRegistry::Open(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(Root, path.c_str(), 0, KEY_READ | Extra, &key) != ERROR_SUCCESS) return 0;
  return reinterpret_cast<KeyId>(key);
}

std::vector<std::string> WindowsRegistry::SubKeys(KeyId key) {
  std::vector<std::string> names;
  // Key names are at most 255 characters; a longer answer is skipped, any other error ends the
  // walk. The index bound keeps a registry that never says "no more items" from looping forever.
  for (DWORD index = 0; index < 1000000; ++index) {
    char name[256];
    DWORD length = sizeof name;
    LONG rc = RegEnumKeyExA(ToHKey(key), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_MORE_DATA) continue;
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(name, length < sizeof name ? length : sizeof name - 1);
  }
  return names;
}

bool WindowsRegistry::ValueExists(KeyId key, const std::string& name) {
  return RegQueryValueExA(ToHKey(key), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string WindowsRegistry::ReadString(KeyId key, const std::string& name) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(ToHKey(key), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return "";
  for (int attempt = 0; attempt < ReadAttempts; ++attempt) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) return "";
    // One spare zero byte, so a value stored without its terminator still ends inside the buffer.
    std::string data(static_cast<std::size_t>(size) + 1, '\0');
    DWORD got = size;
    LONG rc = RegQueryValueExA(ToHKey(key), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
    if (rc == ERROR_MORE_DATA) {
      size = got;
      continue;
    }
    if (rc != ERROR_SUCCESS) return "";
    return RegistryStringText(type, reinterpret_cast<const uint8_t*>(data.data()), got < size ? got : size);
  }
  return "";
}

std::optional<std::string> WindowsRegistry::ReadStringValue(KeyId key, const std::string& name) {
  // Class names and device descriptions fit the buffer, so one query both finds and reads them;
  // a longer value takes ReadString's sized read.
  char data[256];
  DWORD type = 0, got = sizeof data;
  LONG rc = RegQueryValueExA(ToHKey(key), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &got);
  if (rc == ERROR_MORE_DATA) return ReadString(key, name);
  if (rc != ERROR_SUCCESS) return std::nullopt;
  return RegistryStringText(type, reinterpret_cast<const uint8_t*>(data), got < sizeof data ? got : sizeof data);
}

std::optional<std::vector<uint8_t>> WindowsRegistry::ReadBinary(KeyId key, const std::string& name,
                                                                std::size_t bufferSize) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(ToHKey(key), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  if (type != REG_BINARY || size > bufferSize) return std::nullopt;
  std::vector<uint8_t> data(bufferSize);
  DWORD got = static_cast<DWORD>(bufferSize);
  LONG rc = RegQueryValueExA(ToHKey(key), name.c_str(), nullptr, &type, data.data(), &got);
  // A value that grew past the buffer since the size was asked fails like one that was too long.
  if (rc != ERROR_SUCCESS) return std::nullopt;
  return RegistryBinaryBytes(type, data.data(), got, bufferSize);
}

std::optional<uint32_t> WindowsRegistry::ReadDword(KeyId key, const std::string& name) {
  uint8_t data[4];
  DWORD type = 0, got = sizeof data;
  if (RegQueryValueExA(ToHKey(key), name.c_str(), nullptr, &type, data, &got) != ERROR_SUCCESS) return std::nullopt;
  return RegistryDwordNumber(type, data, got);
}

void WindowsRegistry::Close(KeyId key) { RegCloseKey(ToHKey(key)); }

} // namespace qv
