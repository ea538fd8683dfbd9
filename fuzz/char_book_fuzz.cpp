// A block of "lurnsmz.mb": every record and entry, and each sound record written back.
#include <vector>

#include "common/formats/byte_io.h"
#include "common/formats/code_book.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> block(data, size);
  formats::RecordReader reader(formats::EntryLayout::kCharacter, block);
  std::size_t expected = 0;
  while (const auto record = reader.Next()) {
    FUZZ_CHECK(record->offset == expected);
    FUZZ_CHECK(record->size >= formats::kPackedCodeSize && record->offset + record->size <= size);
    FUZZ_CHECK(record->code.size() <= formats::kMaxWordCodeLength);
    expected = record->offset + record->size;
    FUZZ_CHECK(reader.position() == expected);
    formats::CharEntryReader entries(record->entries);
    std::vector<std::uint8_t> rewritten(record->packed.begin(), record->packed.end());
    while (const auto entry = entries.Next()) {
      // No entry inside a record can hold the end mark, so each one encodes again.
      const auto bytes = formats::EncodeCharEntry(*entry);
      FUZZ_CHECK(bytes);
      rewritten.insert(rewritten.end(), bytes->begin(), bytes->end());
    }
    // Written back only when the entries fill the record up to its end mark.
    if (record->terminated &&
        record->size == formats::kPackedCodeSize + record->entries.size() + 2) {
      formats::AppendU16(rewritten, formats::kRecordEndMark);
      FUZZ_CHECK(std::equal(rewritten.begin(), rewritten.end(), block.begin() + record->offset,
                            block.begin() + record->offset + record->size));
    }
    if (!record->terminated) FUZZ_CHECK(reader.damaged());
  }
  FUZZ_CHECK(reader.damaged() || expected == size);
  return 0;
}
