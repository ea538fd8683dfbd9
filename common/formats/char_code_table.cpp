#include "common/formats/char_code_table.h"

#include "common/formats/numeric_code.h"

namespace formats {

std::string CharCode::Digits() const {
  std::string digits;
  for (int k = 1; k <= 4; ++k) {
    if (Digit(k) != kNoDigit) digits += static_cast<char>('0' + Digit(k));
  }
  return digits;
}

std::optional<CharCode> CharCodeTable::CodeOf(char16_t unit) const {
  const std::size_t at = std::size_t{unit} * 2;
  if (bytes_.size() < at + 2) return std::nullopt;
  // Unlike every other table, the two bytes read in writing order: first digit highest.
  const auto value = static_cast<std::uint16_t>((bytes_[at] << 8) | bytes_[at + 1]);
  if (value == 0xFFFF) return std::nullopt;
  return CharCode{value};
}

WriteResult<std::vector<std::uint8_t>> WriteCharCodeTable(
    std::span<const std::pair<char16_t, std::string>> codes) {
  std::vector<std::uint8_t> table(kCharCodeTableSize, 0xFF);
  std::vector<bool> given(65536, false);
  for (const auto& [unit, code] : codes) {
    if (!IsCode(code, 4, false)) return Refuse("code \"" + code + "\" is not 1 to 4 digits");
    if (given[unit]) return Refuse("a unit has two codes");
    given[unit] = true;
    std::uint16_t value = 0xFFFF;
    for (std::size_t k = 0; k < code.size(); ++k) {
      const int shift = 12 - 4 * static_cast<int>(k);
      value = static_cast<std::uint16_t>((value & ~(0xF << shift)) | ((code[k] - '0') << shift));
    }
    table[std::size_t{unit} * 2] = static_cast<std::uint8_t>(value >> 8);
    table[std::size_t{unit} * 2 + 1] = static_cast<std::uint8_t>(value);
  }
  return table;
}

}  // namespace formats
