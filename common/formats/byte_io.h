#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace formats {

// Little-endian access to bytes whose bounds the caller has already checked.
inline std::uint16_t LoadU16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}
inline std::uint32_t LoadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
         (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}
inline void AppendU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
inline void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  AppendU16(out, static_cast<std::uint16_t>(value));
  AppendU16(out, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace formats
