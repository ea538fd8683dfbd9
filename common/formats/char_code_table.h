#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "common/formats/write_result.h"

namespace formats {

inline constexpr std::size_t kCharCodeTableSize = 65536 * 2;
inline constexpr std::uint8_t kNoDigit = 0xF;

// A character's code as four half-bytes in reading order; kNoDigit marks a position without a
// digit (a three-digit code 527 is 0x527F).
struct CharCode {
  std::uint16_t value = 0xFFFF;
  // k = 1..4.
  std::uint8_t Digit(int k) const { return (value >> (16 - 4 * k)) & 0xF; }
  // The digits, leaving out every kNoDigit position.
  std::string Digits() const;
};

// "FtAutoZIndex.dat": two bytes for every UTF-16 unit, the unit's code. Refers to the bytes it
// was parsed from.
class CharCodeTable {
 public:
  explicit CharCodeTable(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool complete() const { return bytes_.size() >= kCharCodeTableSize; }
  // Empty for 0xFFFF (no code) and for a unit whose entry lies past the end of a short table.
  std::optional<CharCode> CodeOf(char16_t unit) const;

 private:
  std::span<const std::uint8_t> bytes_;
};

// The whole table, 0xFFFF for every unit not given. Refused: a code that is not 1 to 4 digits,
// a unit given twice.
WriteResult<std::vector<std::uint8_t>> WriteCharCodeTable(
    std::span<const std::pair<char16_t, std::string>> codes);

}  // namespace formats
