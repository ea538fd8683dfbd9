// "HKCS.mb": lookups both ways, and the records written back.
#include "common/formats/hkcs_table.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const formats::HkcsTable table(bytes);
  FUZZ_CHECK(table.size() == size / formats::kHkcsRecordSize);
  std::vector<formats::HkcsRecord> records;
  bool writable = true;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const auto record = table.record(i);
    records.push_back(record);
    writable = writable && record.key >= formats::kFirstPrivateUse;
    const auto found = table.Find(record.key);
    FUZZ_CHECK(found && found->key == record.key);
    const auto back = table.FindReplacement(record.first, record.second);
    FUZZ_CHECK(back && back->first == record.first && back->second == record.second);
  }
  const auto written = formats::WriteHkcsTable(records);
  FUZZ_CHECK(static_cast<bool>(written) == writable);
  if (written) FUZZ_CHECK(std::equal(written->begin(), written->end(), bytes.begin()));
  return 0;
}
