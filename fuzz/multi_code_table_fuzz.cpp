// "hkcs.cct": every record and the codes of every key, sorted or not.
#include "common/formats/multi_code_table.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const formats::MultiCodeTable table(std::span<const std::uint8_t>(data, size));
  FUZZ_CHECK(table.size() == size / formats::kMultiCodeRecordSize);
  for (std::size_t i = 0; i < table.size(); ++i) {
    const auto record = table.record(i);
    FUZZ_CHECK(record.code.size() <= 4);
    const auto codes = table.CodesOf(record.key);
    FUZZ_CHECK(codes.size() <= formats::kMaxCodesPerCharacter);
    for (const auto& code : codes) FUZZ_CHECK(code.key == record.key);
  }
  (void)table.CodesOf(0);
  (void)table.CodesOf(0xFFFF);
  return 0;
}
