#pragma once
#include "probes/Registry.h"
#include "ui/Win.h"

namespace qv {

// The registry through advapi32. Paths are relative to Root, which is HKEY_LOCAL_MACHINE for the
// program; the Windows tests root it in a scratch key of their own.
class WindowsRegistry : public Registry {
public:
  // extraAccess joins KEY_READ when keys are opened (KEY_WOW64_64KEY: the 64-bit view).
  explicit WindowsRegistry(HKEY root = HKEY_LOCAL_MACHINE, REGSAM extraAccess = 0) : Root(root), Extra(extraAccess) {}

  KeyId Open(const std::string& path) override;
  std::vector<std::string> SubKeys(KeyId key) override;
  bool ValueExists(KeyId key, const std::string& name) override;
  std::string ReadString(KeyId key, const std::string& name) override;
  std::optional<std::string> ReadStringValue(KeyId key, const std::string& name) override;
  std::optional<std::vector<uint8_t>> ReadBinary(KeyId key, const std::string& name, std::size_t bufferSize) override;
  std::optional<uint32_t> ReadDword(KeyId key, const std::string& name) override;
  void Close(KeyId key) override;

private:
  HKEY Root;
  REGSAM Extra;
};

} // namespace qv
