#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/formats/code_book.h"
#include "common/formats/length_table.h"
#include "common/formats/numeric_code.h"

namespace formats {

// The two code books the main index describes.
enum class Book { kCharacters, kWords };

inline constexpr std::size_t kCharLengthsOffset = 64;
inline constexpr std::size_t kWordLengthsOffset = kCharLengthsOffset + kBucketCount * 2;  // 2484
inline constexpr std::size_t kMainIndexSize = kWordLengthsOffset + kBucketCount * 4;      // 7324

// "lurn2008.idx": the byte length of every bucket's block in the character book (uint16) and in
// the word book (uint32).
class MainIndex {
 public:
  // Never fails: lengths that lie past the end of a short index count as empty buckets, and
  // complete() tells that it happened.
  static MainIndex Parse(std::span<const std::uint8_t> bytes);

  bool complete() const { return chars_.complete() && words_.complete(); }
  std::uint64_t BucketLength(Book book, std::size_t bucket) const;
  // The bytes of the blocks of a run of buckets, starting after the book's header.
  BookRange Range(Book book, BucketSpan buckets) const;

 private:
  const LengthTable& Table(Book book) const { return book == Book::kCharacters ? chars_ : words_; }
  LengthTable chars_;
  LengthTable words_;
};

// Everything after a book's header: the range a pattern beginning with '?' reads. A book
// shorter than its header gives an empty range.
BookRange WholeBookRange(std::uint64_t bookSize);

// A complete index with a zero header.
std::vector<std::uint8_t> WriteMainIndex(
    const std::array<std::uint16_t, kBucketCount>& charLengths,
    const std::array<std::uint32_t, kBucketCount>& wordLengths);

}  // namespace formats
