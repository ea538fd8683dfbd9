#include "common/formats/hkcs_table.h"

#include "common/formats/byte_io.h"

namespace formats {

HkcsRecord HkcsTable::record(std::size_t index) const {
  const std::size_t at = index * kHkcsRecordSize;
  return {static_cast<char16_t>(LoadU16(bytes_, at)),
          static_cast<char16_t>(LoadU16(bytes_, at + 2)),
          static_cast<char16_t>(LoadU16(bytes_, at + 4))};
}

std::optional<HkcsRecord> HkcsTable::Find(char16_t key) const {
  for (std::size_t i = 0; i < size(); ++i) {
    const HkcsRecord r = record(i);
    if (r.key == key) return r;
  }
  return std::nullopt;
}

std::optional<HkcsRecord> HkcsTable::FindReplacement(char16_t first, char16_t second) const {
  for (std::size_t i = 0; i < size(); ++i) {
    const HkcsRecord r = record(i);
    if (r.first == first && r.second == second) return r;
  }
  return std::nullopt;
}

WriteResult<std::vector<std::uint8_t>> WriteHkcsTable(std::span<const HkcsRecord> records) {
  std::vector<std::uint8_t> out;
  out.reserve(records.size() * kHkcsRecordSize);
  for (const HkcsRecord& r : records) {
    if (r.key < kFirstPrivateUse) return Refuse("an HKCS key is below U+E000");
    AppendU16(out, r.key);
    AppendU16(out, r.first);
    AppendU16(out, r.second);
  }
  return out;
}

}  // namespace formats
