// "pround.dat": the symbols read, written and read again.
#include <algorithm>

#include "common/formats/symbol_table.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto symbols = formats::ReadSymbols(std::span<const std::uint8_t>(data, size));
  const std::size_t read = std::min(size, formats::kMaxSymbolFileBytes);
  const std::size_t entries = read / 4 + (read % 4 >= 2 ? 1 : 0);
  FUZZ_CHECK(symbols.size() == std::min(entries, formats::kMaxSymbols));
  const auto written = formats::WriteSymbols(symbols);
  FUZZ_CHECK(written);
  FUZZ_CHECK(formats::ReadSymbols(*written) == symbols);
  return 0;
}
