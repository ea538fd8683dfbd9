#include "tools/data_compiler/data_set_compiler.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <system_error>

#include "common/formats/association_book.h"
#include "common/formats/char_code_table.h"
#include "common/formats/character_numbers.h"
#include "common/formats/code_book.h"
#include "common/formats/hkcs_table.h"
#include "common/formats/main_index.h"
#include "common/formats/multi_code_table.h"
#include "common/formats/profession_book.h"
#include "common/formats/symbol_table.h"

namespace data_compiler {
namespace {

const std::filesystem::path kBaseFolder = std::filesystem::path("lurn") / "KUZ2011_CHT";
constexpr const char* kVariants[] = {"KUZ2011_chs", "KUZ2011_cht", "KUZ2002_chs", "KUZ2002_cht"};

// The professional texts are stored masked with a key of the compiler's choosing. Units
// 0x0201..0x100F appear in no Chinese text, so no masked unit can turn into a terminator.
constexpr std::array<std::uint8_t, formats::kProfessionKeySize> kProfessionKey = {
    1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

// Stops a compile at its first problem; every step below returns one of these or nothing.
using Problem = std::optional<SourceError>;

template <typename Record, typename Line, typename Entry>
std::vector<Record> GroupByCode(const std::vector<Line>& lines, Entry (*entry)(const Line&)) {
  std::vector<Record> records;
  for (const Line& line : lines) {
    if (records.empty() || records.back().code != line.code) records.push_back({line.code, {}});
    records.back().entries.push_back(entry(line));
  }
  return records;
}

formats::CharEntry CharEntryOf(const CharLine& line) {
  return {line.ch, line.flags, line.key, 0};
}
formats::WordEntryData WordEntryOf(const WordLine& line) {
  return {line.text, line.flags, line.key};
}

// Each word follows the character it starts with; the most frequent first, a text once.
std::vector<formats::AssociationBlock> Associations(const std::vector<WordLine>& words) {
  std::map<char16_t, std::vector<const WordLine*>> bySlot;
  for (const WordLine& word : words) {
    if (word.text.size() >= 2 && formats::AssociationSlot(word.text[0])) {
      bySlot[word.text[0]].push_back(&word);
    }
  }
  std::vector<formats::AssociationBlock> blocks;
  for (auto& [ch, list] : bySlot) {
    std::stable_sort(list.begin(), list.end(), [](const WordLine* a, const WordLine* b) {
      return a->key != b->key ? a->key > b->key : a->text < b->text;
    });
    formats::AssociationBlock block{ch, {}};
    std::set<std::u16string> seen;
    for (const WordLine* word : list) {
      std::u16string rest = word->text.substr(1);
      if (seen.insert(rest).second) block.entries.push_back({std::move(rest), word->key});
    }
    blocks.push_back(std::move(block));
  }
  return blocks;
}

class Compiler {
 public:
  explicit Compiler(std::filesystem::path sources) : sources_(std::move(sources)) {}

  Compiled Run() {
    Compiled result;
    result.error = Base();
    for (const char* variant : kVariants) {
      if (result.error) break;
      if (std::filesystem::is_directory(sources_ / variant)) result.error = Variant(variant);
    }
    if (!result.error) result.files = std::move(files_);
    return result;
  }

 private:
  template <typename T>
  Problem Take(Parsed<T>&& parsed, std::vector<T>& into) {
    if (parsed.error) return parsed.error;
    into = std::move(parsed.lines);
    return std::nullopt;
  }

  // Stores a writer's output, or turns its refusal into a problem of the source file.
  Problem Store(const std::filesystem::path& source,
                formats::WriteResult<std::vector<std::uint8_t>> written,
                const std::filesystem::path& output) {
    if (!written) return SourceError{source, 0, written.error()};
    files_[output] = std::move(*written);
    return std::nullopt;
  }

  Problem Base() {
    const auto codesFile = sources_ / "base" / "codes.txt";
    std::vector<CodeLine> codes;
    if (auto p = Take(ReadCodes(codesFile), codes)) return p;
    std::vector<std::pair<char16_t, std::string>> mainCodes;
    std::vector<formats::MultiCodeRecord> allCodes;
    std::vector<std::pair<char16_t, std::uint8_t>> numbers;
    for (const CodeLine& line : codes) {
      mainCodes.emplace_back(line.ch, line.codes.front());
      for (const std::string& code : line.codes) {
        allCodes.push_back({line.ch, std::u16string(code.begin(), code.end()),
                            static_cast<std::uint8_t>(line.flags)});
      }
      if (formats::AssociationSlot(line.ch) && line.number <= 0xFF) {
        numbers.emplace_back(line.ch, static_cast<std::uint8_t>(line.number));
      }
    }
    if (auto p = Store(codesFile, formats::WriteCharCodeTable(mainCodes),
                       kBaseFolder / "FtAutoZIndex.dat")) {
      return p;
    }
    if (auto p =
            Store(codesFile, formats::WriteMultiCodeTable(allCodes), kBaseFolder / "hkcs.cct")) {
      return p;
    }
    if (auto p = Store(codesFile, formats::WriteCharacterNumbers(numbers),
                       kBaseFolder / "gbkhznum.mb")) {
      return p;
    }

    const auto professionFile = sources_ / "base" / "profession.txt";
    std::vector<WordLine> profession;
    if (auto p = Take(ReadProfession(professionFile), profession)) return p;
    const auto records = GroupByCode<formats::WordRecord>(profession, WordEntryOf);
    auto image = formats::BuildProfessionBook(kProfessionKey, records);
    if (!image) return SourceError{professionFile, 0, image.error()};
    files_[kBaseFolder / "ProfessionCi.idx"] = image->index;
    files_[kBaseFolder / "ProfessionCi.MB"] = image->book;
    return std::nullopt;
  }

  Problem Variant(const char* variant) {
    const auto in = sources_ / variant;
    const auto out = kBaseFolder / variant;
    std::vector<CharLine> chars;
    std::vector<WordLine> words;
    std::vector<char16_t> symbols;
    std::vector<HkcsLine> hkcs;
    if (auto p = Take(ReadChars(in / "chars.txt"), chars)) return p;
    if (auto p = Take(ReadWords(in / "words.txt"), words)) return p;
    if (auto p = Take(ReadSymbols(in / "symbols.txt"), symbols)) return p;
    if (auto p = Take(ReadHkcs(in / "hkcs.txt"), hkcs)) return p;

    auto charBook = formats::BuildCharBook(GroupByCode<formats::CharRecord>(chars, CharEntryOf));
    if (!charBook) return SourceError{in / "chars.txt", 0, charBook.error()};
    auto wordBook = formats::BuildWordBook(GroupByCode<formats::WordRecord>(words, WordEntryOf));
    if (!wordBook) return SourceError{in / "words.txt", 0, wordBook.error()};
    files_[out / "lurn2008.idx"] = formats::WriteMainIndex(charBook->lengths, wordBook->lengths);
    files_[out / "lurnsmz.mb"] = charBook->book;
    files_[out / "lurnsmc.mb"] = wordBook->book;

    auto associations = formats::BuildAssociationBook(Associations(words));
    if (!associations) return SourceError{in / "words.txt", 0, associations.error()};
    files_[out / "lurnsmlx.idx"] = associations->index;
    files_[out / "lurnsmlx.mb"] = associations->book;

    if (auto p = Store(in / "symbols.txt", formats::WriteSymbols(symbols), out / "pround.dat")) {
      return p;
    }
    std::vector<formats::HkcsRecord> records;
    for (const HkcsLine& line : hkcs) {
      const char32_t v = line.target - 0x10000;
      records.push_back({line.standIn, static_cast<char16_t>(0xD800 + (v >> 10)),
                         static_cast<char16_t>(0xDC00 + (v & 0x3FF))});
    }
    return Store(in / "hkcs.txt", formats::WriteHkcsTable(records), out / "HKCS.mb");
  }

  std::filesystem::path sources_;
  DataFiles files_;
};

}  // namespace

Compiled CompileDataSet(const std::filesystem::path& sources) {
  return Compiler(sources).Run();
}

std::optional<SourceError> WriteDataFiles(const DataFiles& files,
                                          const std::filesystem::path& root) {
  std::vector<std::filesystem::path> written;
  auto abandon = [&](const std::filesystem::path& file, std::string message) {
    std::error_code ignored;
    for (const auto& temp : written) std::filesystem::remove(temp, ignored);
    return SourceError{file, 0, std::move(message)};
  };
  // Every temporary file first: a failure then leaves the old data set as it was.
  for (const auto& [relative, bytes] : files) {
    const auto target = root / relative;
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    auto temp = target;
    temp += ".tmp";
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) return abandon(temp, "cannot be written");
    written.push_back(temp);
  }
  for (const auto& temp : written) {
    auto target = temp;
    target.replace_extension();
    std::error_code error;
    std::filesystem::rename(temp, target, error);
    if (error) return abandon(target, "cannot be replaced: " + error.message());
  }
  return std::nullopt;
}

}  // namespace data_compiler
