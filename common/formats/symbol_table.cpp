#include "common/formats/symbol_table.h"

#include <algorithm>

#include "common/formats/byte_io.h"

namespace formats {

std::vector<char16_t> ReadSymbols(std::span<const std::uint8_t> bytes) {
  bytes = bytes.first(std::min(bytes.size(), kMaxSymbolFileBytes));
  std::vector<char16_t> symbols;
  for (std::size_t at = 0; bytes.size() - at >= 2 && symbols.size() < kMaxSymbols;
       at += kSymbolEntrySize) {
    symbols.push_back(static_cast<char16_t>(LoadU16(bytes, at)));
    if (bytes.size() - at < kSymbolEntrySize) break;
  }
  return symbols;
}

WriteResult<std::vector<std::uint8_t>> WriteSymbols(std::span<const char16_t> symbols) {
  if (symbols.size() > kMaxSymbols) return Refuse("more than 1999 symbols");
  std::vector<std::uint8_t> out;
  for (char16_t symbol : symbols) {
    AppendU16(out, symbol);
    AppendU16(out, 0);
  }
  return out;
}

}  // namespace formats
