#include "ime/lexicon/lexicon.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "common/formats/main_index.h"
#include "ime/lexicon/install_folders.h"
#include "platform/sim/sim_book_reader.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_folders.h"
#include "platform/sim/sim_message_box.h"
#include "tests/support/data_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using formats::Book;
using formats::BookRange;
using formats::CharEntry;
using formats::CharRecord;
using formats::WordRecord;
using Message = platform::SimMessageBox::Message;
using testing_support::WriteBytes;
using testing_support::WriteCodeBooks;

}  // namespace

namespace platform {
void PrintTo(const SimMessageBox::Message& message, std::ostream* out) {
  *out << '"' << message.text << "\" / \"" << message.caption << '"';
}
}  // namespace platform

namespace {

constexpr const char* kReadFailed = "读文件失败！";

// The real file system, counting what the lexicon opens and reads, and failing on request.
class WatchedBooks final : public platform::BookReader {
 public:
  std::unique_ptr<platform::OpenBook> Open(const std::filesystem::path& file) const override {
    ++opens;
    if (failOpen) return nullptr;
    auto inner = sim_.Open(file);
    if (!inner) return nullptr;
    return std::make_unique<Watched>(std::move(inner), *this);
  }

  mutable int opens = 0;
  mutable int reads = 0;
  bool failOpen = false;
  bool failRead = false;

 private:
  struct Watched final : platform::OpenBook {
    Watched(std::unique_ptr<platform::OpenBook> file, const WatchedBooks& watcher)
        : inner(std::move(file)), owner(watcher) {}
    std::optional<std::uint64_t> Size() override { return inner->Size(); }
    bool Seek(std::uint64_t offset) override { return inner->Seek(offset); }
    std::optional<std::size_t> Read(std::span<std::uint8_t> into) override {
      ++owner.reads;
      if (owner.failRead) return std::nullopt;
      return inner->Read(into);
    }
    std::unique_ptr<platform::OpenBook> inner;
    const WatchedBooks& owner;
  };
  platform::SimBookReader sim_;
};

// The real file system, running out of memory for the file named `exhausted`.
class ExhaustibleFiles final : public platform::Files {
 public:
  std::optional<std::uint32_t> LastWriteTime(const std::filesystem::path& file) const override {
    return sim_.LastWriteTime(file);
  }
  std::optional<std::vector<std::uint8_t>> ReadAll(
      const std::filesystem::path& file) const override {
    if (file.filename() == exhausted) throw std::bad_alloc();
    return sim_.ReadAll(file);
  }
  std::string exhausted;

 private:
  platform::SimFiles sim_;
};

CharEntry Char(char16_t character, std::uint16_t sortKey = 0) {
  return CharEntry{character, 0, sortKey, 0};
}

void AppendU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void AppendPacked(std::vector<std::uint8_t>& out, std::string_view code) {
  const auto packed = *formats::PackCode(code);
  out.insert(out.end(), packed.begin(), packed.end());
}

void AppendWord(std::vector<std::uint8_t>& out, std::u16string_view text, std::uint16_t key = 0) {
  for (char16_t unit : text) AppendU16(out, unit);
  AppendU16(out, 0);
  AppendU16(out, 0);
  AppendU16(out, key);
}

// The traditional 2011 set: one bucket holds 527, 5271 and 5272; 5 and 52 have buckets of their
// own; 42 and 62 are the other two-digit codes ending in 2.
const std::vector<CharRecord> kChars = {
    {"5", {Char(u'一')}},    {"52", {Char(u'二'), Char(u'三')}},
    {"527", {Char(u'四')}},  {"5271", {Char(u'五'), Char(u'六')}},
    {"5272", {Char(u'七')}}, {"42", {Char(u'九')}},
    {"62", {Char(u'八')}},   {"4", {Char(u'十')}},
};
const std::vector<WordRecord> kWords = {
    {"5", {{u"甲乙", 0, 1}}},      {"52", {{u"丙丁", 0, 2}, {u"戊己", 0, 3}}},
    {"527", {{u"庚辛", 0, 4}}},    {"5271", {{u"壬癸", 0, 5}}},
    {"527100", {{u"子丑", 0, 6}}}, {"527109", {{u"寅卯", 0, 7}}},
};

class LexiconTest : public ::testing::Test {
 protected:
  std::filesystem::path Data(int scriptFlag = 0, int comptb02 = 0) const {
    return ime::DataFolder(folders, scriptFlag, comptb02);
  }

  void WriteSet(const std::filesystem::path& folder, const std::vector<CharRecord>& chars,
                const std::vector<WordRecord>& words) {
    ASSERT_EQ(WriteCodeBooks(folder, chars, words), "");
    WriteBytes(folder / "lurnsmlx.idx", std::vector<std::uint8_t>(16, 0));
  }

  void WriteIndex(const std::array<std::uint16_t, formats::kBucketCount>& chars,
                  const std::array<std::uint32_t, formats::kBucketCount>& words) {
    WriteBytes(Data() / "lurn2008.idx", formats::WriteMainIndex(chars, words));
    WriteBytes(Data() / "lurnsmlx.idx", std::vector<std::uint8_t>(16, 0));
  }

  std::u16string Chars(std::string_view code) {
    std::u16string found;
    lexicon.ScanChars(code, [&](const ime::CharHit& hit) {
      found.push_back(hit.character);
      return ime::ScanStep::kContinue;
    });
    return found;
  }

  std::vector<std::u16string> Words(std::string_view code) {
    std::vector<std::u16string> found;
    lexicon.ScanWords(code, [&](const formats::WordEntry& entry) {
      found.push_back(entry.Text());
      return ime::ScanStep::kContinue;
    });
    return found;
  }

  testing_support::TempDir dir;
  platform::SimFolders folders{dir.path()};
  ExhaustibleFiles files;
  WatchedBooks books;
  platform::SimMessageBox messages;
  ime::CLexicon lexicon{ime::LexiconPorts{folders, files, books, messages}};
};

TEST_F(LexiconTest, RangesFollowTheBucketLengths) {
  // Every character bucket 2 bytes long and every word bucket 4: a bucket's offset shows its
  // number.
  std::array<std::uint16_t, formats::kBucketCount> charLengths;
  std::array<std::uint32_t, formats::kBucketCount> wordLengths;
  charLengths.fill(2);
  wordLengths.fill(4);
  WriteIndex(charLengths, wordLengths);
  lexicon.LoadLexicon({});
  ASSERT_TRUE(messages.messages.empty());

  struct Case {
    std::string code;
    std::size_t firstBucket;
    std::size_t bucketCount;
  };
  const Case cases[] = {
      {"5", 605, 1},    {"52", 638, 1},    {"527", 646, 1},  {"5271", 646, 1}, {"527?", 646, 1},
      {"5?", 605, 121}, {"5??", 605, 121}, {"52?", 638, 11}, {"0", 0, 1},      {"999", 1209, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(lexicon.RangeOf(Book::kCharacters, c.code),
              (BookRange{64 + c.firstBucket * 2, c.bucketCount * 2}));
    EXPECT_EQ(lexicon.RangeOf(Book::kWords, c.code),
              (BookRange{64 + c.firstBucket * 4, c.bucketCount * 4}));
  }
  EXPECT_EQ(lexicon.RangeOf(Book::kWords, "527123"), (BookRange{64 + 646 * 4, 4}));
  EXPECT_EQ(lexicon.RangeOf(Book::kWords, "52712?"), (BookRange{64 + 646 * 4, 4}));
  EXPECT_EQ(books.opens, 0);

  for (const char* rejected : {"", "52712", "5a", "a", "527 "}) {
    EXPECT_FALSE(lexicon.RangeOf(Book::kCharacters, rejected)) << rejected;
  }
  for (const char* rejected : {"", "5271234", "52a", "5?a"}) {
    EXPECT_FALSE(lexicon.RangeOf(Book::kWords, rejected)) << rejected;
  }
}

TEST_F(LexiconTest, PatternBeginningWithWildcardTakesTheWholeBook) {
  std::array<std::uint16_t, formats::kBucketCount> charLengths{};
  WriteIndex(charLengths, {});
  WriteBytes(Data() / "lurnsmz.mb", std::vector<std::uint8_t>(64 + 100, 0));
  lexicon.LoadLexicon({});
  EXPECT_EQ(lexicon.RangeOf(Book::kCharacters, "?2"), (BookRange{64, 100}));
  EXPECT_EQ(books.opens, 1);
  // No word book: nothing to read.
  EXPECT_FALSE(lexicon.RangeOf(Book::kWords, "?"));
}

TEST_F(LexiconTest, EmptyBucketDoesNotOpenTheBook) {
  WriteSet(Data(), {{"4", {Char(u'十')}}}, {{"4", {{u"甲乙", 0, 0}}}});
  lexicon.LoadLexicon({});
  EXPECT_EQ(Chars("5"), u"");
  EXPECT_TRUE(Words("5").empty());
  EXPECT_EQ(books.opens, 0);
  EXPECT_EQ(Chars("4"), u"十");
  EXPECT_EQ(books.opens, 1);
}

TEST_F(LexiconTest, ExactCodesOfOneBucketAreToldApart) {
  WriteSet(Data(), kChars, kWords);
  lexicon.LoadLexicon({});
  const std::pair<const char*, std::u16string> charCases[] = {
      {"5", u"一"},    {"52", u"二三"}, {"527", u"四"}, {"5271", u"五六"},
      {"5272", u"七"}, {"5279", u""},   {"53", u""},    {"52710", u""},
  };
  for (const auto& [code, expected] : charCases) EXPECT_EQ(Chars(code), expected) << code;

  using Texts = std::vector<std::u16string>;
  const std::pair<const char*, Texts> wordCases[] = {
      {"5", {u"甲乙"}},      {"52", {u"丙丁", u"戊己"}}, {"527", {u"庚辛"}}, {"5271", {u"壬癸"}},
      {"527100", {u"子丑"}}, {"527109", {u"寅卯"}},      {"52710", {}},      {"5271000", {}},
  };
  for (const auto& [code, expected] : wordCases) EXPECT_EQ(Words(code), expected) << code;
}

TEST_F(LexiconTest, WildcardKeepsEveryMatchingRecordInFileOrder) {
  WriteSet(Data(), kChars, kWords);
  lexicon.LoadLexicon({});
  EXPECT_EQ(Chars("527?"), u"五六七");
  EXPECT_EQ(Chars("5?"), u"二三");
  EXPECT_EQ(Chars("?2"), u"九二三八");
  EXPECT_EQ(Chars("?"), u"十一");
  EXPECT_EQ(Chars("5?7?"), u"五六七");
  EXPECT_EQ(Chars("7?"), u"");

  EXPECT_EQ(Words("52710?"), (std::vector<std::u16string>{u"子丑", u"寅卯"}));
  EXPECT_EQ(Words("?2"), (std::vector<std::u16string>{u"丙丁", u"戊己"}));
  EXPECT_EQ(Words("5???"), (std::vector<std::u16string>{u"壬癸"}));
}

TEST_F(LexiconTest, HitsCarryTheSortKeyAndTheFirstFourCodeDigits) {
  WriteSet(Data(), {{"5271", {Char(u'五', 7), Char(u'六', 3)}}, {"5", {Char(u'一', 9)}}},
           {{"527100", {{u"子丑", 0, 6}}}});
  lexicon.LoadLexicon({});
  std::vector<ime::CharHit> hits;
  for (const char* code : {"527?", "5"}) {
    lexicon.ScanChars(code, [&](const ime::CharHit& hit) {
      hits.push_back(hit);
      return ime::ScanStep::kContinue;
    });
  }
  ASSERT_EQ(hits.size(), 3u);
  EXPECT_EQ(hits[0].sortKey, 7);
  EXPECT_EQ(hits[1].sortKey, 3);
  EXPECT_EQ(hits[2].sortKey, 9);
  EXPECT_EQ(hits[0].codeBytes, (std::array<std::uint8_t, 2>{0x52, 0x71}));
  EXPECT_EQ(hits[2].codeBytes, (std::array<std::uint8_t, 2>{0x5F, 0xFF}));

  std::vector<std::uint16_t> keys;
  lexicon.ScanWords("5271??", [&](const formats::WordEntry& entry) {
    keys.push_back(entry.sortKey);
    return ime::ScanStep::kContinue;
  });
  EXPECT_EQ(keys, std::vector<std::uint16_t>{6});
}

TEST_F(LexiconTest, ExactSearchStopsAtTheFirstMatchingRecord) {
  // Two records of one code, which the writers refuse but a hand-edited book may hold.
  std::vector<std::uint8_t> book(64, 0);
  AppendPacked(book, "5");
  AppendU16(book, u'一');
  for (int i = 0; i < 3; ++i) AppendU16(book, 0);
  AppendU16(book, 0xFFFF);
  AppendPacked(book, "5");
  AppendU16(book, u'二');
  for (int i = 0; i < 3; ++i) AppendU16(book, 0);
  AppendU16(book, 0xFFFF);
  std::array<std::uint16_t, formats::kBucketCount> charLengths{};
  charLengths[605] = static_cast<std::uint16_t>(book.size() - 64);
  WriteIndex(charLengths, {});
  WriteBytes(Data() / "lurnsmz.mb", book);
  lexicon.LoadLexicon({});
  EXPECT_EQ(Chars("5"), u"一");
  EXPECT_EQ(Chars("?"), u"一二");
}

TEST_F(LexiconTest, OverlongWordIsSkippedAndTheRestOfItsRecordRead) {
  std::vector<std::uint8_t> book(64, 0);
  AppendPacked(book, "5");
  AppendWord(book, std::u16string(50, u'长'));
  AppendWord(book, u"甲乙");
  AppendWord(book, std::u16string(49, u'满'));
  AppendU16(book, 0xFFFF);
  std::array<std::uint32_t, formats::kBucketCount> wordLengths{};
  wordLengths[605] = static_cast<std::uint32_t>(book.size() - 64);
  WriteIndex({}, wordLengths);
  WriteBytes(Data() / "lurnsmc.mb", book);
  lexicon.LoadLexicon({});
  EXPECT_EQ(Words("5"), (std::vector<std::u16string>{u"甲乙", std::u16string(49, u'满')}));
}

TEST_F(LexiconTest, SinkStopsTheScan) {
  WriteSet(Data(), kChars, kWords);
  lexicon.LoadLexicon({});
  int calls = 0;
  const auto stopAtTwo = [&](auto&&) {
    return ++calls == 2 ? ime::ScanStep::kStop : ime::ScanStep::kContinue;
  };
  EXPECT_EQ(lexicon.ScanChars("?2", stopAtTwo), 2u);
  EXPECT_EQ(calls, 2);
  calls = 0;
  EXPECT_EQ(lexicon.ScanWords("52", stopAtTwo), 2u);
  EXPECT_EQ(calls, 2);
}

// 420 records of 941 bytes in bucket 133: a range past the cache, read in two chunks, with a
// record across the 393,216-byte boundary.
std::vector<WordRecord> LargeWordSet() {
  std::vector<WordRecord> records;
  for (int r = 0; r < 420; ++r) {
    WordRecord record;
    record.code = std::to_string(100000 + r);
    for (int e = 0; e < 9; ++e) {
      std::u16string text(49, u'字');
      text[0] = static_cast<char16_t>(0x4E00 + r);
      text[1] = static_cast<char16_t>(0x4E00 + e);
      record.entries.push_back({text, 0, static_cast<std::uint16_t>(e)});
    }
    records.push_back(record);
  }
  return records;
}

TEST_F(LexiconTest, LargeWordRangeIsReadInChunks) {
  const auto records = LargeWordSet();
  WriteSet(Data(), {}, records);
  lexicon.LoadLexicon({});
  const auto range = lexicon.RangeOf(Book::kWords, "100???");
  ASSERT_TRUE(range);
  ASSERT_GT(range->length, formats::kReadCacheSize);

  std::vector<std::u16string> expected;
  for (const auto& record : records) {
    for (const auto& entry : record.entries) expected.push_back(entry.text);
  }
  books.reads = 0;
  EXPECT_EQ(Words("100???"), expected);
  EXPECT_EQ(books.reads, 2);

  // Record 417 starts before the boundary (at 64 + 417 * 941 = 392,461 within the book, i.e.
  // 392,397 bytes into the range) and ends after it.
  std::vector<std::u16string> straddling;
  for (const auto& entry : records[417].entries) straddling.push_back(entry.text);
  EXPECT_EQ(Words("100417"), straddling);
  EXPECT_EQ(Words("100419"), std::vector<std::u16string>(expected.end() - 9, expected.end()));
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(LexiconTest, WordRangeOfCacheSizeIsChunkedAndOneByteLessIsNot) {
  // No word book: only the chunked scan reports that it cannot open it.
  struct Case {
    std::uint32_t length;
    std::vector<Message> expected;
  };
  const Case cases[] = {
      {393216, {{"开词组文件失败!", "模糊检索"}}},
      {393215, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    std::array<std::uint32_t, formats::kBucketCount> wordLengths{};
    wordLengths[133] = c.length;
    WriteIndex({}, wordLengths);
    messages.messages.clear();
    lexicon.LoadLexicon({});
    EXPECT_TRUE(Words("100???").empty());
    EXPECT_EQ(messages.messages, c.expected);
  }
}

TEST_F(LexiconTest, ReadFailuresAreReported) {
  auto words = LargeWordSet();
  words.push_back({"5", {{u"甲乙", 0, 0}}});
  WriteSet(Data(), kChars, words);
  lexicon.LoadLexicon({});
  books.failRead = true;
  EXPECT_EQ(Chars("5"), u"");
  EXPECT_TRUE(Words("5").empty());
  EXPECT_TRUE(Words("100???").empty());
  EXPECT_EQ(messages.messages, (std::vector<Message>{{kReadFailed, "检索汉字"},
                                                     {kReadFailed, "检索词组"},
                                                     {kReadFailed, "检索词组带问号"}}));
}

TEST_F(LexiconTest, MissingBooksAtLookupGiveNothingSilently) {
  WriteSet(Data(), kChars, kWords);
  lexicon.LoadLexicon({});
  books.failOpen = true;
  EXPECT_EQ(Chars("52"), u"");
  EXPECT_EQ(Chars("?2"), u"");
  EXPECT_TRUE(Words("52").empty());
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(LexiconTest, MissingMainIndexIsReportedOnceAndRetriedSilently) {
  lexicon.LoadLexicon({});
  EXPECT_EQ(messages.messages,
            (std::vector<Message>{{"加载字词码本索引文件失败,请重新安装本软件", ""}}));
  EXPECT_FALSE(lexicon.mainIndex());
  EXPECT_EQ(Chars("5"), u"");

  WriteSet(Data(), kChars, kWords);
  EXPECT_EQ(Chars("5"), u"一");
  EXPECT_TRUE(lexicon.mainIndex());
  EXPECT_EQ(Words("52").size(), 2u);
  EXPECT_EQ(messages.messages.size(), 1u);
}

TEST_F(LexiconTest, LoadReportsAMissingAssociationIndexAndGoesOn) {
  ASSERT_EQ(WriteCodeBooks(Data(), kChars, kWords), "");
  WriteBytes(Data() / "HKCS.mb", std::vector<std::uint8_t>(13, 1));
  lexicon.LoadLexicon({});
  EXPECT_EQ(messages.messages,
            (std::vector<Message>{{"加载联想码本索引文件失败,请重新安装本软件", ""}}));
  EXPECT_FALSE(lexicon.associationIndex());
  EXPECT_EQ(lexicon.hkcsCount(), 2);
  EXPECT_TRUE(lexicon.hasReadCache());
  EXPECT_EQ(Chars("5"), u"一");
}

TEST_F(LexiconTest, ExhaustedMemoryIsReportedWithTheTableItStruckIn) {
  const std::string kOutOfMemory = "内存申请失败,请先关闭一些程序";
  struct Case {
    std::string file;
    std::vector<Message> atLoad;
    std::vector<Message> atReload;
    bool hasIndex;
    bool hasHkcs;
  };
  const Case cases[] = {
      {"lurn2008.idx",
       {{kOutOfMemory, "加载字词码本索引文件"}},
       {{kOutOfMemory, ""}},
       false,
       false},
      {"lurnsmlx.idx", {{kOutOfMemory, "加载联想码本索引文件"}}, {{kOutOfMemory, ""}}, true, true},
      {"HKCS.mb", {}, {}, true, false},
  };
  WriteSet(Data(0, 0), kChars, kWords);
  WriteSet(Data(1, 0), kChars, kWords);
  WriteBytes(Data(0, 0) / "HKCS.mb", std::vector<std::uint8_t>(6, 1));
  WriteBytes(Data(1, 0) / "HKCS.mb", std::vector<std::uint8_t>(6, 1));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    files.exhausted = c.file;
    messages.messages.clear();
    lexicon.LoadLexicon({0, 0, false});
    EXPECT_EQ(messages.messages, c.atLoad);
    EXPECT_EQ(lexicon.mainIndex().has_value(), c.hasIndex);
    EXPECT_EQ(lexicon.hkcsTable().has_value(), c.hasHkcs);
    EXPECT_TRUE(lexicon.hasReadCache());

    messages.messages.clear();
    EXPECT_TRUE(lexicon.CheckReload({1, 0, false}));
    EXPECT_EQ(messages.messages, c.atReload);
    EXPECT_EQ(lexicon.mainIndex().has_value(), c.hasIndex);
    EXPECT_EQ(lexicon.hkcsTable().has_value(), c.hasHkcs);
  }
}

TEST_F(LexiconTest, LoadReadsTheBaseFolderTables) {
  WriteSet(Data(), kChars, kWords);
  std::vector<std::uint8_t> key(16);
  for (std::size_t i = 0; i < key.size(); ++i) key[i] = static_cast<std::uint8_t>(i + 1);
  WriteBytes(ime::BaseFolder(folders) / "ProfessionCi.idx", key);
  WriteBytes(ime::BaseFolder(folders) / "gbkhznum.mb", std::vector<std::uint8_t>(4, 7));

  lexicon.LoadLexicon({0, 0, false});
  EXPECT_FALSE(lexicon.professionIndex());
  EXPECT_EQ(lexicon.xorMask(), formats::ProfessionMask{});
  EXPECT_TRUE(lexicon.characterNumbers());

  lexicon.LoadLexicon({0, 0, true});
  ASSERT_TRUE(lexicon.professionIndex());
  for (std::size_t i = 0; i < formats::kProfessionMaskSize; ++i) {
    EXPECT_EQ(lexicon.xorMask()[i], key[i % 16]) << i;
  }
  EXPECT_TRUE(messages.messages.empty());

  lexicon.FreeLexicon();
  EXPECT_FALSE(lexicon.mainIndex());
  EXPECT_FALSE(lexicon.professionIndex());
  EXPECT_FALSE(lexicon.characterNumbers());
  EXPECT_FALSE(lexicon.hasReadCache());
  EXPECT_EQ(Chars("5"), u"");
}

TEST_F(LexiconTest, ChangedScriptOrCodeTablesReloadTheVariant) {
  WriteSet(Data(0, 0), {{"5", {Char(u'一')}}}, {});
  WriteSet(Data(1, 0), {{"5", {Char(u'丁')}}}, {});
  WriteSet(Data(0, 1), {{"5", {Char(u'甲')}}}, {});
  WriteBytes(Data(1, 0) / "HKCS.mb", std::vector<std::uint8_t>(12, 1));
  lexicon.LoadLexicon({0, 0, false});
  EXPECT_EQ(Chars("5"), u"一");
  EXPECT_EQ(lexicon.hkcsCount(), 0);

  EXPECT_FALSE(lexicon.CheckReload({0, 0, false}));
  EXPECT_TRUE(lexicon.CheckReload({1, 0, false}));
  EXPECT_EQ(lexicon.scriptFlag(), 1);
  EXPECT_EQ(Chars("5"), u"丁");
  EXPECT_EQ(lexicon.hkcsCount(), 2);

  EXPECT_TRUE(lexicon.CheckReload({0, 1, false}));
  EXPECT_EQ(Chars("5"), u"甲");
  EXPECT_EQ(lexicon.hkcsCount(), 0);
  EXPECT_TRUE(messages.messages.empty());

  // A variant without its index.
  EXPECT_TRUE(lexicon.CheckReload({1, 1, false}));
  EXPECT_EQ(messages.messages, (std::vector<Message>{{"加载码本文件失败,请重新安装本软件", ""}}));
  EXPECT_FALSE(lexicon.associationIndex());
}

// Every cut of both books, with the index unchanged: its lengths then reach past the end.
TEST_F(LexiconTest, CutBooksGiveAPrefixOfTheResults) {
  WriteSet(Data(), kChars, kWords);
  lexicon.LoadLexicon({});
  const auto charBook = *files.ReadAll(Data() / "lurnsmz.mb");
  const auto wordBook = *files.ReadAll(Data() / "lurnsmc.mb");
  const char* charCodes[] = {"?", "?2", "5271", "527?", "52"};
  const char* wordCodes[] = {"?", "52", "5271??", "527109"};
  std::vector<std::u16string> fullChars;
  for (const char* code : charCodes) fullChars.push_back(Chars(code));
  std::vector<std::vector<std::u16string>> fullWords;
  for (const char* code : wordCodes) fullWords.push_back(Words(code));

  for (std::size_t cut = 0; cut < charBook.size(); ++cut) {
    WriteBytes(Data() / "lurnsmz.mb", std::span(charBook).first(cut));
    for (std::size_t i = 0; i < std::size(charCodes); ++i) {
      const auto found = Chars(charCodes[i]);
      EXPECT_TRUE(fullChars[i].starts_with(found)) << cut << " " << charCodes[i];
    }
  }
  for (std::size_t cut = 0; cut < wordBook.size(); ++cut) {
    WriteBytes(Data() / "lurnsmc.mb", std::span(wordBook).first(cut));
    for (std::size_t i = 0; i < std::size(wordCodes); ++i) {
      const auto found = Words(wordCodes[i]);
      ASSERT_LE(found.size(), fullWords[i].size());
      EXPECT_TRUE(std::equal(found.begin(), found.end(), fullWords[i].begin()))
          << cut << " " << wordCodes[i];
    }
  }
  // The last cut leaves out only the final end mark: the entries before it are still found.
  EXPECT_EQ(Words("527109"), fullWords[3]);
}

TEST_F(LexiconTest, RecordWithoutEndMarkKeepsItsWholeEntries) {
  std::vector<std::uint8_t> book(64, 0);
  AppendPacked(book, "5");
  AppendU16(book, u'一');
  for (int i = 0; i < 3; ++i) AppendU16(book, 0);
  AppendU16(book, u'二');
  AppendU16(book, 0);  // half an entry, then the book ends
  std::array<std::uint16_t, formats::kBucketCount> charLengths{};
  charLengths[605] = 200;  // longer than the book
  WriteIndex(charLengths, {});
  WriteBytes(Data() / "lurnsmz.mb", book);
  lexicon.LoadLexicon({});
  EXPECT_EQ(Chars("5"), u"一");
  EXPECT_EQ(Chars("?"), u"一");
}

}  // namespace

namespace {

class CollectTest : public LexiconTest {
 protected:
  std::vector<ime::ResultSlot> charSlots = std::vector<ime::ResultSlot>(2000);
  std::vector<ime::ResultSlot> wordSlots = std::vector<ime::ResultSlot>(2000);
  ime::LexiconSettings settings;

  std::u16string CharTexts(std::size_t count) const {
    std::u16string texts;
    for (std::size_t i = 0; i < count; ++i) texts.append(charSlots[i].text());
    return texts;
  }
  std::vector<std::u16string> WordTexts(std::size_t count) const {
    std::vector<std::u16string> texts;
    for (std::size_t i = 0; i < count; ++i) texts.emplace_back(wordSlots[i].text());
    return texts;
  }
};

TEST_F(CollectTest, DuplicatesAreDroppedOnlyWhenSlotsAreGiven) {
  WriteSet(Data(), {{"5271", {Char(u'五', 4), Char(u'六', 1)}}, {"5272", {Char(u'五', 2)}}},
           {{"527100", {{u"子丑", 0, 1}}}, {"527101", {{u"子丑", 0, 2}, {u"寅", 0, 3}}}});
  lexicon.LoadLexicon(settings);
  EXPECT_EQ(ime::SearchChars(lexicon, settings, "527?", charSlots), 2u);
  EXPECT_EQ(CharTexts(2), u"五六");
  EXPECT_EQ(lexicon.wildcardFlag, 1);
  EXPECT_EQ(lexicon.sortKeys[0], 4);
  EXPECT_EQ(lexicon.sortKeys[1], 1);
  EXPECT_EQ(charSlots[0].units[2], 0x5271);

  EXPECT_EQ(ime::SearchWords(lexicon, settings, "52710?", wordSlots), 2u);
  EXPECT_EQ(WordTexts(2), (std::vector<std::u16string>{u"子丑", u"寅"}));
  EXPECT_EQ(lexicon.counters[ime::CLexicon::kBookChars], 2);
  EXPECT_EQ(lexicon.counters[ime::CLexicon::kBookWords], 2);

  lexicon.counters = {};
  EXPECT_EQ(ime::SearchChars(lexicon, settings, "527?", {}), 3u);
  EXPECT_EQ(ime::SearchWords(lexicon, settings, "52710?", {}), 3u);
}

TEST_F(CollectTest, ExactCharactersCarryNoHintAndKeepTheKeys) {
  WriteSet(Data(), kChars, kWords);
  lexicon.LoadLexicon(settings);
  lexicon.sortKeys[0] = 77;
  EXPECT_EQ(ime::SearchChars(lexicon, settings, "5271", charSlots), 2u);
  EXPECT_EQ(lexicon.wildcardFlag, 0);
  EXPECT_EQ(charSlots[0].units[2], ime::kNoCodeHint);
  EXPECT_EQ(lexicon.sortKeys[0], 77);
  EXPECT_EQ(ime::SearchChars(lexicon, settings, "12345", charSlots), 0u);
}

TEST_F(CollectTest, EachKindStopsAt990) {
  CharRecord many{"5271", {}};
  for (int i = 0; i < 1000; ++i) many.entries.push_back(Char(static_cast<char16_t>(0x4E00 + i)));
  WriteSet(Data(), {many}, kWords);
  lexicon.LoadLexicon(settings);
  EXPECT_EQ(ime::SearchChars(lexicon, settings, "527?", charSlots), 990u);
  EXPECT_EQ(charSlots[989].units[0], 0x4E00 + 989);
  EXPECT_EQ(ime::SearchChars(lexicon, settings, "527?", charSlots), 0u);
  EXPECT_EQ(lexicon.CharTotal(), 990u);
  // Words are limited on their own.
  EXPECT_EQ(ime::SearchWords(lexicon, settings, "52", wordSlots), 2u);

  lexicon.counters = {};
  lexicon.counters[ime::CLexicon::kUserChars] = 985;
  EXPECT_EQ(ime::SearchChars(lexicon, settings, "527?", charSlots), 5u);
}

TEST_F(CollectTest, SearchesRunTheReloadCheck) {
  WriteSet(Data(0, 0), {{"5", {Char(u'一')}}}, {});
  WriteSet(Data(1, 0), {{"5", {Char(u'丁')}}}, {});
  lexicon.LoadLexicon(settings);
  settings.scriptFlag = 1;
  EXPECT_EQ(ime::SearchChars(lexicon, settings, "5", charSlots), 1u);
  EXPECT_EQ(CharTexts(1), u"丁");
}

TEST_F(CollectTest, SortsAreStableAndKeepKeysWithTheirSlots) {
  const auto slot = [](std::u16string_view text) {
    ime::ResultSlot result;
    std::copy(text.begin(), text.end(), result.units.begin());
    return result;
  };
  std::vector<ime::ResultSlot> slots = {slot(u"甲"), slot(u"乙"), slot(u"丙"), slot(u"丁"),
                                        slot(u"戊")};
  std::vector<std::uint16_t> keys = {9, 5, 3, 5, 1};
  // The first slot stays where it is: it lies before the sorted block.
  ime::SortCharsByKey(slots, keys, 1, 4);
  std::u16string order;
  for (const auto& s : slots) order.append(s.text());
  EXPECT_EQ(order, u"甲戊丙乙丁");
  EXPECT_EQ(keys, (std::vector<std::uint16_t>{9, 1, 3, 5, 5}));

  std::vector<ime::ResultSlot> words = {slot(u"甲乙丙"), slot(u"甲乙"), slot(u"丙丁"),
                                        slot(u"戊己"), slot(u"庚")};
  std::vector<std::uint16_t> wordKeys = {9, 2, 7, 2, 0};
  ime::SortWordsByLengthAndKey(words, wordKeys, 0, 5);
  std::vector<std::u16string> wordOrder;
  for (const auto& s : words) wordOrder.emplace_back(s.text());
  EXPECT_EQ(wordOrder, (std::vector<std::u16string>{u"庚", u"丙丁", u"甲乙", u"戊己", u"甲乙丙"}));
  EXPECT_EQ(wordKeys, (std::vector<std::uint16_t>{0, 7, 2, 2, 9}));
}

}  // namespace
