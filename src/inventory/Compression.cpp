#include "inventory/Compression.h"

#include <zlib.h>

#include <new>

namespace qv {

std::string Compress(std::string_view bytes) {
  uLongf size = compressBound(static_cast<uLong>(bytes.size()));
  std::string out(size, '\0');
  // With room for the worst case the one failure left is a lack of memory.
  if (compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.data()),
               static_cast<uLong>(bytes.size())) != Z_OK)
    throw std::bad_alloc();
  out.resize(size);
  return out;
}

std::optional<std::string> Uncompress(std::string_view stream, std::size_t limit) {
  if (stream.size() > (1u << 30)) return std::nullopt;
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return std::nullopt;
  struct End {
    z_stream& Z;
    ~End() { inflateEnd(&Z); }
  } end{z};
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
  z.avail_in = static_cast<uInt>(stream.size());
  std::string out;
  char chunk[16384];
  int rc = Z_OK;
  while (rc != Z_STREAM_END) {
    z.next_out = reinterpret_cast<Bytef*>(chunk);
    z.avail_out = sizeof chunk;
    rc = inflate(&z, Z_NO_FLUSH);
    // Z_BUF_ERROR: the input ended before the stream did.
    if (rc != Z_OK && rc != Z_STREAM_END) return std::nullopt;
    out.append(chunk, sizeof chunk - z.avail_out);
    if (out.size() > limit) return std::nullopt;
  }
  return out;
}

} // namespace qv
