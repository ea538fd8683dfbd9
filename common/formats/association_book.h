#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/formats/length_table.h"
#include "common/formats/write_result.h"

namespace formats {

// U+4E00..U+9FA5 have slots 0..20901 and U+25CB ("○") slot 20902; nothing else has one.
inline constexpr std::size_t kAssociationSlotCount = 20903;
inline constexpr std::size_t kAssociationHeaderSize = 64;
inline constexpr std::size_t kAssociationIndexSize =
    kAssociationHeaderSize + kAssociationSlotCount * 2;
inline constexpr std::uint16_t kAssociationTextEnd = 0xFFFF;

std::optional<std::size_t> AssociationSlot(char16_t unit);
// The character of a slot; U+0000 for a slot past the end.
char16_t AssociationCharacter(std::size_t slot);

// "lurnsmlx.idx": the uint16 length of every slot's block in "lurnsmlx.mb".
class AssociationIndex {
 public:
  // Never fails: lengths past the end of a short index count as empty slots.
  static AssociationIndex Parse(std::span<const std::uint8_t> bytes);

  bool complete() const { return lengths_.complete(); }
  std::uint64_t SlotLength(std::size_t slot) const { return lengths_.Length(slot); }
  // The block of a slot in the book, after its 64-byte header.
  BookRange SlotRange(std::size_t slot) const;

 private:
  LengthTable lengths_;
};

// A follow-on text as stored: n little-endian units, 0xFFFF, and a value.
struct AssociationEntry {
  std::span<const std::uint8_t> text;  // 2 * length() bytes, end mark excluded
  std::uint16_t value = 0;             // carried, never used
  std::size_t offset = 0;              // within the block

  std::size_t length() const { return text.size() / 2; }
  char16_t Unit(std::size_t index) const;
  std::u16string Text() const;
};

// The entries of one block. A block has no end mark of its own: it ends with its bytes. An
// entry whose text end or value lies past the end stops the walk and sets damaged(). Entries
// of no units or of more than 49 are returned; the lookups skip them.
class AssociationEntryReader {
 public:
  explicit AssociationEntryReader(std::span<const std::uint8_t> block) : block_(block) {}
  std::optional<AssociationEntry> Next();
  bool damaged() const { return damaged_; }

 private:
  std::span<const std::uint8_t> block_;
  std::size_t position_ = 0;
  bool damaged_ = false;
};

struct AssociationEntryData {
  std::u16string text;  // 1 to 49 units, none of them 0xFFFF
  std::uint16_t value = 0;
};
struct AssociationBlock {
  char16_t character = 0;  // must have a slot
  std::vector<AssociationEntryData> entries;
};

struct AssociationImage {
  std::vector<std::uint8_t> index;
  std::vector<std::uint8_t> book;
};

// Both files, zero headers, blocks in slot order whatever the order given. Refused: a character
// without a slot or given twice, a text of 0 or more than 49 units or holding 0xFFFF, a block
// longer than 65,535 bytes.
WriteResult<AssociationImage> BuildAssociationBook(std::span<const AssociationBlock> blocks);

}  // namespace formats
