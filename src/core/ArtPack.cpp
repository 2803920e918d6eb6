#include "core/ArtPack.h"

#include <cstring>

namespace qv {

namespace {

constexpr uint8_t Magic[4] = {'Q', 'P', 'K', '1'};
constexpr size_t HeaderSize = 8;
constexpr size_t MinMatch = 4;
constexpr size_t MaxDistance = 65535;
constexpr int HashBits = 15;
constexpr int ChainDepth = 32;

uint32_t Read32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

uint32_t Hash4(const uint8_t* p) { return (Read32(p) * 2654435761u) >> (32 - HashBits); }

void PutCount(std::vector<uint8_t>& out, size_t n) {
  for (; n >= 255; n -= 255) out.push_back(255);
  out.push_back(static_cast<uint8_t>(n));
}

// Adds the rest of a count whose four bits in the token were 15; false when it runs off the block.
bool GetCount(const uint8_t*& p, const uint8_t* end, size_t& n) {
  for (;;) {
    if (p == end) return false;
    uint8_t b = *p++;
    n += b;
    if (b != 255) return true;
  }
}

void PutSequence(std::vector<uint8_t>& out, const uint8_t* literals, size_t literalCount, size_t distance,
                 size_t matchLength) {
  size_t extra = matchLength ? matchLength - MinMatch : 0;
  uint8_t token = static_cast<uint8_t>((literalCount < 15 ? literalCount : 15) << 4 | (extra < 15 ? extra : 15));
  out.push_back(token);
  if (literalCount >= 15) PutCount(out, literalCount - 15);
  out.insert(out.end(), literals, literals + literalCount);
  if (!matchLength) return;
  out.push_back(static_cast<uint8_t>(distance));
  out.push_back(static_cast<uint8_t>(distance >> 8));
  if (extra >= 15) PutCount(out, extra - 15);
}

} // namespace

std::vector<uint8_t> PackBytes(const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> out(Magic, Magic + 4);
  uint32_t size = static_cast<uint32_t>(bytes.size());
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(size >> (8 * i)));
  const uint8_t* data = bytes.data();
  const size_t n = bytes.size();
  std::vector<int32_t> head(size_t{1} << HashBits, -1);
  std::vector<int32_t> previous(n, -1);
  auto insert = [&](size_t at) {
    if (at + MinMatch > n) return;
    uint32_t h = Hash4(data + at);
    previous[at] = head[h];
    head[h] = static_cast<int32_t>(at);
  };
  size_t literalStart = 0;
  size_t at = 0;
  while (at + MinMatch <= n) {
    size_t bestLength = 0, bestDistance = 0;
    int32_t candidate = head[Hash4(data + at)];
    for (int depth = 0; candidate >= 0 && depth < ChainDepth; ++depth, candidate = previous[candidate]) {
      size_t distance = at - static_cast<size_t>(candidate);
      if (distance > MaxDistance) break;
      size_t length = 0;
      while (at + length < n && data[candidate + length] == data[at + length]) ++length;
      if (length > bestLength) {
        bestLength = length;
        bestDistance = distance;
      }
    }
    if (bestLength < MinMatch) {
      insert(at++);
      continue;
    }
    PutSequence(out, data + literalStart, at - literalStart, bestDistance, bestLength);
    for (size_t end = at + bestLength; at < end; ++at) insert(at);
    literalStart = at;
  }
  PutSequence(out, data + literalStart, n - literalStart, 0, 0);
  return out;
}

bool UnpackBytes(const uint8_t* packed, size_t size, std::vector<uint8_t>& out) {
  out.clear();
  if (size < HeaderSize || std::memcmp(packed, Magic, 4) != 0) return false;
  const size_t expected = Read32(packed + 4);
  out.reserve(expected);
  const uint8_t* p = packed + HeaderSize;
  const uint8_t* end = packed + size;
  for (;;) {
    if (p == end) break;
    uint8_t token = *p++;
    size_t literals = token >> 4;
    if (literals == 15 && !GetCount(p, end, literals)) break;
    if (literals > static_cast<size_t>(end - p) || literals > expected - out.size()) break;
    out.insert(out.end(), p, p + literals);
    p += literals;
    if (p == end) {
      if (out.size() == expected) return true;
      break;
    }
    if (end - p < 2) break;
    size_t distance = p[0] | p[1] << 8;
    p += 2;
    size_t length = (token & 15u);
    if (length == 15 && !GetCount(p, end, length)) break;
    length += MinMatch;
    if (distance == 0 || distance > out.size() || length > expected - out.size()) break;
    // The copy may overlap what it writes (a run): byte by byte on purpose.
    size_t from = out.size() - distance;
    for (size_t i = 0; i < length; ++i) out.push_back(out[from + i]);
  }
  out.clear();
  return false;
}

bool ReadArtPicture(const uint8_t* file, size_t size, ArtPicture& picture) {
  constexpr size_t FileHeader = 14, InfoHeader = 40;
  if (size < FileHeader + InfoHeader || file[0] != 'B' || file[1] != 'M') return false;
  const uint8_t* info = file + FileHeader;
  uint32_t offset = Read32(file + 10);
  int32_t width = static_cast<int32_t>(Read32(info + 4));
  int32_t height = static_cast<int32_t>(Read32(info + 8));
  unsigned bits = info[14] | info[15] << 8;
  uint32_t compression = Read32(info + 16);
  if (Read32(info) < InfoHeader || bits != 24 || compression != 0) return false;
  if (width <= 0 || height == 0 || width > 0x7FFF || height > 0x7FFF || height < -0x7FFF) return false;
  picture.Width = width;
  picture.BottomUp = height > 0;
  picture.Height = height > 0 ? height : -height;
  picture.Stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  if (offset > size || picture.Stride * picture.Height > size - offset) return false;
  picture.Pixels = file + offset;
  return true;
}

} // namespace qv
