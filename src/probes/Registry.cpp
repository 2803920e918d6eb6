#include "probes/Registry.h"

#include <algorithm>

namespace qv {

std::string RegistryStringText(uint32_t type, const uint8_t* data, std::size_t size) {
  if ((type != RegTypeString && type != RegTypeExpandString) || size == 0) return "";
  const uint8_t* end = std::find(data, data + size, uint8_t{0});
  return std::string(data, end);
}

std::optional<std::vector<uint8_t>> RegistryBinaryBytes(uint32_t type, const uint8_t* data, std::size_t size,
                                                        std::size_t bufferSize) {
  if (type != RegTypeBinary || size > bufferSize) return std::nullopt;
  return std::vector<uint8_t>(data, data + size);
}

std::optional<uint32_t> RegistryDwordNumber(uint32_t type, const uint8_t* data, std::size_t size) {
  if (type != RegTypeDword || size != 4) return std::nullopt;
  return uint32_t{data[0]} | uint32_t{data[1]} << 8 | uint32_t{data[2]} << 16 | uint32_t{data[3]} << 24;
}

} // namespace qv
