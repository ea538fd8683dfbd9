// "FtAutoZIndex.dat": the code of every unit, short tables included.
#include "common/formats/char_code_table.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const formats::CharCodeTable table(std::span<const std::uint8_t>(data, size));
  FUZZ_CHECK(table.complete() == (size >= formats::kCharCodeTableSize));
  for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
    const auto code = table.CodeOf(static_cast<char16_t>(unit));
    const bool held = 2 * unit + 2 <= size;
    FUZZ_CHECK(!code || held);
    if (code) {
      FUZZ_CHECK(code->value != 0xFFFF);
      FUZZ_CHECK(code->Digits().size() <= 4);
    }
  }
  return 0;
}
