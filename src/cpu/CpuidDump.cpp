#include "cpu/CpuidDump.h"

#include <cstdio>
#include <memory>

#include "core/Errors.h"

namespace qv {

namespace {

// A cursor over one line; every read checks the end first.
class LineReader {
public:
  explicit LineReader(const std::string& line) : Line(line) {}
  bool AtEnd() const { return Pos >= Line.size(); }
  char Peek() const { return AtEnd() ? '\0' : Line[Pos]; }
  void SkipBlanks() {
    while (Peek() == ' ' || Peek() == '\t') ++Pos;
  }
  bool Literal(const char* text) {
    size_t n = std::char_traits<char>::length(text);
    if (Line.compare(Pos, n, text) != 0) return false;
    Pos += n;
    return true;
  }
  bool Char(char c) {
    if (Peek() != c) return false;
    ++Pos;
    return true;
  }
  // One to eight hexadecimal digits, not followed by another.
  bool Hex(uint32_t& value) {
    value = 0;
    int digits = 0;
    for (;;) {
      int d = HexDigit(Peek());
      if (d < 0) break;
      if (++digits > 8) return false;
      value = value << 4 | static_cast<uint32_t>(d);
      ++Pos;
    }
    return digits > 0;
  }
  // A decimal index that fits 32 bits, or a "0x" hexadecimal one.
  bool Index(uint32_t& value) {
    if (Literal("0x") || Literal("0X")) return Hex(value);
    uint64_t v = 0;
    int digits = 0;
    while (Peek() >= '0' && Peek() <= '9') {
      v = v * 10 + static_cast<uint64_t>(Peek() - '0');
      if (v > 0xFFFFFFFFu) return false;
      ++digits;
      ++Pos;
    }
    value = static_cast<uint32_t>(v);
    return digits > 0;
  }

private:
  static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }
  const std::string& Line;
  size_t Pos = 0;
};

// "CPUID 00000001: 00000633-00000000-00000000-0080F9FF ..."
bool ReadFirstForm(LineReader& r, uint32_t& leaf, CpuidLeaf& regs) {
  if (!r.Literal("CPUID")) return false;
  if (r.Peek() != ' ' && r.Peek() != '\t') return false;
  r.SkipBlanks();
  if (!r.Hex(leaf) || !r.Char(':')) return false;
  r.SkipBlanks();
  return r.Hex(regs.Eax) && r.Char('-') && r.Hex(regs.Ebx) && r.Char('-') && r.Hex(regs.Ecx) && r.Char('-') &&
         r.Hex(regs.Edx);
}

// "basic_cpuid[1]=00000633 00000000 00000000 0080f9ff" and "ext_cpuid[1]=..."
bool ReadSecondForm(LineReader& r, uint32_t& leaf, CpuidLeaf& regs) {
  uint32_t base;
  if (r.Literal("basic_cpuid["))
    base = 0;
  else if (r.Literal("ext_cpuid["))
    base = 0x80000000u;
  else
    return false;
  uint32_t index;
  if (!r.Index(index) || !r.Char(']')) return false;
  if (base != 0 && index >= 0x80000000u) return false;
  leaf = base + index;
  r.SkipBlanks();
  if (!r.Char('=')) return false;
  uint32_t* words[4] = {&regs.Eax, &regs.Ebx, &regs.Ecx, &regs.Edx};
  for (uint32_t* w : words) {
    r.SkipBlanks();
    if (!r.Hex(*w)) return false;
  }
  return true;
}

} // namespace

CpuidLeaf CpuidDump::ReadLeaf(uint32_t leaf) {
  auto it = Leaves.find(leaf);
  return it == Leaves.end() ? CpuidLeaf{} : it->second;
}

CpuidDump ParseCpuidDump(const std::string& text) {
  CpuidDump dump;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();

    LineReader r(line);
    r.SkipBlanks();
    uint32_t leaf = 0;
    CpuidLeaf regs;
    if (!ReadFirstForm(r, leaf, regs)) {
      LineReader again(line);
      again.SkipBlanks();
      regs = {};
      if (!ReadSecondForm(again, leaf, regs)) continue;
    }
    // Each processor's leaves start again at leaf 0.
    if (leaf == 0 && dump.Leaves.count(0)) break;
    dump.Leaves.emplace(leaf, regs);
  }
  if (!dump.Leaves.count(0)) throw Exception("The CPUID dump holds no leaf 0");
  return dump;
}

CpuidDump LoadCpuidDump(const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"), std::fclose);
  std::string text;
  char block[4096];
  for (size_t n; in && (n = std::fread(block, 1, sizeof block, in.get())) > 0;) text.append(block, n);
  if (!in || std::ferror(in.get())) throw Exception("Cannot read the CPUID dump " + path);
  try {
    return ParseCpuidDump(text);
  } catch (const Exception& e) {
    throw Exception(e.Message() + " (" + path + ")");
  }
}

std::string CpuidDumpLine(uint32_t leaf, const CpuidLeaf& regs) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "CPUID %08X: %08X-%08X-%08X-%08X", static_cast<unsigned>(leaf),
                static_cast<unsigned>(regs.Eax), static_cast<unsigned>(regs.Ebx), static_cast<unsigned>(regs.Ecx),
                static_cast<unsigned>(regs.Edx));
  return buf;
}

std::string WriteCpuidDump(CpuidSource& source) {
  if (!source.CpuidAvailable()) throw Exception("This processor has no CPUID instruction");
  std::string out;
  auto run = [&](uint32_t first) {
    CpuidLeaf head = source.ReadLeaf(first);
    // A processor without extended leaves answers 0x80000000 with something below it.
    uint32_t last = head.Eax >= first ? head.Eax : first;
    if (last - first >= MaxDumpLeaves) last = first + MaxDumpLeaves - 1;
    out += CpuidDumpLine(first, head) + "\r\n";
    for (uint32_t leaf = first + 1; leaf <= last && leaf > first; ++leaf)
      out += CpuidDumpLine(leaf, source.ReadLeaf(leaf)) + "\r\n";
  };
  run(0);
  run(0x80000000u);
  return out;
}

} // namespace qv
