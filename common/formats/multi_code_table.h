#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/formats/write_result.h"

namespace formats {

inline constexpr std::size_t kMultiCodeRecordSize = 14;
inline constexpr std::size_t kMaxCodesPerCharacter = 16;

// One code of a character.
struct MultiCodeRecord {
  char16_t key = 0;
  std::u16string code;  // up to 4 units, normally digits
  std::uint8_t flag = 0;
  friend bool operator==(const MultiCodeRecord&, const MultiCodeRecord&) = default;
};

// "hkcs.cct": 14-byte records sorted by key, all codes of a key adjacent; a trailing partial
// record is ignored. Refers to the bytes it was parsed from.
class MultiCodeTable {
 public:
  explicit MultiCodeTable(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::size_t size() const { return bytes_.size() / kMultiCodeRecordSize; }
  // index < size(). The code is the units before the first 0x0000 of its field, at most four;
  // a field without terminator gives its first four units.
  MultiCodeRecord record(std::size_t index) const;
  // The records of a key in file order, found by binary search; at most the first 16 of the
  // run. A table that is not sorted may hide keys but is read no further than its bytes.
  std::vector<MultiCodeRecord> CodesOf(char16_t key) const;

 private:
  char16_t KeyAt(std::size_t index) const;
  std::span<const std::uint8_t> bytes_;
};

// Sorted by key, keeping the given order among the codes of one key. Refused: a code that is
// not 1 to 4 ASCII digits, more than 16 codes for a key.
WriteResult<std::vector<std::uint8_t>> WriteMultiCodeTable(
    std::span<const MultiCodeRecord> records);

}  // namespace formats
