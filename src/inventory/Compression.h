#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The zlib stream format (a two-byte header and a checksum at the end), which the inventory server
// reads and answers in: zlib's own compress(), not raw deflate.
std::string Compress(std::string_view bytes);

// What a zlib stream holds; nothing when the bytes are not one, or hold more than limit bytes.
// What follows the end of the stream is not looked at.
std::optional<std::string> Uncompress(std::string_view stream, std::size_t limit);

} // namespace qv
