#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/formats/code_book.h"
#include "common/formats/length_table.h"
#include "common/formats/numeric_code.h"
#include "common/formats/write_result.h"

namespace formats {

inline constexpr std::size_t kProfessionKeySize = 16;
inline constexpr std::size_t kProfessionMaskSize = 80;  // the key five times
inline constexpr std::size_t kProfessionTotalOffset = 16;
inline constexpr std::size_t kProfessionLengthsOffset = 32;
inline constexpr std::size_t kProfessionIndexSize = kProfessionLengthsOffset + kBucketCount * 2;

using ProfessionMask = std::array<std::uint8_t, kProfessionMaskSize>;

// "ProfessionCi.idx": the mask key, the total length of the book's blocks and the uint16
// length of every bucket's block in "ProfessionCi.MB", which has no header.
class ProfessionIndex {
 public:
  // Empty only when even the key is incomplete. A missing total counts as 0 and lengths past
  // the end of the bytes as empty buckets (complete() is then false).
  static std::optional<ProfessionIndex> Parse(std::span<const std::uint8_t> bytes);

  const ProfessionMask& mask() const { return mask_; }
  std::uint32_t totalLength() const { return total_; }
  bool complete() const { return complete_; }
  std::uint64_t BucketLength(std::size_t bucket) const { return lengths_.Length(bucket); }
  // Offsets start at 0: the book has no header.
  BookRange Range(BucketSpan buckets) const;
  // What a pattern beginning with '?' reads: the stored total, not the sum of the lengths.
  BookRange WholeBook() const { return {0, total_}; }

 private:
  ProfessionMask mask_{};
  std::uint32_t total_ = 0;
  LengthTable lengths_;
  bool complete_ = true;
};

// The text of a professional entry (found with RecordReader and WordEntryReader in the word
// layout): texts of at most 40 units are stored XORed with the mask, longer ones as they are.
std::u16string UnmaskedText(const WordEntry& entry, const ProfessionMask& mask);

struct ProfessionImage {
  std::vector<std::uint8_t> index;
  std::vector<std::uint8_t> book;
};

// Refuses what BuildWordBook refuses, a bucket longer than 65,535 bytes, and a text whose
// masked form would read as a terminator (a unit 0x0000) or begin with the end mark.
WriteResult<ProfessionImage> BuildProfessionBook(
    const std::array<std::uint8_t, kProfessionKeySize>& key, std::span<const WordRecord> records);

}  // namespace formats
