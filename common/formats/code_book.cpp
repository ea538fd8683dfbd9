#include "common/formats/code_book.h"

#include <limits>
#include <set>

#include "common/formats/byte_io.h"

namespace formats {
namespace {

// End of the word entry that starts at `at` (whose first unit is not the end mark), or empty
// when the bytes end before its terminator and trailing words.
std::optional<std::size_t> WordEntryEnd(std::span<const std::uint8_t> bytes, std::size_t at) {
  std::size_t unit = at;
  while (bytes.size() - unit >= 2 && LoadU16(bytes, unit) != 0) unit += 2;
  if (bytes.size() - unit < 2 + 4) return std::nullopt;
  return unit + 2 + 4;
}

std::string Quoted(std::string_view code) {
  std::string quoted(1, '"');
  quoted.append(code);
  quoted.push_back('"');
  return quoted;
}

// Groups records by bucket, keeping the given order inside a bucket.
template <typename Record>
WriteResult<std::array<std::vector<const Record*>, kBucketCount>> SortIntoBuckets(
    std::span<const Record> records, std::size_t maxCodeLength) {
  std::array<std::vector<const Record*>, kBucketCount> buckets;
  std::set<std::string> seen;
  for (const Record& record : records) {
    if (!IsCode(record.code, maxCodeLength, false)) {
      return Refuse("code " + Quoted(record.code) + " is not 1 to " +
                    std::to_string(maxCodeLength) + " digits");
    }
    // An exact lookup stops at the first record of its code: a second one would never be seen.
    if (!seen.insert(record.code).second) {
      return Refuse("code " + Quoted(record.code) + " has two records");
    }
    buckets[*BucketOf(record.code)].push_back(&record);
  }
  return buckets;
}

void AppendPacked(std::vector<std::uint8_t>& out, std::string_view code) {
  const PackedCode packed = *PackCode(code);
  out.insert(out.end(), packed.begin(), packed.end());
}

// The units of a text as they are stored, masked when the mask covers the whole text.
WriteResult<std::vector<std::uint8_t>> StoredText(std::u16string_view text,
                                                  std::span<const std::uint8_t> mask) {
  if (text.empty() || text.size() > kMaxWordUnits) {
    return Refuse("a word text of " + std::to_string(text.size()) + " units is not 1 to " +
                  std::to_string(kMaxWordUnits) + " units");
  }
  std::vector<std::uint8_t> stored;
  for (char16_t unit : text) {
    if (unit == 0) return Refuse("a word text holds the terminator 0x0000");
    AppendU16(stored, unit);
  }
  if (!mask.empty() && stored.size() <= mask.size()) {
    for (std::size_t i = 0; i < stored.size(); ++i) stored[i] ^= mask[i];
  }
  for (std::size_t i = 0; i < stored.size(); i += 2) {
    if (LoadU16(stored, i) == 0) return Refuse("a masked word text would hold 0x0000");
  }
  if (LoadU16(stored, 0) == kRecordEndMark) {
    return Refuse("a word text would begin with the end mark 0xFFFF");
  }
  return stored;
}

WriteResult<std::vector<std::uint8_t>> EncodeWordEntry(const WordEntryData& entry,
                                                       std::span<const std::uint8_t> mask) {
  auto stored = StoredText(entry.text, mask);
  if (!stored) return Refuse(stored.error());
  std::vector<std::uint8_t> out = *std::move(stored);
  AppendU16(out, 0);
  AppendU16(out, entry.attribute);
  AppendU16(out, entry.sortKey);
  return out;
}

}  // namespace

std::optional<CodeRecord> RecordReader::Next() {
  if (damaged_ || position_ >= block_.size()) return std::nullopt;
  if (block_.size() - position_ < kPackedCodeSize) {
    damaged_ = true;
    position_ = block_.size();
    return std::nullopt;
  }
  CodeRecord record;
  record.offset = position_;
  const auto packed = block_.subspan(position_).first<kPackedCodeSize>();
  std::copy(packed.begin(), packed.end(), record.packed.begin());
  record.code = UnpackCode(packed);

  const std::size_t start = position_ + kPackedCodeSize;
  std::size_t at = start;
  std::size_t entriesEnd = start;
  if (layout_ == EntryLayout::kCharacter) {
    while (block_.size() - at >= 2 && LoadU16(block_, at) != kRecordEndMark) at += 2;
    record.terminated = block_.size() - at >= 2;
    entriesEnd = start + (at - start) / kCharEntrySize * kCharEntrySize;
  } else {
    while (block_.size() - at >= 2) {
      if (LoadU16(block_, at) == kRecordEndMark) {
        record.terminated = true;
        break;
      }
      const auto end = WordEntryEnd(block_, at);
      if (!end) break;
      at = entriesEnd = *end;
    }
  }
  record.entries = block_.subspan(start, entriesEnd - start);
  if (record.terminated) {
    position_ = at + 2;
  } else {
    position_ = block_.size();
    damaged_ = true;
  }
  record.size = position_ - record.offset;
  return record;
}

std::optional<CharEntry> CharEntryReader::Next() {
  if (entries_.size() - position_ < kCharEntrySize) return std::nullopt;
  const CharEntry entry{static_cast<char16_t>(LoadU16(entries_, position_)),
                        LoadU16(entries_, position_ + 2), LoadU16(entries_, position_ + 4),
                        LoadU16(entries_, position_ + 6)};
  position_ += kCharEntrySize;
  return entry;
}

char16_t WordEntry::Unit(std::size_t index) const {
  return static_cast<char16_t>(LoadU16(text, index * 2));
}

std::u16string WordEntry::Text() const {
  std::u16string units(length(), u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) units[i] = Unit(i);
  return units;
}

std::optional<WordEntry> WordEntryReader::Next() {
  if (damaged_ || entries_.size() - position_ < 2) return std::nullopt;
  if (LoadU16(entries_, position_) == kRecordEndMark) return std::nullopt;
  const auto end = WordEntryEnd(entries_, position_);
  if (!end) {
    damaged_ = true;
    return std::nullopt;
  }
  WordEntry entry;
  entry.offset = position_;
  entry.text = entries_.subspan(position_, *end - 6 - position_);
  entry.attribute = LoadU16(entries_, *end - 4);
  entry.sortKey = LoadU16(entries_, *end - 2);
  position_ = *end;
  return entry;
}

WriteResult<std::array<std::uint8_t, kCharEntrySize>> EncodeCharEntry(const CharEntry& entry) {
  std::vector<std::uint8_t> out;
  for (std::uint16_t value : {static_cast<std::uint16_t>(entry.character), entry.attribute1,
                              entry.sortKey, entry.attribute2}) {
    // A search that skips a record looks for the first 0xFFFF, wherever it lies.
    if (value == kRecordEndMark) return Refuse("a character entry holds 0xFFFF");
    AppendU16(out, value);
  }
  std::array<std::uint8_t, kCharEntrySize> bytes{};
  std::copy(out.begin(), out.end(), bytes.begin());
  return bytes;
}

WriteResult<std::vector<std::uint8_t>> EncodeWordEntry(const WordEntryData& entry) {
  return EncodeWordEntry(entry, {});
}

WriteResult<CharBookImage> BuildCharBook(std::span<const CharRecord> records) {
  auto buckets = SortIntoBuckets(records, kMaxCharCodeLength);
  if (!buckets) return Refuse(buckets.error());
  CharBookImage image;
  image.book.assign(kBookHeaderSize, 0);
  for (std::size_t b = 0; b < kBucketCount; ++b) {
    const std::size_t blockStart = image.book.size();
    for (const CharRecord* record : (*buckets)[b]) {
      AppendPacked(image.book, record->code);
      for (const CharEntry& entry : record->entries) {
        const auto bytes = EncodeCharEntry(entry);
        if (!bytes) return Refuse(bytes.error() + " (code " + Quoted(record->code) + ")");
        image.book.insert(image.book.end(), bytes->begin(), bytes->end());
      }
      AppendU16(image.book, kRecordEndMark);
    }
    const std::size_t length = image.book.size() - blockStart;
    if (length > std::numeric_limits<std::uint16_t>::max()) {
      return Refuse("bucket " + std::to_string(b) + " is longer than 65535 bytes");
    }
    image.lengths[b] = static_cast<std::uint16_t>(length);
  }
  if (image.book.size() - kBookHeaderSize > kReadCacheSize) {
    return Refuse("the character blocks do not fit the read cache of 393216 bytes");
  }
  return image;
}

WriteResult<WordBlocks> LayOutWordRecords(std::span<const WordRecord> records,
                                          std::span<const std::uint8_t> mask) {
  auto buckets = SortIntoBuckets(records, kMaxWordCodeLength);
  if (!buckets) return Refuse(buckets.error());
  WordBlocks blocks;
  for (std::size_t b = 0; b < kBucketCount; ++b) {
    const std::size_t blockStart = blocks.bytes.size();
    for (const WordRecord* record : (*buckets)[b]) {
      const std::size_t recordStart = blocks.bytes.size();
      AppendPacked(blocks.bytes, record->code);
      for (const WordEntryData& entry : record->entries) {
        const auto bytes = EncodeWordEntry(entry, mask);
        if (!bytes) return Refuse(bytes.error() + " (code " + Quoted(record->code) + ")");
        blocks.bytes.insert(blocks.bytes.end(), bytes->begin(), bytes->end());
      }
      AppendU16(blocks.bytes, kRecordEndMark);
      if (blocks.bytes.size() - recordStart > kMaxWordRecordSize) {
        return Refuse("the record of code " + Quoted(record->code) + " is 1024 bytes or more");
      }
    }
    blocks.lengths[b] = blocks.bytes.size() - blockStart;
  }
  return blocks;
}

WriteResult<WordBookImage> BuildWordBook(std::span<const WordRecord> records) {
  auto blocks = LayOutWordRecords(records, {});
  if (!blocks) return Refuse(blocks.error());
  WordBookImage image;
  image.book.assign(kBookHeaderSize, 0);
  image.book.insert(image.book.end(), blocks->bytes.begin(), blocks->bytes.end());
  for (std::size_t b = 0; b < kBucketCount; ++b) {
    if (blocks->lengths[b] > std::numeric_limits<std::uint32_t>::max()) {
      return Refuse("bucket " + std::to_string(b) + " is longer than 4 GiB");
    }
    image.lengths[b] = static_cast<std::uint32_t>(blocks->lengths[b]);
  }
  return image;
}

}  // namespace formats
