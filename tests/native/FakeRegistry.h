#pragma once
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "probes/Registry.h"

namespace qv {

// An in-memory registry. Key and value names are matched without regard to case, as the real
// one does; subkeys enumerate in the order they were added. Values are kept as the registry keeps
// them, a type and raw bytes, and read back through the same decoding as the real one. It counts
// open keys, so a test can check that every probe closes what it opens.
class FakeRegistry : public Registry {
public:
  struct Value {
    uint32_t Type;
    std::vector<uint8_t> Bytes;
  };

  FakeRegistry& Key(const std::string& path) {
    std::string parent;
    std::size_t start = 0;
    while (true) {
      std::size_t slash = path.find('\\', start);
      std::string part = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
      std::string full = parent.empty() ? part : parent + "\\" + part;
      if (!Keys.count(Upper(full))) {
        Keys[Upper(full)];
        Keys[Upper(parent)].SubKeys.push_back(part);
      }
      if (slash == std::string::npos) break;
      parent = full;
      start = slash + 1;
    }
    return *this;
  }
  FakeRegistry& String(const std::string& path, const std::string& name, const std::string& text) {
    return Raw(path, name, RegTypeString, std::vector<uint8_t>(text.begin(), text.end()));
  }
  FakeRegistry& Binary(const std::string& path, const std::string& name, std::vector<uint8_t> bytes) {
    return Raw(path, name, RegTypeBinary, std::move(bytes));
  }
  FakeRegistry& Dword(const std::string& path, const std::string& name) {
    return Raw(path, name, RegTypeDword, {1, 0, 0, 0});
  }
  // A value of any type with any data, terminated or not.
  FakeRegistry& Raw(const std::string& path, const std::string& name, uint32_t type, std::vector<uint8_t> bytes) {
    return Set(path, name, {type, std::move(bytes)});
  }
  // The key is listed by its parent but refuses to open.
  FakeRegistry& Locked(const std::string& path) {
    Key(path);
    LockedKeys.insert(Upper(path));
    return *this;
  }

  KeyId Open(const std::string& path) override {
    if (!Keys.count(Upper(path)) || LockedKeys.count(Upper(path))) return 0;
    KeyId id = NextId++;
    OpenKeys[id] = Upper(path);
    ++Opens;
    return id;
  }
  std::vector<std::string> SubKeys(KeyId key) override { return Node(key).SubKeys; }
  bool ValueExists(KeyId key, const std::string& name) override { return Node(key).Values.count(Upper(name)) > 0; }
  std::string ReadString(KeyId key, const std::string& name) override {
    auto& values = Node(key).Values;
    auto it = values.find(Upper(name));
    if (it == values.end()) return "";
    return RegistryStringText(it->second.Type, it->second.Bytes.data(), it->second.Bytes.size());
  }
  std::optional<std::vector<uint8_t>> ReadBinary(KeyId key, const std::string& name, std::size_t bufferSize) override {
    auto& values = Node(key).Values;
    auto it = values.find(Upper(name));
    BinaryReads.push_back(bufferSize);
    if (it == values.end()) return std::nullopt;
    return RegistryBinaryBytes(it->second.Type, it->second.Bytes.data(), it->second.Bytes.size(), bufferSize);
  }
  std::optional<uint32_t> ReadDword(KeyId key, const std::string& name) override {
    auto it = Node(key).Values.find(Upper(name));
    if (it == Node(key).Values.end()) return std::nullopt;
    return RegistryDwordNumber(it->second.Type, it->second.Bytes.data(), it->second.Bytes.size());
  }
  void Close(KeyId key) override {
    if (!OpenKeys.erase(key)) ++BadCloses;
  }

  std::size_t StillOpen() const { return OpenKeys.size(); }
  int Opens = 0;
  int BadCloses = 0;
  std::vector<std::size_t> BinaryReads; // buffer size of every binary read, in order

private:
  struct Node_ {
    std::vector<std::string> SubKeys;
    std::map<std::string, Value> Values;
  };
  static std::string Upper(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
  }
  FakeRegistry& Set(const std::string& path, const std::string& name, Value value) {
    Key(path);
    Keys[Upper(path)].Values[Upper(name)] = std::move(value);
    return *this;
  }
  Node_& Node(KeyId key) {
    auto it = OpenKeys.find(key);
    if (it == OpenKeys.end()) throw std::logic_error("use of a key that is not open");
    return Keys[it->second];
  }

  std::map<std::string, Node_> Keys;
  std::set<std::string> LockedKeys;
  std::map<KeyId, std::string> OpenKeys;
  KeyId NextId = 1;
};

} // namespace qv
