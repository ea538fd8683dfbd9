// A block of "lurnsmc.mb": every record and entry, and each sound record written back.
#include <vector>

#include "common/formats/byte_io.h"
#include "common/formats/code_book.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> block(data, size);
  formats::RecordReader reader(formats::EntryLayout::kWord, block);
  std::size_t expected = 0;
  while (const auto record = reader.Next()) {
    FUZZ_CHECK(record->offset == expected);
    FUZZ_CHECK(record->offset + record->size <= size);
    expected = record->offset + record->size;
    formats::WordEntryReader entries(record->entries);
    std::size_t covered = 0;
    bool writable = true;
    std::vector<std::uint8_t> rewritten(record->packed.begin(), record->packed.end());
    while (const auto entry = entries.Next()) {
      FUZZ_CHECK(entry->offset == covered);
      covered += entry->size();
      (void)entry->Text();
      const auto bytes =
          formats::EncodeWordEntry({entry->Text(), entry->attribute, entry->sortKey});
      if (bytes) {
        rewritten.insert(rewritten.end(), bytes->begin(), bytes->end());
      } else {
        // Only lengths outside 1..49 are refused: the reader already excludes the rest.
        FUZZ_CHECK(entry->length() == 0 || entry->length() > formats::kMaxWordUnits);
        writable = false;
      }
    }
    // The record's entries are exactly its whole entries.
    FUZZ_CHECK(!entries.damaged());
    FUZZ_CHECK(covered == record->entries.size());
    if (record->terminated && writable) {
      formats::AppendU16(rewritten, formats::kRecordEndMark);
      FUZZ_CHECK(std::equal(rewritten.begin(), rewritten.end(), block.begin() + record->offset,
                            block.begin() + record->offset + record->size));
    }
  }
  FUZZ_CHECK(reader.damaged() || expected == size);
  return 0;
}
