// quorvel-importcheck: reads the import tables of Windows programs (the PE files themselves, so no
// Windows is needed) and holds them against the hand-kept list of what the program may use.
//   quorvel-importcheck LIST PROGRAM.exe...
// A 32-bit program may import only what Windows 95 and NT 4 both export, and must declare a subsystem
// version their loaders accept; a 64-bit one what the first 64-bit Windows (XP x64, NT 5.2) has.
// Every import must be on the list. Prints each program's imports; exit status 1 on any finding.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Entry {
  std::string Family95; // 95, 98, Me or -
  std::string FamilyNt; // 3.1, 3.5, 3.51, 4.0, 2000, XP, 2003, Vista ... or -
  std::string How;      // import, import64 or runtime
  int Line = 0;
};

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::string Key(const std::string& dll, const std::string& function) { return Lower(dll) + "!" + function; }

bool On95(const Entry& e) { return e.Family95 == "95"; }
bool OnNt4(const Entry& e) {
  return e.FamilyNt == "3.1" || e.FamilyNt == "3.5" || e.FamilyNt == "3.51" || e.FamilyNt == "4.0";
}
bool OnFirst64(const Entry& e) {
  return OnNt4(e) || e.FamilyNt == "2000" || e.FamilyNt == "XP" || e.FamilyNt == "2003";
}

bool ReadList(const char* path, std::map<std::string, Entry>& list) {
  std::ifstream in(path);
  if (!in) {
    std::printf("cannot read the list %s\n", path);
    return false;
  }
  bool good = true;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string dll, function, basis;
    Entry e;
    e.Line = number;
    fields >> dll >> function >> e.Family95 >> e.FamilyNt >> e.How;
    std::getline(fields >> std::ws, basis);
    bool known = e.How == "import" || e.How == "import64" || e.How == "runtime";
    if (basis.empty() || !known) {
      std::printf("%s:%d: needs DLL, function, 95 family, NT family, import/import64/runtime and a basis\n", path,
                  number);
      good = false;
      continue;
    }
    if (!list.emplace(Key(dll, function), e).second) {
      std::printf("%s:%d: %s %s is listed twice\n", path, number, dll.c_str(), function.c_str());
      good = false;
    }
  }
  return good;
}

class PeFile {
public:
  explicit PeFile(std::vector<unsigned char> bytes) : Bytes(std::move(bytes)) {}

  std::optional<uint32_t> U32(size_t at) const {
    if (at > Bytes.size() || Bytes.size() - at < 4) return std::nullopt;
    return Bytes[at] | Bytes[at + 1] << 8 | Bytes[at + 2] << 16 | static_cast<uint32_t>(Bytes[at + 3]) << 24;
  }
  std::optional<uint64_t> U64(size_t at) const {
    auto low = U32(at), high = U32(at + 4);
    if (!low || !high) return std::nullopt;
    return *low | static_cast<uint64_t>(*high) << 32;
  }
  std::optional<uint16_t> U16(size_t at) const {
    if (at > Bytes.size() || Bytes.size() - at < 2) return std::nullopt;
    return static_cast<uint16_t>(Bytes[at] | Bytes[at + 1] << 8);
  }
  // A zero-terminated name that must end inside the file.
  std::optional<std::string> Name(size_t at) const {
    std::string s;
    for (size_t i = at; i < Bytes.size(); ++i) {
      if (!Bytes[i]) return s;
      s += static_cast<char>(Bytes[i]);
    }
    return std::nullopt;
  }

  struct Section {
    uint32_t Address, Size, Offset, RawSize;
  };
  std::vector<Section> Sections;

  std::optional<size_t> Offset(uint32_t rva) const {
    for (const Section& s : Sections) {
      uint32_t size = s.Size ? s.Size : s.RawSize;
      if (rva >= s.Address && rva - s.Address < size && rva - s.Address < s.RawSize)
        return size_t{s.Offset} + (rva - s.Address);
    }
    return std::nullopt;
  }

private:
  std::vector<unsigned char> Bytes;
};

struct Imports {
  bool Wide = false; // PE32+ (64-bit)
  int SubsystemMajor = 0, SubsystemMinor = 0;
  std::vector<std::pair<std::string, std::string>> Functions; // DLL, function (or #ordinal)
};

std::optional<Imports> ReadImports(const char* path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot be read";
    return std::nullopt;
  }
  PeFile pe(std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {}));
  Imports result;
  auto headerAt = pe.U32(0x3c);
  if (!headerAt || pe.U32(*headerAt) != 0x00004550u) {
    error = "is not a PE file";
    return std::nullopt;
  }
  size_t coff = *headerAt + 4;
  auto sectionCount = pe.U16(coff + 2);
  auto optionalSize = pe.U16(coff + 16);
  size_t optional = coff + 20;
  auto magic = pe.U16(optional);
  if (!sectionCount || !optionalSize || !magic || (*magic != 0x10b && *magic != 0x20b)) {
    error = "has no PE32 or PE32+ optional header";
    return std::nullopt;
  }
  result.Wide = *magic == 0x20b;
  auto major = pe.U16(optional + 48), minor = pe.U16(optional + 50);
  auto directoryCount = pe.U32(optional + (result.Wide ? 108 : 92));
  auto importRva = pe.U32(optional + (result.Wide ? 120 : 104));
  if (!major || !minor || !directoryCount || !importRva) {
    error = "has a short optional header";
    return std::nullopt;
  }
  result.SubsystemMajor = *major;
  result.SubsystemMinor = *minor;
  for (unsigned i = 0; i < *sectionCount; ++i) {
    size_t at = optional + *optionalSize + i * 40;
    auto size = pe.U32(at + 8), address = pe.U32(at + 12), rawSize = pe.U32(at + 16), offset = pe.U32(at + 20);
    if (!size || !address || !rawSize || !offset) {
      error = "has a section table past its end";
      return std::nullopt;
    }
    pe.Sections.push_back({*address, *size, *offset, *rawSize});
  }
  if (*directoryCount < 2 || !*importRva) return result;

  auto descriptor = pe.Offset(*importRva);
  for (;; *descriptor += 20) {
    if (!descriptor) {
      error = "has an import table outside its sections";
      return std::nullopt;
    }
    auto lookup = pe.U32(*descriptor), nameRva = pe.U32(*descriptor + 12), thunks = pe.U32(*descriptor + 16);
    if (!lookup || !nameRva || !thunks) {
      error = "has an import table past its end";
      return std::nullopt;
    }
    if (!*nameRva && !*thunks) break;
    auto nameAt = pe.Offset(*nameRva);
    auto dll = nameAt ? pe.Name(*nameAt) : std::nullopt;
    auto thunk = pe.Offset(*lookup ? *lookup : *thunks);
    if (!dll || !thunk) {
      error = "has an import descriptor that points outside its sections";
      return std::nullopt;
    }
    size_t step = result.Wide ? 8 : 4;
    for (size_t at = *thunk;; at += step) {
      std::optional<uint64_t> value = pe.U64(at);
      if (!result.Wide) {
        auto narrow = pe.U32(at);
        value = narrow ? std::optional<uint64_t>(*narrow) : std::nullopt;
      }
      if (!value) {
        error = "has an import list past its end";
        return std::nullopt;
      }
      if (!*value) break;
      uint64_t ordinalFlag = result.Wide ? uint64_t{1} << 63 : uint64_t{1} << 31;
      if (*value & ordinalFlag) {
        result.Functions.emplace_back(*dll, "#" + std::to_string(*value & 0xffff));
        continue;
      }
      auto hintAt = pe.Offset(static_cast<uint32_t>(*value & 0x7fffffff));
      auto function = hintAt ? pe.Name(*hintAt + 2) : std::nullopt;
      if (!function) {
        error = "has an imported name outside its sections";
        return std::nullopt;
      }
      result.Functions.emplace_back(*dll, *function);
    }
  }
  return result;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::printf("usage: quorvel-importcheck LIST PROGRAM.exe...\n");
    return 2;
  }
  std::map<std::string, Entry> list;
  int findings = ReadList(argv[1], list) ? 0 : 1;
  for (int i = 2; i < argc; ++i) {
    std::string error;
    auto imports = ReadImports(argv[i], error);
    if (!imports) {
      std::printf("FAIL: %s %s\n", argv[i], error.c_str());
      ++findings;
      continue;
    }
    std::printf("%s (%s, subsystem %d.%d): %zu imports\n", argv[i], imports->Wide ? "64-bit" : "32-bit",
                imports->SubsystemMajor, imports->SubsystemMinor, imports->Functions.size());
    if (!imports->Wide && imports->SubsystemMajor > 4) {
      std::printf("FAIL: %s asks for subsystem %d.%d: the loaders of Windows 95 and NT 4 refuse more than 4.0\n",
                  argv[i], imports->SubsystemMajor, imports->SubsystemMinor);
      ++findings;
    }
    for (const auto& [dll, function] : imports->Functions) {
      std::printf("  %s %s\n", dll.c_str(), function.c_str());
      auto found = list.find(Key(dll, function));
      if (found == list.end()) {
        std::printf("FAIL: %s imports %s %s, which is not on the list %s\n", argv[i], dll.c_str(), function.c_str(),
                    argv[1]);
        ++findings;
        continue;
      }
      const Entry& e = found->second;
      if (e.How == "runtime") {
        std::printf("FAIL: %s imports %s %s, which the list (line %d) says is looked up at run time\n", argv[i],
                    dll.c_str(), function.c_str(), e.Line);
        ++findings;
      } else if (!imports->Wide && (e.How != "import" || !On95(e) || !OnNt4(e))) {
        std::printf("FAIL: %s imports %s %s, which the list (line %d) says is not on both Windows 95 and NT 4\n",
                    argv[i], dll.c_str(), function.c_str(), e.Line);
        ++findings;
      } else if (imports->Wide && !OnFirst64(e)) {
        std::printf("FAIL: %s imports %s %s, which the list (line %d) says the first 64-bit Windows lacks\n", argv[i],
                    dll.c_str(), function.c_str(), e.Line);
        ++findings;
      }
    }
  }
  std::printf(findings ? "%d findings\n" : "all imports on the list\n", findings);
  return findings ? 1 : 0;
}
