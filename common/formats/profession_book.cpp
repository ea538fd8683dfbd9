#include "common/formats/profession_book.h"

#include <limits>

#include "common/formats/byte_io.h"

namespace formats {

std::optional<ProfessionIndex> ProfessionIndex::Parse(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kProfessionKeySize) return std::nullopt;
  ProfessionIndex index;
  for (std::size_t i = 0; i < kProfessionMaskSize; ++i) {
    index.mask_[i] = bytes[i % kProfessionKeySize];
  }
  if (bytes.size() >= kProfessionTotalOffset + 4) {
    index.total_ = LoadU32(bytes, kProfessionTotalOffset);
  } else {
    index.complete_ = false;
  }
  index.lengths_ = LengthTable::Read(bytes, kProfessionLengthsOffset, kBucketCount, 2);
  index.complete_ = index.complete_ && index.lengths_.complete();
  return index;
}

BookRange ProfessionIndex::Range(BucketSpan buckets) const {
  return lengths_.Range(0, buckets.first, buckets.last);
}

std::u16string UnmaskedText(const WordEntry& entry, const ProfessionMask& mask) {
  std::u16string text = entry.Text();
  if (entry.text.size() > mask.size()) return text;
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(text[i] ^ (mask[2 * i] | (mask[2 * i + 1] << 8)));
  }
  return text;
}

WriteResult<ProfessionImage> BuildProfessionBook(
    const std::array<std::uint8_t, kProfessionKeySize>& key, std::span<const WordRecord> records) {
  ProfessionMask mask{};
  for (std::size_t i = 0; i < mask.size(); ++i) mask[i] = key[i % key.size()];
  auto blocks = LayOutWordRecords(records, mask);
  if (!blocks) return Refuse(blocks.error());
  if (blocks->bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
    return Refuse("the professional book is larger than 4 GiB");
  }
  ProfessionImage image;
  image.index.assign(key.begin(), key.end());
  AppendU32(image.index, static_cast<std::uint32_t>(blocks->bytes.size()));
  image.index.resize(kProfessionLengthsOffset, 0);
  for (std::size_t b = 0; b < kBucketCount; ++b) {
    if (blocks->lengths[b] > std::numeric_limits<std::uint16_t>::max()) {
      return Refuse("bucket " + std::to_string(b) + " is longer than 65535 bytes");
    }
    AppendU16(image.index, static_cast<std::uint16_t>(blocks->lengths[b]));
  }
  image.book = (*std::move(blocks)).bytes;
  return image;
}

}  // namespace formats
