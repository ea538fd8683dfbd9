#include "common/formats/length_table.h"

#include <algorithm>

#include "common/formats/byte_io.h"

namespace formats {

BookRange ClampRange(BookRange range, std::uint64_t fileSize) {
  if (range.offset >= fileSize) return {fileSize, 0};
  return {range.offset, std::min(range.length, fileSize - range.offset)};
}

std::span<const std::uint8_t> RangeBytes(std::span<const std::uint8_t> file, BookRange range) {
  const BookRange held = ClampRange(range, file.size());
  return file.subspan(static_cast<std::size_t>(held.offset), static_cast<std::size_t>(held.length));
}

LengthTable LengthTable::Read(std::span<const std::uint8_t> bytes, std::size_t at,
                              std::size_t count, std::size_t width) {
  LengthTable table;
  table.starts_.assign(count + 1, 0);
  std::uint64_t sum = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t pos = at + i * width;
    std::uint64_t length = 0;
    if (pos <= bytes.size() && bytes.size() - pos >= width) {
      length = width == 2 ? LoadU16(bytes, pos) : LoadU32(bytes, pos);
    } else {
      table.complete_ = false;
    }
    sum += length;
    table.starts_[i + 1] = sum;
  }
  return table;
}

std::uint64_t LengthTable::Length(std::size_t index) const {
  if (index >= size()) return 0;
  return starts_[index + 1] - starts_[index];
}

BookRange LengthTable::Range(std::uint64_t base, std::size_t first, std::size_t last) const {
  if (first >= size() || last < first) return {base + Total(), 0};
  last = std::min(last, size() - 1);
  return {base + starts_[first], starts_[last + 1] - starts_[first]};
}

}  // namespace formats
