// The input as "lurnsmlx.idx" and as a block of "lurnsmlx.mb".
#include "common/formats/association_book.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const auto index = formats::AssociationIndex::Parse(bytes);
  FUZZ_CHECK(index.complete() == (size >= formats::kAssociationIndexSize));
  std::uint64_t offset = formats::kAssociationHeaderSize;
  for (std::size_t slot = 0; slot < formats::kAssociationSlotCount; ++slot) {
    const auto range = index.SlotRange(slot);
    FUZZ_CHECK(range.offset == offset && range.length == index.SlotLength(slot));
    offset += range.length;
  }
  formats::AssociationEntryReader entries(bytes);
  std::size_t covered = 0;
  while (const auto entry = entries.Next()) {
    FUZZ_CHECK(entry->offset == covered);
    covered += entry->text.size() + 4;
    FUZZ_CHECK(entry->Text().size() == entry->length());
  }
  FUZZ_CHECK(entries.damaged() == (covered != size));
  return 0;
}
