#include "common/formats/main_index.h"

#include "common/formats/byte_io.h"

namespace formats {

MainIndex MainIndex::Parse(std::span<const std::uint8_t> bytes) {
  MainIndex index;
  index.chars_ = LengthTable::Read(bytes, kCharLengthsOffset, kBucketCount, 2);
  index.words_ = LengthTable::Read(bytes, kWordLengthsOffset, kBucketCount, 4);
  return index;
}

std::uint64_t MainIndex::BucketLength(Book book, std::size_t bucket) const {
  return Table(book).Length(bucket);
}

BookRange MainIndex::Range(Book book, BucketSpan buckets) const {
  return Table(book).Range(kBookHeaderSize, buckets.first, buckets.last);
}

BookRange WholeBookRange(std::uint64_t bookSize) {
  if (bookSize <= kBookHeaderSize) return {kBookHeaderSize, 0};
  return {kBookHeaderSize, bookSize - kBookHeaderSize};
}

std::vector<std::uint8_t> WriteMainIndex(
    const std::array<std::uint16_t, kBucketCount>& charLengths,
    const std::array<std::uint32_t, kBucketCount>& wordLengths) {
  std::vector<std::uint8_t> out(kBookHeaderSize, 0);
  out.reserve(kMainIndexSize);
  for (std::uint16_t length : charLengths) AppendU16(out, length);
  for (std::uint32_t length : wordLengths) AppendU32(out, length);
  return out;
}

}  // namespace formats
