#pragma once
#include "probes/Registry.h"
#include "ui/Win.h"

namespace qv {

// The registry through advapi32. Paths are relative to Root, which is HKEY_LOCAL_MACHINE for the
// program; the Windows tests root it in a scratch key of their own.
class WindowsRegistry : public Registry {
public:
  explicit WindowsRegistry(HKEY root = HKEY_LOCAL_MACHINE) : Root(root) {}

  KeyId Open(const std::string& path) override;
  std::vector<std::string> SubKeys(KeyId key) override;
  bool ValueExists(KeyId key, const std::string& name) override;
  std::string ReadString(KeyId key, const std::string& name) override;
  std::optional<std::string> ReadStringValue(KeyId key, const std::string& name) override;
  std::optional<std::vector<uint8_t>> ReadBinary(KeyId key, const std::string& name, std::size_t bufferSize) override;
  void Close(KeyId key) override;

private:
  HKEY Root;
};

} // namespace qv
