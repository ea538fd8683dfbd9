#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/formats/write_result.h"

namespace formats {

inline constexpr std::size_t kSymbolEntrySize = 4;
inline constexpr std::size_t kMaxSymbolFileBytes = 65535;
inline constexpr std::size_t kMaxSymbols = 1999;

// "pround.dat": the symbols in file order, one unit from each 4-byte step of the first 65,535
// bytes, at most 1,999. A trailing partial entry counts when it still holds its two symbol
// bytes; a single byte left over holds no whole symbol and is dropped.
std::vector<char16_t> ReadSymbols(std::span<const std::uint8_t> bytes);

// Each symbol with two zero bytes. Refused: more than 1,999 symbols (the rest would never be
// offered).
WriteResult<std::vector<std::uint8_t>> WriteSymbols(std::span<const char16_t> symbols);

}  // namespace formats
