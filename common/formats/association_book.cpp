#include "common/formats/association_book.h"

#include <limits>

#include "common/formats/byte_io.h"

namespace formats {
namespace {

constexpr char16_t kFirstIdeograph = 0x4E00;
constexpr char16_t kLastIdeograph = 0x9FA5;
constexpr char16_t kCircle = 0x25CB;
constexpr std::size_t kMaxAssociationUnits = 49;

std::string Hex(char16_t unit) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text = "U+";
  for (int shift = 12; shift >= 0; shift -= 4) text += digits[(unit >> shift) & 0xF];
  return text;
}

}  // namespace

std::optional<std::size_t> AssociationSlot(char16_t unit) {
  if (unit >= kFirstIdeograph && unit <= kLastIdeograph) return unit - kFirstIdeograph;
  if (unit == kCircle) return kAssociationSlotCount - 1;
  return std::nullopt;
}

char16_t AssociationCharacter(std::size_t slot) {
  if (slot + 1 == kAssociationSlotCount) return kCircle;
  if (slot + 1 > kAssociationSlotCount) return 0;
  return static_cast<char16_t>(kFirstIdeograph + slot);
}

AssociationIndex AssociationIndex::Parse(std::span<const std::uint8_t> bytes) {
  AssociationIndex index;
  index.lengths_ = LengthTable::Read(bytes, kAssociationHeaderSize, kAssociationSlotCount, 2);
  return index;
}

BookRange AssociationIndex::SlotRange(std::size_t slot) const {
  return lengths_.Range(kAssociationHeaderSize, slot, slot);
}

char16_t AssociationEntry::Unit(std::size_t index) const {
  return static_cast<char16_t>(LoadU16(text, index * 2));
}

std::u16string AssociationEntry::Text() const {
  std::u16string units(length(), u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) units[i] = Unit(i);
  return units;
}

std::optional<AssociationEntry> AssociationEntryReader::Next() {
  if (damaged_ || position_ >= block_.size()) return std::nullopt;
  std::size_t end = position_;
  while (block_.size() - end >= 2 && LoadU16(block_, end) != kAssociationTextEnd) end += 2;
  if (block_.size() - end < 4) {
    damaged_ = true;
    return std::nullopt;
  }
  AssociationEntry entry;
  entry.offset = position_;
  entry.text = block_.subspan(position_, end - position_);
  entry.value = LoadU16(block_, end + 2);
  position_ = end + 4;
  return entry;
}

WriteResult<AssociationImage> BuildAssociationBook(std::span<const AssociationBlock> blocks) {
  std::vector<const AssociationBlock*> bySlot(kAssociationSlotCount, nullptr);
  for (const AssociationBlock& block : blocks) {
    const auto slot = AssociationSlot(block.character);
    if (!slot) return Refuse(Hex(block.character) + " has no association slot");
    if (bySlot[*slot]) return Refuse(Hex(block.character) + " has two blocks");
    bySlot[*slot] = &block;
  }
  AssociationImage image;
  image.index.assign(kAssociationHeaderSize, 0);
  image.book.assign(kAssociationHeaderSize, 0);
  for (const AssociationBlock* block : bySlot) {
    const std::size_t start = image.book.size();
    if (block) {
      for (const AssociationEntryData& entry : block->entries) {
        if (entry.text.empty() || entry.text.size() > kMaxAssociationUnits) {
          return Refuse("a follow-on of " + Hex(block->character) + " is not 1 to 49 units");
        }
        for (char16_t unit : entry.text) {
          if (unit == kAssociationTextEnd) {
            return Refuse("a follow-on of " + Hex(block->character) + " holds 0xFFFF");
          }
          AppendU16(image.book, unit);
        }
        AppendU16(image.book, kAssociationTextEnd);
        AppendU16(image.book, entry.value);
      }
    }
    const std::size_t length = image.book.size() - start;
    if (length > std::numeric_limits<std::uint16_t>::max()) {
      return Refuse("the block of " + Hex(block->character) + " is longer than 65535 bytes");
    }
    AppendU16(image.index, static_cast<std::uint16_t>(length));
  }
  return image;
}

}  // namespace formats
