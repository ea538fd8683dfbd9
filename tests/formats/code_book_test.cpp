#include "common/formats/code_book.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/formats/byte_io.h"
#include "common/formats/main_index.h"

namespace {

using formats::Book;
using formats::BookRange;
using formats::CharEntry;
using formats::CharRecord;
using formats::CodeRecord;
using formats::EntryLayout;
using formats::RecordReader;
using formats::WordEntryData;
using formats::WordRecord;

std::vector<CodeRecord> Walk(EntryLayout layout, std::span<const std::uint8_t> block,
                             bool* damaged = nullptr) {
  RecordReader reader(layout, block);
  std::vector<CodeRecord> records;
  while (auto record = reader.Next()) records.push_back(*record);
  if (damaged) *damaged = reader.damaged();
  return records;
}

std::vector<CharEntry> CharEntries(const CodeRecord& record) {
  formats::CharEntryReader reader(record.entries);
  std::vector<CharEntry> entries;
  while (auto entry = reader.Next()) entries.push_back(*entry);
  return entries;
}

std::vector<std::u16string> WordTexts(std::span<const std::uint8_t> entries,
                                      bool* damaged = nullptr) {
  formats::WordEntryReader reader(entries);
  std::vector<std::u16string> texts;
  while (auto entry = reader.Next()) texts.push_back(entry->Text());
  if (damaged) *damaged = reader.damaged();
  return texts;
}

// Codes 5, 52, 527 and 5271 of the worked example, given out of bucket order; 5271 comes
// before 527 so that the file order inside bucket 646 is visible.
const std::vector<CharRecord> kCharRecords = {
    {"5271", {{u'甲', 1, 30, 2}}},
    {"5", {{u'五', 0, 10, 0}, {u'伍', 0, 11, 0}}},
    {"527", {{u'乙', 3, 20, 4}, {u'丙', 5, 21, 6}}},
    {"52", {{u'丁', 0, 12, 0}}},
    {"6", {{u'六', 0, 1, 0}}},
};

struct Books {
  std::vector<std::uint8_t> index;
  formats::CharBookImage chars;
  formats::WordBookImage words;
};

Books BuildBooks(const std::vector<WordRecord>& words) {
  auto chars = formats::BuildCharBook(kCharRecords);
  EXPECT_TRUE(chars) << chars.error();
  auto wordBook = formats::BuildWordBook(words);
  EXPECT_TRUE(wordBook) << wordBook.error();
  Books books{{}, *chars, *wordBook};
  books.index = formats::WriteMainIndex(books.chars.lengths, books.words.lengths);
  return books;
}

TEST(CodeBookTest, WorkedExampleLandsInBuckets605To646) {
  const Books books = BuildBooks({});
  ASSERT_EQ(books.index.size(), formats::kMainIndexSize);
  const auto index = formats::MainIndex::Parse(books.index);
  EXPECT_TRUE(index.complete());
  EXPECT_EQ(index.BucketLength(Book::kCharacters, 605), 3u + 2 * 8 + 2);
  EXPECT_EQ(index.BucketLength(Book::kCharacters, 638), 3u + 8 + 2);
  EXPECT_EQ(index.BucketLength(Book::kCharacters, 646), (3u + 8 + 2) + (3u + 2 * 8 + 2));
  EXPECT_EQ(index.BucketLength(Book::kCharacters, 604), 0u);
  // The lengths sit at their fixed offsets.
  EXPECT_EQ(formats::LoadU16(books.index, 64 + 2 * 646), 34);
  EXPECT_EQ(formats::LoadU32(books.index, 2484 + 4 * 646), 0u);

  const BookRange range = index.Range(Book::kCharacters, {646, 646});
  EXPECT_EQ(range.offset, 64u + 21 + 13);
  EXPECT_EQ(range.length, 34u);
  const auto records = Walk(EntryLayout::kCharacter, formats::RangeBytes(books.chars.book, range));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].code.view(), "5271");
  EXPECT_EQ(records[1].code.view(), "527");
  EXPECT_EQ(records[1].offset, 13u);
  EXPECT_EQ(records[1].entriesOffset(), 16u);
  EXPECT_EQ((std::vector<std::uint8_t>{records[1].packed[0], records[1].packed[1]}),
            (std::vector<std::uint8_t>{0x52, 0x7F}));
  EXPECT_TRUE(records[1].terminated);
  EXPECT_EQ(CharEntries(records[1]),
            (std::vector<CharEntry>{{u'乙', 3, 20, 4}, {u'丙', 5, 21, 6}}));

  const auto five =
      Walk(EntryLayout::kCharacter,
           formats::RangeBytes(books.chars.book, index.Range(Book::kCharacters, {605, 605})));
  ASSERT_EQ(five.size(), 1u);
  EXPECT_EQ(five[0].code.view(), "5");
  EXPECT_EQ(CharEntries(five[0]).size(), 2u);
}

TEST(CodeBookTest, WildcardRangesCoverTheirBuckets) {
  const Books books = BuildBooks({});
  const auto index = formats::MainIndex::Parse(books.index);
  auto codesIn = [&](BookRange range, const char* pattern) {
    std::string found;
    for (const auto& r :
         Walk(EntryLayout::kCharacter, formats::RangeBytes(books.chars.book, range))) {
      if (formats::MatchesCode(pattern, r.code.view())) found += std::string(r.code.view()) + ",";
    }
    return found;
  };
  const auto fiveAny = formats::BucketsOf("5?");
  ASSERT_TRUE(fiveAny && !fiveAny->wholeBook);
  EXPECT_EQ(codesIn(index.Range(Book::kCharacters, fiveAny->span), "5?"), "52,");
  EXPECT_EQ(codesIn(index.Range(Book::kCharacters, fiveAny->span), "5???"), "5271,");
  const auto anyTwo = formats::BucketsOf("?");
  ASSERT_TRUE(anyTwo && anyTwo->wholeBook);
  EXPECT_EQ(codesIn(formats::WholeBookRange(books.chars.book.size()), "?"), "5,6,");
  EXPECT_EQ(formats::WholeBookRange(books.chars.book.size()),
            index.Range(Book::kCharacters, anyTwo->span));
  EXPECT_EQ(formats::WholeBookRange(10), (BookRange{64, 0}));
}

TEST(CodeBookTest, WordRecordsRoundTrip) {
  const std::vector<WordRecord> words = {
      {"527184", {{u"中国", 7, 300}, {u"中\xFFFF", 0, 0}}},
      {"527", {{u"甲乙丙", 1, 2}}},
      {"5", {{std::u16string(49, u'字'), 0, 65535}}},
  };
  const Books books = BuildBooks(words);
  const auto index = formats::MainIndex::Parse(books.index);
  const auto block = formats::RangeBytes(books.words.book, index.Range(Book::kWords, {646, 646}));
  const auto records = Walk(EntryLayout::kWord, block);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].code.view(), "527184");  // six digits, no end half-byte
  EXPECT_EQ(records[0].size, 3u + (4 + 6) + (4 + 6) + 2);
  formats::WordEntryReader reader(records[0].entries);
  const auto first = reader.Next();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Text(), u"中国");
  EXPECT_EQ(first->attribute, 7);
  EXPECT_EQ(first->sortKey, 300);
  const auto second = reader.Next();
  ASSERT_TRUE(second);
  EXPECT_EQ(second->Text(), u"中\xFFFF");  // 0xFFFF is only forbidden as a first unit
  EXPECT_EQ(second->offset, 10u);
  EXPECT_FALSE(reader.Next());
  EXPECT_FALSE(reader.damaged());
  EXPECT_EQ(WordTexts(records[1].entries), (std::vector<std::u16string>{u"甲乙丙"}));

  const auto longest =
      Walk(EntryLayout::kWord,
           formats::RangeBytes(books.words.book, index.Range(Book::kWords, {605, 605})));
  ASSERT_EQ(longest.size(), 1u);
  EXPECT_EQ(WordTexts(longest[0].entries),
            (std::vector<std::u16string>{std::u16string(49, u'字')}));
}

TEST(CodeBookTest, EntriesHaveTheBookLayout) {
  const auto c = formats::EncodeCharEntry({0x4E2D, 0x0102, 0x0304, 0x0506});
  ASSERT_TRUE(c);
  EXPECT_EQ(std::vector<std::uint8_t>(c->begin(), c->end()),
            (std::vector<std::uint8_t>{0x2D, 0x4E, 0x02, 0x01, 0x04, 0x03, 0x06, 0x05}));
  const auto w = formats::EncodeWordEntry({u"\x4E2D\x56FD", 0x0102, 0x0304});
  ASSERT_TRUE(w);
  EXPECT_EQ(*w, (std::vector<std::uint8_t>{0x2D, 0x4E, 0xFD, 0x56, 0, 0, 0x02, 0x01, 0x04, 0x03}));
}

TEST(CodeBookTest, CharacterWriterRefusesWhatTheBookCannotHold) {
  const std::vector<std::vector<CharRecord>> cases = {
      {{"12345", {{u'a', 0, 0, 0}}}},
      {{"", {}}},
      {{"1a", {}}},
      {{"12", {}}, {"12", {}}},
      {{"1", {{0xFFFF, 0, 0, 0}}}},
      {{"1", {{u'a', 0xFFFF, 0, 0}}}},
      {{"1", {{u'a', 0, 0xFFFF, 0}}}},
      {{"1", {{u'a', 0, 0, 0xFFFF}}}},
      {{"1", std::vector<CharEntry>(8200, CharEntry{u'a', 0, 0, 0})}},  // bucket > 65535 bytes
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const auto result = formats::BuildCharBook(cases[i]);
    EXPECT_FALSE(result) << i;
    EXPECT_FALSE(result.error().empty()) << i;
  }
  // Blocks that fit no single read of the cache are refused even when each bucket fits.
  std::vector<CharRecord> many;
  for (int code = 0; code < 7; ++code) {
    many.push_back({std::to_string(code), std::vector<CharEntry>(7500, CharEntry{u'a', 0, 0, 0})});
  }
  EXPECT_FALSE(formats::BuildCharBook(many));
  many.pop_back();
  EXPECT_TRUE(formats::BuildCharBook(many));
}

TEST(CodeBookTest, WordWriterRefusesWhatTheBookCannotHold) {
  const std::vector<std::vector<WordRecord>> cases = {
      {{"1234567", {{u"ab", 0, 0}}}},
      {{"12", {{u"", 0, 0}}}},
      {{"12", {{std::u16string(50, u'a'), 0, 0}}}},
      {{"12", {{std::u16string(u"a\0b", 3), 0, 0}}}},
      {{"12",
        {{u"\xFFFF"
          u"a",
          0, 0}}}},
      {{"12", {}}, {"12", {}}},
      {{"12", std::vector<WordEntryData>(12, WordEntryData{std::u16string(40, u'a'), 0, 0})}},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const auto result = formats::BuildWordBook(cases[i]);
    EXPECT_FALSE(result) << i;
    EXPECT_FALSE(result.error().empty()) << i;
  }
  // 3 + 11 * 86 + 2 = 951 bytes: under the record limit.
  EXPECT_TRUE(formats::BuildWordBook(std::vector<WordRecord>{
      {"12", std::vector<WordEntryData>(11, WordEntryData{std::u16string(40, u'a'), 0, 0})}}));
}

// Hand-made blocks, little-endian.
std::vector<std::uint8_t> Bytes(std::initializer_list<std::uint16_t> units,
                                std::vector<std::uint8_t> prefix) {
  for (std::uint16_t u : units) formats::AppendU16(prefix, u);
  return prefix;
}

TEST(CodeBookTest, CharacterBlockCutInsideARecordKeepsItsWholeEntries) {
  const auto whole = Bytes({0x4E00, 1, 2, 3, 0x4E01, 4, 5, 6, 0xFFFF}, {0x5F, 0xFF, 0xFF});
  for (std::size_t cut : {whole.size() - 1, whole.size() - 2, std::size_t{3 + 8 + 3}}) {
    bool damaged = false;
    const auto records = Walk(EntryLayout::kCharacter, std::span(whole).first(cut), &damaged);
    ASSERT_EQ(records.size(), 1u) << cut;
    EXPECT_FALSE(records[0].terminated) << cut;
    EXPECT_TRUE(damaged) << cut;
    EXPECT_EQ(records[0].size, cut);
    const std::size_t wholeEntries = cut >= 3 + 16 ? 2 : 1;
    EXPECT_EQ(CharEntries(records[0]).size(), wholeEntries) << cut;
    EXPECT_EQ(records[0].entries.size(), wholeEntries * 8) << cut;
  }
  bool damaged = false;
  EXPECT_EQ(Walk(EntryLayout::kCharacter, whole, &damaged).size(), 1u);
  EXPECT_FALSE(damaged);
}

TEST(CodeBookTest, StrayBytesAfterTheLastRecordStopTheWalk) {
  auto block = Bytes({0x4E00, 1, 2, 3, 0xFFFF}, {0x5F, 0xFF, 0xFF});
  block.push_back(0x52);
  block.push_back(0x7F);
  bool damaged = false;
  const auto records = Walk(EntryLayout::kCharacter, block, &damaged);
  EXPECT_EQ(records.size(), 1u);
  EXPECT_TRUE(damaged);
  EXPECT_TRUE(Walk(EntryLayout::kWord, std::span(block).first(2), &damaged).empty());
  EXPECT_TRUE(damaged);
}

TEST(CodeBookTest, CharacterRecordEndsAtTheFirst0xFFFF) {
  // A forbidden 0xFFFF inside an entry ends the record there, as a search skipping it sees it;
  // the half entry before it is not offered.
  const auto block = Bytes({0x4E00, 0xFFFF, 0x0001, 0x0002, 0xFFFF}, {0x5F, 0xFF, 0xFF});
  const auto records = Walk(EntryLayout::kCharacter, block);
  ASSERT_GE(records.size(), 1u);
  EXPECT_TRUE(records[0].terminated);
  EXPECT_EQ(records[0].size, 3u + 2 + 2);
  EXPECT_TRUE(records[0].entries.empty());
  EXPECT_TRUE(CharEntries(records[0]).empty());
}

TEST(CodeBookTest, WordEntryWithoutTerminatorOrTrailerDamagesTheRecord) {
  const std::vector<std::uint8_t> code = {0x52, 0x7F, 0xFF};
  const struct {
    std::vector<std::uint8_t> block;
    std::size_t wholeEntries;
  } cases[] = {
      {Bytes({u'中', u'国', 0, 1, 2, u'人', u'民'}, code), 1},  // text runs to the end
      {Bytes({u'中', u'国', 0, 1, 2, u'人', 0, 1}, code), 1},   // one trailing word missing
      {Bytes({u'中', u'国', 0, 1, 2}, code), 1},                // no end mark
      {Bytes({u'中'}, code), 0},
  };
  for (const auto& c : cases) {
    bool damaged = false;
    const auto records = Walk(EntryLayout::kWord, c.block, &damaged);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(damaged);
    EXPECT_FALSE(records[0].terminated);
    EXPECT_EQ(records[0].entries.size(), c.wholeEntries * 10);
    EXPECT_EQ(WordTexts(records[0].entries).size(), c.wholeEntries);
  }
  // Given the bytes behind the code directly, the entry reader stops at the same places.
  bool damaged = false;
  EXPECT_EQ(WordTexts(std::span(cases[0].block).subspan(3), &damaged).size(), 1u);
  EXPECT_TRUE(damaged);
  EXPECT_EQ(WordTexts(Bytes({u'中', 0, 1, 2, 0xFFFF, u'x'}, {}), &damaged).size(), 1u);
  EXPECT_FALSE(damaged);
}

TEST(CodeBookTest, ShortIndexAndBookLoseBucketsButNeverPointWrong) {
  const Books books = BuildBooks({{"5", {{u"五个", 0, 0}}}});
  // Cut inside the character lengths: buckets from 640 on are missing, those before are sound.
  const auto cut = std::span(books.index).first(64 + 2 * 640 + 1);
  const auto index = formats::MainIndex::Parse(cut);
  EXPECT_FALSE(index.complete());
  EXPECT_EQ(index.BucketLength(Book::kCharacters, 638), 13u);
  EXPECT_EQ(index.BucketLength(Book::kCharacters, 646), 0u);
  EXPECT_EQ(index.Range(Book::kCharacters, {646, 646}).length, 0u);
  EXPECT_EQ(index.Range(Book::kWords, {605, 605}).length, 0u);
  EXPECT_EQ(index.Range(Book::kCharacters, {605, 605}),
            formats::MainIndex::Parse(books.index).Range(Book::kCharacters, {605, 605}));
  EXPECT_FALSE(formats::MainIndex::Parse({}).complete());

  // Lengths that add up to more than the book: the range is clamped to the bytes it has.
  const auto full = formats::MainIndex::Parse(books.index);
  const BookRange range = full.Range(Book::kCharacters, {646, 646});
  const auto shortBook = std::span(books.chars.book).first(range.offset + 5);
  EXPECT_EQ(formats::ClampRange(range, shortBook.size()), (BookRange{range.offset, 5}));
  EXPECT_EQ(formats::RangeBytes(shortBook, range).size(), 5u);
  EXPECT_TRUE(formats::RangeBytes(std::span(books.chars.book).first(20), range).empty());
  bool damaged = false;
  const auto records =
      Walk(EntryLayout::kCharacter, formats::RangeBytes(shortBook, range), &damaged);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_TRUE(damaged);
  EXPECT_TRUE(CharEntries(records[0]).empty());
}

}  // namespace
