#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv {

// The program's pictures are stored packed: mostly flat colour and gradients, they shrink to a few
// per cent of their size. The packing is lossless (byte runs copied from earlier in the picture), so
// the unpacked bitmap is the drawn one, byte for byte.
//
// Packed form: "QPK1", the unpacked size (32 bits, little-endian), then sequences of
//   token (literal count in the high four bits, match length - 4 in the low four; 15 = more follows),
//   further count bytes (each 255 means another follows), the literals,
//   and, unless the input ends after the literals, a 16-bit little-endian distance back (1..65535)
//   followed by the further length bytes.
std::vector<uint8_t> PackBytes(const std::vector<uint8_t>& bytes);

// False (and `out` empty) for anything that is not a well-formed packed block: a bad header, a count
// or distance that reaches outside the block or the output, or a size that does not add up.
bool UnpackBytes(const uint8_t* packed, size_t size, std::vector<uint8_t>& out);

// A 24-bit uncompressed picture as stored in a bitmap file (file header included), rows top first.
struct ArtPicture {
  int Width = 0;
  int Height = 0;
  size_t Stride = 0;               // bytes per row: three per pixel, padded to a multiple of four
  const uint8_t* Pixels = nullptr; // inside the file's bytes; row y at Pixels + RowOffset(y)
  bool BottomUp = true;
  size_t RowOffset(int y) const { return (BottomUp ? static_cast<size_t>(Height - 1 - y) : y) * Stride; }
};

// Reads the headers of a bitmap file; false unless it is 24 bits, uncompressed, and all its rows lie
// inside `size`.
bool ReadArtPicture(const uint8_t* file, size_t size, ArtPicture& picture);

} // namespace qv
