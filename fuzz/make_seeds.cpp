// Writes a small, well-formed seed corpus for every fuzz target with the writers themselves, so
// the seeds follow the formats as the code knows them: make_seeds <folder>.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
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
#include "common/formats/user_word_file.h"
#include "platform/sim/iconv_code_pages.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> Need(formats::WriteResult<std::vector<std::uint8_t>> result) {
  if (!result) {
    std::fprintf(stderr, "make_seeds: %s\n", result.error().c_str());
    std::exit(1);
  }
  return *std::move(result);
}

template <typename T>
T Need(formats::WriteResult<T> result) {
  if (!result) {
    std::fprintf(stderr, "make_seeds: %s\n", result.error().c_str());
    std::exit(1);
  }
  return *std::move(result);
}

void Put(const fs::path& folder, const std::string& target, const std::string& name,
         std::span<const std::uint8_t> bytes) {
  fs::create_directories(folder / target);
  std::ofstream out(folder / target / name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> Concat(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
  std::vector<std::uint8_t> out(a.begin(), a.end());
  out.insert(out.end(), b.begin(), b.end());
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_seeds <folder>\n");
    return 2;
  }
  const fs::path folder = argv[1];

  const std::vector<formats::CharRecord> chars = {
      {"5", {{u'五', 0, 10, 0}, {u'伍', 0, 11, 0}}},
      {"52", {{u'丁', 1, 12, 2}}},
      {"527", {{u'乙', 3, 20, 4}}},
      {"5271", {{u'甲', 0, 30, 0}}},
  };
  const std::vector<formats::WordRecord> words = {
      {"527184", {{u"中国", 7, 300}, {u"中国人", 0, 2}}},
      {"527", {{u"甲乙丙", 1, 2}}},
      {"5", {{u"五个", 0, 1}}},
  };
  const auto charBook = Need(formats::BuildCharBook(chars));
  const auto wordBook = Need(formats::BuildWordBook(words));
  const auto index = formats::WriteMainIndex(charBook.lengths, wordBook.lengths);
  Put(folder, "main_index", "index", index);
  Put(folder, "main_index", "pattern", std::vector<std::uint8_t>{'5', '2', '?', 0, 0});
  const auto charIndex = formats::MainIndex::Parse(index);
  Put(folder, "char_book", "bucket646",
      formats::RangeBytes(charBook.book, charIndex.Range(formats::Book::kCharacters, {646, 646})));
  Put(folder, "char_book", "all", std::span(charBook.book).subspan(formats::kBookHeaderSize));
  Put(folder, "word_book", "bucket646",
      formats::RangeBytes(wordBook.book, charIndex.Range(formats::Book::kWords, {646, 646})));
  Put(folder, "word_book", "all", std::span(wordBook.book).subspan(formats::kBookHeaderSize));

  const std::array<std::uint8_t, formats::kProfessionKeySize> key = {
      0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88,
      0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xF0, 0x0F};
  const auto profession = Need(formats::BuildProfessionBook(key, words));
  Put(folder, "profession_book", "index_and_book", Concat(profession.index, profession.book));

  const auto association =
      Need(formats::BuildAssociationBook(std::vector<formats::AssociationBlock>{
          {u'中', {{u"国", 1}, {u"国人", 2}, {u"文", 3}, {u"华人民", 4}}},
          {0x25CB, {{u"一", 0}}}}));
  Put(folder, "association_book", "index", association.index);
  Put(folder, "association_book", "block", std::span(association.book).subspan(64));

  const std::vector<std::pair<char16_t, std::uint8_t>> numbers = {{u'中', 3}, {u'国', 5}};
  Put(folder, "character_numbers", "table", Need(formats::WriteCharacterNumbers(numbers)));
  Put(folder, "character_numbers", "short", std::vector<std::uint8_t>(64, 1));

  Put(folder, "hkcs_table", "table",
      Need(formats::WriteHkcsTable(
          std::vector<formats::HkcsRecord>{{0xE001, 0xD840, 0xDC01}, {0xF6B1, 0xD840, 0xDC02}})));

  Put(folder, "symbol_table", "symbols",
      Need(formats::WriteSymbols(std::vector<char16_t>{u'，', u'。', u'、', u'：'})));

  const platform::IconvCodePages gbk(936);
  const auto userWords = Need(formats::WriteUserWordList(
      std::vector<formats::UserWordData>{{"123", u"中国"}, {"527184", u"中国人"}, {"5", u"中"}},
      gbk, platform::kAnsiCodePage));
  // The first byte of a user word input chooses the code page: even for GBK.
  Put(folder, "user_word_file", "gbk", Concat(std::vector<std::uint8_t>{0}, userWords));
  const platform::IconvCodePages big5(950);
  const auto big5Words = Need(formats::WriteUserWordList(
      std::vector<formats::UserWordData>{{"1", u"中國"}}, big5, platform::kAnsiCodePage));
  Put(folder, "user_word_file", "big5", Concat(std::vector<std::uint8_t>{1}, big5Words));

  const std::vector<std::pair<char16_t, std::string>> codes = {{0, "1"}, {1, "527"}, {2, "1843"}};
  const auto codeTable = Need(formats::WriteCharCodeTable(codes));
  Put(folder, "char_code_table", "head", std::span(codeTable).first(64));

  Put(folder, "multi_code_table", "table",
      Need(formats::WriteMultiCodeTable(std::vector<formats::MultiCodeRecord>{
          {0x4E2D, u"5270", 0}, {0x4E2D, u"52", 1}, {0x56FD, u"1843", 0}})));
  return 0;
}
