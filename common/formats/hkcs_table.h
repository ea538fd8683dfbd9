#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/formats/write_result.h"

namespace formats {

inline constexpr std::size_t kHkcsRecordSize = 6;
inline constexpr char16_t kFirstPrivateUse = 0xE000;

// A private-use character and the two units shown and committed in its place.
struct HkcsRecord {
  char16_t key = 0;
  char16_t first = 0;
  char16_t second = 0;
  friend bool operator==(const HkcsRecord&, const HkcsRecord&) = default;
};

// "HKCS.mb": 6-byte records in file order; a trailing partial record is ignored. Refers to the
// bytes it was parsed from.
class HkcsTable {
 public:
  explicit HkcsTable(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::size_t size() const { return bytes_.size() / kHkcsRecordSize; }
  // index < size().
  HkcsRecord record(std::size_t index) const;
  // The first record with this key.
  std::optional<HkcsRecord> Find(char16_t key) const;
  // The first record whose replacement is this pair: the way back from the shown form.
  std::optional<HkcsRecord> FindReplacement(char16_t first, char16_t second) const;

 private:
  std::span<const std::uint8_t> bytes_;
};

// Records in the order given. Refused: a key below U+E000 (only private-use units are ever
// looked up).
WriteResult<std::vector<std::uint8_t>> WriteHkcsTable(std::span<const HkcsRecord> records);

}  // namespace formats
