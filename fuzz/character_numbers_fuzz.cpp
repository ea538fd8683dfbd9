// "gbkhznum.mb": the number of every unit that has a slot, 20 where the table ends.
#include "common/formats/association_book.h"
#include "common/formats/character_numbers.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const formats::CharacterNumbers numbers(std::span<const std::uint8_t>(data, size));
  for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
    const auto u = static_cast<char16_t>(unit);
    const auto slot = formats::AssociationSlot(u);
    const std::uint8_t expected =
        slot && *slot < size ? data[*slot] : formats::kUnnumberedCharacter;
    FUZZ_CHECK(numbers.NumberOf(u) == expected);
  }
  return 0;
}
