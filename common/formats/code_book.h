#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/formats/numeric_code.h"
#include "common/formats/write_result.h"

namespace formats {

inline constexpr std::size_t kBookHeaderSize = 64;  // index and both books; not interpreted
inline constexpr std::uint16_t kRecordEndMark = 0xFFFF;
inline constexpr std::size_t kCharEntrySize = 8;
inline constexpr std::size_t kMaxWordUnits = 49;
// Large word ranges are read in pieces of the read cache's size, and a piece is parsed only
// while 1024 bytes remain, so no record of a word-layout book may reach 1024 bytes.
inline constexpr std::size_t kReadCacheSize = 393216;
inline constexpr std::size_t kMaxWordRecordSize = 1023;

// How the entries of a record are laid out: 8-byte character entries ("lurnsmz.mb") or
// terminated texts with two trailing words ("lurnsmc.mb" and the professional book).
enum class EntryLayout { kCharacter, kWord };

// One code record of a block: the packed code, the entries, the end mark 0xFFFF.
struct CodeRecord {
  PackedCode packed{};  // the first two bytes are the code hint of a wildcard match
  DecodedCode code;
  std::size_t offset = 0;                 // of the record within the block
  std::size_t size = 0;                   // bytes from `offset` to the next record
  std::span<const std::uint8_t> entries;  // whole entries only, end mark excluded
  bool terminated = false;                // false: the block ended inside this record

  std::size_t entriesOffset() const { return offset + kPackedCodeSize; }
};

// Walks the records of a block (or of several consecutive blocks) in file order.
//
// A character record ends at the first uint16 0xFFFF after its code, the rule by which a
// search skips records it does not want; a word record ends at 0xFFFF where an entry would
// begin. When the block ends inside a record, that record is still returned with
// `terminated` false and only its whole entries, and the walk stops there; fewer than three
// bytes left over stop the walk too. Both count as damage.
class RecordReader {
 public:
  RecordReader(EntryLayout layout, std::span<const std::uint8_t> block)
      : layout_(layout), block_(block) {}

  std::optional<CodeRecord> Next();
  // Where the next record starts.
  std::size_t position() const { return position_; }
  bool damaged() const { return damaged_; }

 private:
  EntryLayout layout_;
  std::span<const std::uint8_t> block_;
  std::size_t position_ = 0;
  bool damaged_ = false;
};

struct CharEntry {
  char16_t character = 0;
  std::uint16_t attribute1 = 0;  // carried for the frequency tool
  std::uint16_t sortKey = 0;     // orders wildcard results, smaller first
  std::uint16_t attribute2 = 0;  // carried for the frequency tool
  friend bool operator==(const CharEntry&, const CharEntry&) = default;
};

// The character entries of a record's entry bytes; a trailing partial entry is ignored.
class CharEntryReader {
 public:
  explicit CharEntryReader(std::span<const std::uint8_t> entries) : entries_(entries) {}
  std::optional<CharEntry> Next();
  std::size_t count() const { return entries_.size() / kCharEntrySize; }

 private:
  std::span<const std::uint8_t> entries_;
  std::size_t position_ = 0;
};

// A word entry as stored: the text's little-endian units, the 0x0000 terminator, two words.
struct WordEntry {
  std::span<const std::uint8_t> text;  // 2 * length() bytes, terminator excluded
  std::uint16_t attribute = 0;         // carried for the frequency tool
  std::uint16_t sortKey = 0;           // orders wildcard results, larger first
  std::size_t offset = 0;              // within the bytes given to the reader

  std::size_t length() const { return text.size() / 2; }
  std::size_t size() const { return text.size() + 6; }
  char16_t Unit(std::size_t index) const;
  std::u16string Text() const;
};

// The word entries of a record's entry bytes, or of a block from an entry offset on: stops at
// an end mark, at the end of the bytes, or at an entry without terminator or trailing words
// (which sets damaged()). The reader does not judge lengths; entries of 50 or more units, or
// of none in a damaged book, are returned like any other.
class WordEntryReader {
 public:
  explicit WordEntryReader(std::span<const std::uint8_t> entries) : entries_(entries) {}
  std::optional<WordEntry> Next();
  bool damaged() const { return damaged_; }
  // Where the next entry (or the end mark) starts.
  std::size_t position() const { return position_; }

 private:
  std::span<const std::uint8_t> entries_;
  std::size_t position_ = 0;
  bool damaged_ = false;
};

// What the data compiler hands the writers.
struct CharRecord {
  std::string code;  // 1 to 4 digits
  std::vector<CharEntry> entries;
};
struct WordEntryData {
  std::u16string text;  // 1 to 49 units
  std::uint16_t attribute = 0;
  std::uint16_t sortKey = 0;
};
struct WordRecord {
  std::string code;  // 1 to 6 digits
  std::vector<WordEntryData> entries;
};

// A book file and the bucket lengths its index must carry.
template <typename Length>
struct CodeBookImage {
  std::vector<std::uint8_t> book;
  std::array<Length, kBucketCount> lengths{};
};
using CharBookImage = CodeBookImage<std::uint16_t>;
using WordBookImage = CodeBookImage<std::uint32_t>;

// Bucket by bucket, each bucket's records in the order given, after a zero header. Refused: a
// code that is not 1 to 4 digits, two records of one code, any uint16 0xFFFF in an entry, a
// bucket longer than 65,535 bytes, blocks larger than the read cache (the character book is
// always read in one piece).
WriteResult<CharBookImage> BuildCharBook(std::span<const CharRecord> records);

// As above for words. Refused besides: a code longer than 6 digits, a text of 0 or more than 49
// units, holding 0x0000 or beginning with 0xFFFF, and a record of 1024 bytes or more.
WriteResult<WordBookImage> BuildWordBook(std::span<const WordRecord> records);

// The blocks of word records without a header, for the word book and the professional book.
// When `mask` is not empty, every text whose bytes are not more than the mask is stored XORed
// with it; a text whose masked form would read as a terminator or an end mark is refused.
struct WordBlocks {
  std::vector<std::uint8_t> bytes;
  std::array<std::uint64_t, kBucketCount> lengths{};
};
WriteResult<WordBlocks> LayOutWordRecords(std::span<const WordRecord> records,
                                          std::span<const std::uint8_t> mask);

// Single entries in book layout, for rewriting the entries of a record in place.
WriteResult<std::array<std::uint8_t, kCharEntrySize>> EncodeCharEntry(const CharEntry& entry);
WriteResult<std::vector<std::uint8_t>> EncodeWordEntry(const WordEntryData& entry);

}  // namespace formats
