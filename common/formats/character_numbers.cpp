#include "common/formats/character_numbers.h"

#include "common/formats/association_book.h"

namespace formats {

bool CharacterNumbers::complete() const {
  return bytes_.size() >= kAssociationSlotCount;
}

std::uint8_t CharacterNumbers::NumberOf(char16_t unit) const {
  const auto slot = AssociationSlot(unit);
  if (!slot || *slot >= bytes_.size()) return kUnnumberedCharacter;
  return bytes_[*slot];
}

WriteResult<std::vector<std::uint8_t>> WriteCharacterNumbers(
    std::span<const std::pair<char16_t, std::uint8_t>> numbers) {
  std::vector<std::uint8_t> table(kAssociationSlotCount, kUnnumberedCharacter);
  std::vector<bool> given(kAssociationSlotCount, false);
  for (const auto& [unit, number] : numbers) {
    const auto slot = AssociationSlot(unit);
    if (!slot) return Refuse("a numbered character has no association slot");
    if (given[*slot]) return Refuse("a character is numbered twice");
    given[*slot] = true;
    table[*slot] = number;
  }
  return table;
}

}  // namespace formats
