// "lurn2008.idx": ranges of every bucket and of patterns taken from the input.
#include <string>

#include "common/formats/byte_io.h"
#include "common/formats/main_index.h"
#include "fuzz/fuzz_check.h"

using formats::Book;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const auto index = formats::MainIndex::Parse(bytes);
  FUZZ_CHECK(index.complete() == (size >= formats::kMainIndexSize));
  for (Book book : {Book::kCharacters, Book::kWords}) {
    std::uint64_t offset = formats::kBookHeaderSize;
    for (std::size_t b = 0; b < formats::kBucketCount; ++b) {
      const auto range = index.Range(book, {b, b});
      FUZZ_CHECK(range.offset == offset);
      FUZZ_CHECK(range.length == index.BucketLength(book, b));
      offset += range.length;
    }
    FUZZ_CHECK(index.Range(book, {0, formats::kBucketCount - 1}).length ==
               offset - formats::kBookHeaderSize);
  }
  // The first bytes double as a pattern, which must never be trusted to be digits.
  const std::string pattern(bytes.begin(), bytes.begin() + std::min<std::size_t>(size, 7));
  if (const auto buckets = formats::BucketsOf(pattern)) {
    FUZZ_CHECK(buckets->span.first <= buckets->span.last);
    FUZZ_CHECK(buckets->span.last < formats::kBucketCount);
    (void)index.Range(Book::kWords, buckets->span);
  }
  // A whole index writes back to the same lengths.
  if (index.complete()) {
    std::array<std::uint16_t, formats::kBucketCount> chars{};
    std::array<std::uint32_t, formats::kBucketCount> words{};
    for (std::size_t b = 0; b < formats::kBucketCount; ++b) {
      chars[b] = static_cast<std::uint16_t>(index.BucketLength(Book::kCharacters, b));
      words[b] = static_cast<std::uint32_t>(index.BucketLength(Book::kWords, b));
    }
    const auto written = formats::WriteMainIndex(chars, words);
    FUZZ_CHECK(std::equal(written.begin() + formats::kBookHeaderSize, written.end(),
                          bytes.begin() + formats::kBookHeaderSize));
  }
  return 0;
}
