#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "common/formats/write_result.h"

namespace formats {

// The number of every character without a slot, and of a slot the table does not reach.
inline constexpr std::uint8_t kUnnumberedCharacter = 20;

// "gbkhznum.mb": one byte per association slot, the character number that orders the results
// of a search for words containing a text. Refers to the bytes it was parsed from.
class CharacterNumbers {
 public:
  explicit CharacterNumbers(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  // False for a table shorter than one byte per slot.
  bool complete() const;
  std::uint8_t NumberOf(char16_t unit) const;

 private:
  std::span<const std::uint8_t> bytes_;
};

// The whole table; characters not given get kUnnumberedCharacter. Refused: a character without
// an association slot, or given twice.
WriteResult<std::vector<std::uint8_t>> WriteCharacterNumbers(
    std::span<const std::pair<char16_t, std::uint8_t>> numbers);

}  // namespace formats
