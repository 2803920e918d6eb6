#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// What the fuzz targets share: a reader that turns the fuzzer's bytes into values, and a check
// that stops the fuzzer on the spot but, when the native tests replay a saved input, becomes a
// test failure naming the condition.
namespace qv::fuzz {

// Thrown by FUZZ_CHECK in the replay build; not a std::exception, so that no catch-all in the
// code under test can swallow it.
struct CheckFailure {
  std::string What;
};

[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
#ifdef QUORVEL_FUZZ_REPLAY
  throw CheckFailure{std::string(file) + ":" + std::to_string(line) + ": " + condition};
#else
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
#endif
}

// Reads values off the front of the input; once it is used up, every value is zero or empty,
// so a target never has to ask how much is left.
class Input {
public:
  Input(const uint8_t* data, size_t size) : Data(data), Size(size) {}

  bool Empty() const { return Pos >= Size; }
  size_t Left() const { return Size - Pos; }

  uint8_t Byte() { return Pos < Size ? Data[Pos++] : 0; }
  bool Bool() { return Byte() & 1; }
  // Little-endian; each part read in its own statement, so the order is fixed.
  uint16_t U16() {
    uint16_t low = Byte();
    return static_cast<uint16_t>(low | Byte() << 8);
  }
  uint32_t U32() {
    uint32_t low = U16();
    return low | static_cast<uint32_t>(U16()) << 16;
  }
  uint64_t U64() {
    uint64_t low = U32();
    return low | static_cast<uint64_t>(U32()) << 32;
  }
  int Int() { return static_cast<int>(U32()); }
  // 0 .. count-1.
  size_t Pick(size_t count) { return count ? Byte() % count : 0; }
  template <typename T, size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Pick(N)];
  }
  // Up to maxLength bytes, the length taken from the input.
  std::vector<uint8_t> Bytes(size_t maxLength) {
    size_t length = maxLength > 255 ? U16() : Byte();
    length = length % (maxLength + 1);
    if (length > Left()) length = Left();
    std::vector<uint8_t> out(Data + Pos, Data + Pos + length);
    Pos += length;
    return out;
  }
  std::string Text(size_t maxLength) {
    auto bytes = Bytes(maxLength);
    return std::string(bytes.begin(), bytes.end());
  }
  // Everything not read yet.
  std::string Rest() {
    std::string out(reinterpret_cast<const char*>(Data + Pos), Left());
    Pos = Size;
    return out;
  }

private:
  const uint8_t* Data;
  size_t Size;
  size_t Pos = 0;
};

} // namespace qv::fuzz

#define FUZZ_CHECK(condition) ((condition) ? static_cast<void>(0) : ::qv::fuzz::Fail(#condition, __FILE__, __LINE__))
