#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qv {

// Read-only access to the machine's registry (HKEY_LOCAL_MACHINE). Everything read here is
// untrusted: a value of the wrong type or of a surprising length is "nothing found", never a
// read past a buffer.
class Registry {
public:
  using KeyId = std::uintptr_t; // 0 = no key
  virtual ~Registry() = default;

  // Opens a key for reading; 0 when it does not open.
  virtual KeyId Open(const std::string& path) = 0;
  // Names of the key's subkeys, in the order the registry enumerates them.
  virtual std::vector<std::string> SubKeys(KeyId key) = 0;
  // An empty name means the key's default (unnamed) value.
  virtual bool ValueExists(KeyId key, const std::string& name) = 0;
  // Text of a string value up to its first zero character (a missing terminator is tolerated);
  // empty when the value is missing or not a string.
  virtual std::string ReadString(KeyId key, const std::string& name) = 0;
  // Bytes of a binary value; nothing when the value is missing, not binary, or longer than
  // bufferSize (the read then fails instead of being cut).
  virtual std::optional<std::vector<uint8_t>> ReadBinary(KeyId key, const std::string& name,
                                                         std::size_t bufferSize) = 0;
  // A 32-bit number; nothing when the value is missing or not a DWORD of four bytes.
  virtual std::optional<uint32_t> ReadDword(KeyId key, const std::string& name) = 0;
  // ValueExists and ReadString in one: the text as ReadString gives it (empty for a value that is
  // not a string), nothing when the value is missing. The real registry answers it in one query.
  virtual std::optional<std::string> ReadStringValue(KeyId key, const std::string& name) {
    if (!ValueExists(key, name)) return std::nullopt;
    return ReadString(key, name);
  }
  virtual void Close(KeyId key) = 0;
};

// Value types as the registry stores them.
constexpr uint32_t RegTypeString = 1;       // REG_SZ
constexpr uint32_t RegTypeExpandString = 2; // REG_EXPAND_SZ
constexpr uint32_t RegTypeBinary = 3;       // REG_BINARY
constexpr uint32_t RegTypeDword = 4;        // REG_DWORD
constexpr uint32_t RegTypeMultiString = 7;  // REG_MULTI_SZ

// The text of a value's raw data as ReadString gives it: a string or expandable string up to its
// first zero byte or the end of the data (a missing terminator is tolerated); empty for any other
// type. Nothing outside data[0..size) is read.
std::string RegistryStringText(uint32_t type, const uint8_t* data, std::size_t size);
// The bytes of a value's raw data as ReadBinary gives them: nothing unless the type is binary and
// the data fits bufferSize.
std::optional<std::vector<uint8_t>> RegistryBinaryBytes(uint32_t type, const uint8_t* data, std::size_t size,
                                                        std::size_t bufferSize);
// The number of a value's raw data as ReadDword gives it: a DWORD of exactly four bytes.
std::optional<uint32_t> RegistryDwordNumber(uint32_t type, const uint8_t* data, std::size_t size);

// An open key, closed when it goes out of scope.
class RegKey {
public:
  RegKey(Registry& registry, const std::string& path) : Reg(registry), Id(registry.Open(path)) {}
  ~RegKey() { Close(); }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  explicit operator bool() const { return Id != 0; }
  void Close() {
    if (Id) Reg.Close(std::exchange(Id, Registry::KeyId{0}));
  }
  std::vector<std::string> SubKeys() { return Id ? Reg.SubKeys(Id) : std::vector<std::string>{}; }
  bool ValueExists(const std::string& name) { return Id && Reg.ValueExists(Id, name); }
  std::string ReadString(const std::string& name) { return Id ? Reg.ReadString(Id, name) : std::string(); }
  std::optional<std::string> ReadStringValue(const std::string& name) {
    if (!Id) return std::nullopt;
    return Reg.ReadStringValue(Id, name);
  }
  std::optional<std::vector<uint8_t>> ReadBinary(const std::string& name, std::size_t bufferSize) {
    if (!Id) return std::nullopt;
    return Reg.ReadBinary(Id, name, bufferSize);
  }
  std::optional<uint32_t> ReadDword(const std::string& name) {
    if (!Id) return std::nullopt;
    return Reg.ReadDword(Id, name);
  }

private:
  Registry& Reg;
  Registry::KeyId Id;
};

} // namespace qv
