#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace formats {

// A byte range of a book file.
struct BookRange {
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
  friend bool operator==(const BookRange&, const BookRange&) = default;
};

// The part of a range that a file of `fileSize` bytes holds: an index whose lengths add up to
// more than its book must not send a read past the book's end.
BookRange ClampRange(BookRange range, std::uint64_t fileSize);

// The bytes of a range of a file held whole in memory, clamped to what it holds.
std::span<const std::uint8_t> RangeBytes(std::span<const std::uint8_t> file, BookRange range);

// The per-bucket (or per-slot) block lengths of an index, with the running sums that turn a
// run of blocks into a byte range. Blocks follow one another with no gaps, so a block's offset
// is the sum of the lengths before it.
class LengthTable {
 public:
  LengthTable() = default;
  // Reads `count` little-endian lengths of `width` (2 or 4) bytes at `at`. An index cut short
  // keeps the lengths it holds whole; the missing ones count as empty blocks, so a damaged
  // index loses blocks but never points at the wrong bytes.
  static LengthTable Read(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t count,
                          std::size_t width);

  std::size_t size() const { return starts_.empty() ? 0 : starts_.size() - 1; }
  // False when some lengths lay past the end of the index bytes.
  bool complete() const { return complete_; }
  // 0 for an index past the end.
  std::uint64_t Length(std::size_t index) const;
  std::uint64_t Total() const { return starts_.empty() ? 0 : starts_.back(); }
  // Blocks `first` to `last` inclusive, at `base` plus the lengths before `first`; indexes past
  // the end are clamped, and a run that starts past the end is empty.
  BookRange Range(std::uint64_t base, std::size_t first, std::size_t last) const;

 private:
  std::vector<std::uint64_t> starts_;
  bool complete_ = true;
};

}  // namespace formats
