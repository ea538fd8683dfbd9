#include "common/formats/multi_code_table.h"

#include <algorithm>

#include "common/formats/byte_io.h"

namespace formats {
namespace {

constexpr std::size_t kCodeFieldUnits = 5;
constexpr std::size_t kMaxCodeUnits = 4;
constexpr std::size_t kFlagOffset = 12;

}  // namespace

char16_t MultiCodeTable::KeyAt(std::size_t index) const {
  return static_cast<char16_t>(LoadU16(bytes_, index * kMultiCodeRecordSize));
}

MultiCodeRecord MultiCodeTable::record(std::size_t index) const {
  const std::size_t at = index * kMultiCodeRecordSize;
  MultiCodeRecord r;
  r.key = KeyAt(index);
  for (std::size_t i = 0; i < kMaxCodeUnits; ++i) {
    const auto unit = static_cast<char16_t>(LoadU16(bytes_, at + 2 + 2 * i));
    if (unit == 0) break;
    r.code.push_back(unit);
  }
  r.flag = bytes_[at + kFlagOffset];
  return r;
}

std::vector<MultiCodeRecord> MultiCodeTable::CodesOf(char16_t key) const {
  std::size_t low = 0;
  std::size_t high = size();
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (KeyAt(middle) < key) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  std::vector<MultiCodeRecord> codes;
  for (std::size_t i = low; i < size() && KeyAt(i) == key && codes.size() < kMaxCodesPerCharacter;
       ++i) {
    codes.push_back(record(i));
  }
  return codes;
}

WriteResult<std::vector<std::uint8_t>> WriteMultiCodeTable(
    std::span<const MultiCodeRecord> records) {
  std::vector<const MultiCodeRecord*> sorted;
  for (const MultiCodeRecord& r : records) {
    const bool digits = std::all_of(r.code.begin(), r.code.end(),
                                    [](char16_t unit) { return unit >= u'0' && unit <= u'9'; });
    if (r.code.empty() || r.code.size() > kMaxCodeUnits || !digits) {
      return Refuse("a code of the multi-code table is not 1 to 4 digits");
    }
    sorted.push_back(&r);
  }
  std::stable_sort(
      sorted.begin(), sorted.end(),
      [](const MultiCodeRecord* a, const MultiCodeRecord* b) { return a->key < b->key; });
  std::vector<std::uint8_t> out;
  out.reserve(sorted.size() * kMultiCodeRecordSize);
  std::size_t run = 0;
  for (std::size_t i = 0; i < sorted.size(); ++i) {
    run = (i > 0 && sorted[i]->key == sorted[i - 1]->key) ? run + 1 : 1;
    if (run > kMaxCodesPerCharacter) return Refuse("a character has more than 16 codes");
    AppendU16(out, sorted[i]->key);
    for (std::size_t u = 0; u < kCodeFieldUnits; ++u) {
      AppendU16(out, u < sorted[i]->code.size() ? sorted[i]->code[u] : 0);
    }
    out.push_back(sorted[i]->flag);
    out.push_back(0);
  }
  return out;
}

}  // namespace formats
