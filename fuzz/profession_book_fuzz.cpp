// "ProfessionCi.idx" followed by "ProfessionCi.MB": index, ranges, and unmasked entries.
#include <algorithm>

#include "common/formats/profession_book.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  const auto indexBytes = input.first(std::min(size, formats::kProfessionIndexSize));
  const auto book = input.subspan(indexBytes.size());
  const auto index = formats::ProfessionIndex::Parse(indexBytes);
  FUZZ_CHECK(index.has_value() == (size >= formats::kProfessionKeySize));
  if (!index) return 0;
  // The first key bytes choose a run of buckets; the whole book is read as well.
  const std::size_t first = size >= 2 ? (input[0] | (input[1] << 8)) % formats::kBucketCount : 0;
  const std::size_t last = std::min(formats::kBucketCount - 1, first + (size >= 3 ? input[2] : 0));
  for (const auto range : {index->Range({first, last}), index->WholeBook()}) {
    formats::RecordReader records(formats::EntryLayout::kWord, formats::RangeBytes(book, range));
    while (const auto record = records.Next()) {
      formats::WordEntryReader entries(record->entries);
      while (const auto entry = entries.Next()) {
        FUZZ_CHECK(formats::UnmaskedText(*entry, index->mask()).size() == entry->length());
      }
    }
  }
  return 0;
}
