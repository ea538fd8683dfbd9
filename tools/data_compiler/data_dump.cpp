#include "tools/data_compiler/data_dump.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "common/formats/association_book.h"
#include "common/formats/char_code_table.h"
#include "common/formats/character_numbers.h"
#include "common/formats/code_book.h"
#include "common/formats/hkcs_table.h"
#include "common/formats/main_index.h"
#include "common/formats/multi_code_table.h"
#include "common/formats/profession_book.h"
#include "common/formats/symbol_table.h"
#include "common/formats/unicode_text.h"

namespace data_compiler {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::optional<Bytes> Load(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string Utf8(std::u16string_view text) {
  return formats::Utf16ToUtf8(text);
}

std::string CodePoint(char32_t cp) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, cp > 0xFFFF ? "U+%05X" : "U+%04X",
                static_cast<unsigned>(cp));
  return buffer;
}

std::string Join(std::initializer_list<std::string> fields) {
  std::string line;
  for (const std::string& field : fields) line += (line.empty() ? "" : "\t") + field;
  return line + "\n";
}

std::span<const std::uint8_t> AfterHeader(const Bytes& book) {
  return std::span<const std::uint8_t>(book).subspan(
      std::min(book.size(), formats::kBookHeaderSize));
}

std::string DumpCharBook(const Bytes& book) {
  std::string out;
  formats::RecordReader records(formats::EntryLayout::kCharacter, AfterHeader(book));
  while (const auto record = records.Next()) {
    formats::CharEntryReader entries(record->entries);
    while (const auto e = entries.Next()) {
      out += Join({std::string(record->code.view()), Utf8(std::u16string(1, e->character)),
                   std::to_string(e->sortKey), "0", std::to_string(e->attribute1), "-"});
    }
  }
  return out;
}

template <typename TextOf>
std::string DumpWordRecords(std::span<const std::uint8_t> blocks, const TextOf& textOf,
                            const char* suffix) {
  std::string out;
  formats::RecordReader records(formats::EntryLayout::kWord, blocks);
  while (const auto record = records.Next()) {
    formats::WordEntryReader entries(record->entries);
    while (const auto e = entries.Next()) {
      out += std::string(record->code.view()) + "\t" + Utf8(textOf(*e)) + "\t" +
             std::to_string(e->sortKey) + "\t" + std::to_string(e->attribute) + suffix + "\n";
    }
  }
  return out;
}

std::string DumpAssociations(const Bytes& index, const Bytes& book) {
  const auto parsed = formats::AssociationIndex::Parse(index);
  std::string out;
  for (std::size_t slot = 0; slot < formats::kAssociationSlotCount; ++slot) {
    const std::u16string head(1, formats::AssociationCharacter(slot));
    formats::AssociationEntryReader entries(formats::RangeBytes(book, parsed.SlotRange(slot)));
    while (const auto e = entries.Next()) {
      out += Join({Utf8(head), Utf8(e->Text()), std::to_string(e->value)});
    }
  }
  return out;
}

std::string DumpMainIndex(const Bytes& bytes) {
  const auto index = formats::MainIndex::Parse(bytes);
  std::string out;
  for (std::size_t b = 0; b < formats::kBucketCount; ++b) {
    const auto chars = index.BucketLength(formats::Book::kCharacters, b);
    const auto words = index.BucketLength(formats::Book::kWords, b);
    if (chars || words)
      out += Join({std::to_string(b), std::to_string(chars), std::to_string(words)});
  }
  return out;
}

// Lines of base/codes.txt as far as the two code tables and the number table keep them.
std::string DumpCodes(const Bytes& multiCodes) {
  const formats::MultiCodeTable table(multiCodes);
  std::string out;
  for (std::size_t i = 0; i < table.size();) {
    const auto first = table.record(i);
    std::string codes;
    for (; i < table.size() && table.record(i).key == first.key; ++i) {
      const auto code = table.record(i).code;
      codes += (codes.empty() ? "" : ",") + std::string(code.begin(), code.end());
    }
    out += Join({CodePoint(first.key), Utf8(std::u16string(1, first.key)), codes,
                 std::to_string(first.flag), "-", "0", "0"});
  }
  return out;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

std::optional<std::string> DumpDataFile(const std::filesystem::path& file, std::string& error) {
  const auto bytes = Load(file);
  if (!bytes) {
    error = file.string() + ": cannot be read";
    return std::nullopt;
  }
  const std::string name = Lower(file.filename().string());
  const auto sibling = [&](const char* other) { return Load(file.parent_path() / other); };
  if (name == "lurnsmz.mb") return DumpCharBook(*bytes);
  if (name == "lurnsmc.mb") {
    return DumpWordRecords(
        AfterHeader(*bytes), [](const formats::WordEntry& e) { return e.Text(); }, "");
  }
  if (name == "lurn2008.idx") return DumpMainIndex(*bytes);
  if (name == "lurnsmlx.mb" || name == "lurnsmlx.idx") {
    const auto index = name == "lurnsmlx.idx" ? bytes : sibling("lurnsmlx.idx");
    const auto book = name == "lurnsmlx.mb" ? bytes : sibling("lurnsmlx.mb");
    if (index && book) return DumpAssociations(*index, *book);
    error = file.string() + ": the association index and book must lie side by side";
    return std::nullopt;
  }
  if (name == "professionci.mb" || name == "professionci.idx") {
    const auto indexBytes = name == "professionci.idx" ? bytes : sibling("ProfessionCi.idx");
    const auto book = name == "professionci.mb" ? bytes : sibling("ProfessionCi.MB");
    const auto index = indexBytes ? formats::ProfessionIndex::Parse(*indexBytes) : std::nullopt;
    if (index && book) {
      return DumpWordRecords(
          formats::RangeBytes(*book, index->WholeBook()),
          [&](const formats::WordEntry& e) { return formats::UnmaskedText(e, index->mask()); },
          "\tst");
    }
    error = file.string() + ": the professional index and book must lie side by side";
    return std::nullopt;
  }
  if (name == "hkcs.cct") return DumpCodes(*bytes);
  if (name == "ftautozindex.dat") {
    const formats::CharCodeTable table(*bytes);
    std::string out;
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
      const auto code = table.CodeOf(static_cast<char16_t>(unit));
      if (code && code->value != 0xFFFF) {
        out += Join({CodePoint(unit), Utf8(std::u16string(1, static_cast<char16_t>(unit))),
                     code->Digits()});
      }
    }
    return out;
  }
  if (name == "gbkhznum.mb") {
    const formats::CharacterNumbers numbers(*bytes);
    std::string out;
    for (std::size_t slot = 0; slot < formats::kAssociationSlotCount; ++slot) {
      const char16_t ch = formats::AssociationCharacter(slot);
      if (numbers.NumberOf(ch) != formats::kUnnumberedCharacter) {
        out += Join(
            {CodePoint(ch), Utf8(std::u16string(1, ch)), std::to_string(numbers.NumberOf(ch))});
      }
    }
    return out;
  }
  if (name == "hkcs.mb") {
    const formats::HkcsTable table(*bytes);
    std::string out;
    for (std::size_t i = 0; i < table.size(); ++i) {
      const auto r = table.record(i);
      const std::u16string target = {r.first, r.second};
      const char32_t cp = 0x10000 + ((static_cast<char32_t>(r.first) - 0xD800) << 10) +
                          (static_cast<char32_t>(r.second) - 0xDC00);
      out += Join({CodePoint(r.key), CodePoint(cp), Utf8(target), "-"});
    }
    return out;
  }
  if (name == "pround.dat") {
    std::string out;
    for (char16_t symbol : formats::ReadSymbols(*bytes)) {
      out += Join({CodePoint(symbol), Utf8(std::u16string(1, symbol))});
    }
    return out;
  }
  error = file.string() + ": no data file of a known kind";
  return std::nullopt;
}

}  // namespace data_compiler
