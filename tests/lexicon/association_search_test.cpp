#include "ime/lexicon/association_search.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/formats/association_book.h"
#include "common/formats/character_numbers.h"
#include "ime/lexicon/install_folders.h"
#include "platform/sim/sim_book_reader.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_folders.h"
#include "platform/sim/sim_message_box.h"
#include "tests/support/data_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using formats::AssociationBlock;
using testing_support::WriteBytes;
using Texts = std::vector<std::u16string>;

// The real file system, counting opens and reads, and failing reads from a given one on.
class CountingBooks final : public platform::BookReader {
 public:
  std::unique_ptr<platform::OpenBook> Open(const std::filesystem::path& file) const override {
    ++opens;
    auto inner = sim_.Open(file);
    if (!inner) return nullptr;
    return std::make_unique<Counted>(std::move(inner), *this);
  }

  mutable int opens = 0;
  mutable int seeks = 0;
  mutable int reads = 0;
  int failFromRead = 0;  // 0: never fail; n: the n-th read and later ones fail

 private:
  struct Counted final : platform::OpenBook {
    Counted(std::unique_ptr<platform::OpenBook> file, const CountingBooks& watcher)
        : inner(std::move(file)), owner(watcher) {}
    std::optional<std::uint64_t> Size() override { return inner->Size(); }
    bool Seek(std::uint64_t offset) override {
      ++owner.seeks;
      return inner->Seek(offset);
    }
    std::optional<std::size_t> Read(std::span<std::uint8_t> into) override {
      ++owner.reads;
      if (owner.failFromRead != 0 && owner.reads >= owner.failFromRead) return std::nullopt;
      return inner->Read(into);
    }
    std::unique_ptr<platform::OpenBook> inner;
    const CountingBooks& owner;
  };
  platform::SimBookReader sim_;
};

std::string Hex(std::u16string_view text) {
  std::string hex;
  for (char16_t unit : text) hex += std::to_string(unit) + ' ';
  return hex;
}

Texts Visible(const ime::CandList& list) {
  Texts texts;
  for (int i = 0; i < list.count; ++i) texts.emplace_back(ime::CandidateText(list, i));
  return texts;
}

std::vector<formats::AssociationEntryData> Entries(const Texts& texts) {
  std::vector<formats::AssociationEntryData> entries;
  std::uint16_t value = 7;
  for (const auto& text : texts) entries.push_back({text, value++});
  return entries;
}

const Texts kUnits = {u"个",   u"种",   u"人",   u"次",     u"只",     u"条",      u"米",
                      u"年",   u"月",   u"日",   u"公里",   u"小时",   u"公斤",    u"千克",
                      u"千瓦", u"厘米", u"毫升", u"平方米", u"立方米", u"平方公里"};

class AssociationTest : public ::testing::Test {
 protected:
  std::filesystem::path Data() const { return ime::DataFolder(folders, 0, 0); }

  // A data folder with empty code books (the association index loads only with the main
  // index) and the given association book.
  void WriteSet(const std::vector<AssociationBlock>& blocks, int scriptFlag = 0) {
    const std::filesystem::path folder = ime::DataFolder(folders, scriptFlag, 0);
    ASSERT_EQ(testing_support::WriteCodeBooks(folder, {}, {}), "");
    const auto image = formats::BuildAssociationBook(blocks);
    ASSERT_TRUE(image) << image.error();
    WriteBytes(folder / "lurnsmlx.idx", image->index);
    WriteBytes(folder / "lurnsmlx.mb", image->book);
  }

  void WriteNumbers(const std::vector<std::pair<char16_t, std::uint8_t>>& numbers) {
    const auto table = formats::WriteCharacterNumbers(numbers);
    ASSERT_TRUE(table) << table.error();
    WriteBytes(ime::BaseFolder(folders) / "gbkhznum.mb", *table);
  }

  void Load() {
    lexicon.LoadLexicon({});
    ASSERT_TRUE(lexicon.associationIndex().has_value());
  }

  ime::CandList& List(std::u16string_view text, char16_t trigger = ime::kAssociateByMode,
                      int mamode = 1) {
    return ime::ListAssociations(target, {{}, mamode}, text, trigger);
  }

  ime::CandList* Containing(std::u16string_view text, int mamode = 1) {
    return ime::FindWordsContaining(target, {{}, mamode}, text);
  }

  // The one-unit and the longer texts of the last list, each kind in its stored order.
  std::pair<Texts, Texts> Kinds() {
    ime::ArrangeCandidates(*list, ime::kCharsFirst);
    const Texts chars = Visible(*list);
    ime::ArrangeCandidates(*list, ime::kWordsFirst);
    return {list->charCount == 0 ? Texts{} : chars,
            list->wordCount == 0 ? Texts{} : Visible(*list)};
  }

  testing_support::TempDir dir;
  platform::SimFolders folders{dir.path()};
  platform::SimFiles files;
  CountingBooks books;
  platform::SimMessageBox messages;
  ime::CLexicon lexicon{ime::LexiconPorts{folders, files, books, messages}};
  std::vector<ime::ResultSlot> charSlots = std::vector<ime::ResultSlot>(2000);
  std::vector<ime::ResultSlot> wordSlots = std::vector<ime::ResultSlot>(2000);
  std::unique_ptr<ime::CandList> list = std::make_unique<ime::CandList>(2, 1);
  ime::AssociationTarget target{lexicon, books, charSlots, wordSlots, *list};
};

// 中 continues as 中国, 中华人民, 中国人, 中文, 中间人 and 中华.
const std::vector<AssociationBlock> kMiddle = {
    {u'中', Entries({u"国", u"华人民", u"国人", u"文", u"间人", u"华"})},
    {u'国', Entries({u"家"})},
    {u'○', Entries({u"五"})},
};

TEST_F(AssociationTest, FollowOnsOfTextsOfEveryLength) {
  WriteSet(kMiddle);
  Load();
  struct Case {
    std::u16string text;
    Texts chars;
    Texts words;
  };
  const Case cases[] = {
      // One-unit follow-ons in block order; longer ones shorter first, equal lengths in block
      // order.
      {u"中", {u"国", u"文", u"华"}, {u"国人", u"间人", u"华人民"}},
      {u"中国", {u"人"}, {}},
      {u"中华", {}, {u"人民"}},
      {u"中华人", {u"民"}, {}},
      {u"中华人民", {}, {}},
      {u"中美", {}, {}},
      {u"国", {u"家"}, {}},
      {u"家", {}, {}},
      {u"○", {u"五"}, {}},
      {u"A", {}, {}},
      {u"", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Hex(c.text));
    List(c.text);
    EXPECT_EQ(Kinds(), std::make_pair(c.chars, c.words));
  }
}

TEST_F(AssociationTest, ListIsMarkedWithTheCommittedText) {
  WriteSet(kMiddle);
  Load();
  EXPECT_EQ(List(u"中").keyInfo, 0x4E2D0001u);
  EXPECT_EQ(List(u"中国").keyInfo, 0xFFFF0001u);
  EXPECT_EQ(List(u"中美").keyInfo, 0u);
  EXPECT_EQ(ime::CandidateHint(List(u"中"), 0), ime::kNoCodeHint);
}

TEST_F(AssociationTest, TriggerChoosesTheArrangement) {
  WriteSet(kMiddle);
  Load();
  struct Case {
    char16_t trigger;
    int mamode;
    int arrangement;
    Texts visible;
  };
  const Case cases[] = {
      {u'/', 2, ime::kCharsFirst, {u"国", u"文", u"华"}},
      {u'*', 1, ime::kWordsFirst, {u"国人", u"间人", u"华人民"}},
      {0, 1, ime::kCharsFirst, {u"国", u"文", u"华"}},
      {0, 2, ime::kWordsFirst, {u"国人", u"间人", u"华人民"}},
      // Two characters and one word a page.
      {0, 3, ime::kMixedPages, {u"国", u"文", u"国人", u"华", u"间人", u"华人民"}},
      {u'/', 3, ime::kCharsFirst, {u"国", u"文", u"华"}},
      // No arrangement of the configuration adds nothing, whatever the trigger.
      {u'/', 0, ime::kNotArranged, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "trigger " << int(c.trigger) << " mode " << c.mamode);
    const ime::CandList& shown = List(u"中", c.trigger, c.mamode);
    EXPECT_EQ(shown.arrangement, c.arrangement);
    EXPECT_EQ(Visible(shown), c.visible);
    EXPECT_EQ(shown.pageNo, 1);
  }
}

TEST_F(AssociationTest, NumbersWithoutFollowOnsGetUnits) {
  WriteSet({{u'一', Entries({u"些"})}});
  Load();
  struct Case {
    std::u16string text;
    bool units;
  };
  const Case cases[] = {
      {u"三", true},    {u"十", true},      {u"三十", true}, {u"三百○五", true}, {u"九千万", true},
      {u"三四", false}, {u"一○五", false},  {u"○十", false}, {u"百", false},     {u"三十A", false},
      {u"１２", true},  {u"９", true},      {u"１０", true}, {u"０１", false},   {u"１2", false},
      {u"2", false},    {u"二〇十", false},  // the ideographic zero is not the circle
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Hex(c.text));
    EXPECT_EQ(ime::IsAssociationNumber(c.text), c.units);
    List(c.text, u'*');
    EXPECT_EQ(Kinds(), c.units ? std::make_pair(Texts(kUnits.begin(), kUnits.begin() + 10),
                                                Texts(kUnits.begin() + 10, kUnits.end()))
                               : std::make_pair(Texts{}, Texts{}));
  }

  // Units keep the order they are given in, and the list is not marked.
  const ime::CandList& units = List(u"三十", 0, 2);
  EXPECT_EQ(units.keyInfo, 0u);
  EXPECT_EQ(units.arrangement, ime::kWordsFirst);
  EXPECT_EQ(Visible(units), Texts(kUnits.begin() + 10, kUnits.end()));

  // A number with follow-ons gets them instead.
  List(u"一");
  EXPECT_EQ(Kinds(), std::make_pair(Texts{u"些"}, Texts{}));
}

TEST_F(AssociationTest, FollowOnsStopAt990OfEachKindAnd49Units) {
  Texts block;
  for (char16_t i = 0; i < 1000; ++i) {
    block.push_back(std::u16string(1, static_cast<char16_t>(0x5000 + i)));
    block.push_back(std::u16string(2, static_cast<char16_t>(0x6000 + i)));
  }
  block.push_back(std::u16string(49, u'长'));
  WriteSet({{u'中', Entries(block)}, {u'国', Entries({std::u16string(49, u'长')})}});
  Load();

  List(u"中");
  const auto [chars, words] = Kinds();
  ASSERT_EQ(chars.size(), 990u);
  ASSERT_EQ(words.size(), 990u);
  EXPECT_EQ(chars.back(), std::u16string(1, char16_t{0x5000 + 989}));
  EXPECT_EQ(words.back(), std::u16string(2, char16_t{0x6000 + 989}));

  List(u"国");
  EXPECT_EQ(Kinds(), std::make_pair(Texts{}, Texts{std::u16string(49, u'长')}));
}

TEST_F(AssociationTest, FollowOnsReadOneBlockOnce) {
  WriteSet(kMiddle);
  Load();
  List(u"中国");
  EXPECT_EQ(books.opens, 1);
  EXPECT_EQ(books.reads, 1);
}

// Words holding 国 after their first character, and some that do not.
const std::vector<AssociationBlock> kHolding = {
    {u'中', Entries({u"国王", u"国人", u"国", u"文"})},
    {u'爱', Entries({u"国"})},
    {u'国', Entries({u"家", u"国"})},
    {u'美', Entries({u"国人民", u"国人"})},
    // The circle has a block, but the search visits the ideographs only.
    {u'○', Entries({u"国"})},
};

TEST_F(AssociationTest, ContainingWordsByLengthNumberAndCodeUnits) {
  WriteSet(kHolding);
  WriteNumbers({{u'爱', 1}, {u'中', 2}, {u'国', 3}});
  Load();
  struct Case {
    std::u16string text;
    Texts found;
  };
  const Case cases[] = {
      // 美 is unnumbered (20); 中国人 and 中国王 share their first character and go by code
      // units.
      {u"国", {u"爱国", u"中国", u"国国", u"中国人", u"中国王", u"美国人", u"美国人民"}},
      // Entries no longer than the text are not taken.
      {u"国人", {u"美国人民"}},
      {u"人", {u"中国人", u"美国人", u"美国人民"}},
      {u"民", {u"美国人民"}},
      // Found through its follow-on alone.
      {u"家", {u"国家"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Hex(c.text));
    const ime::CandList* found = Containing(c.text, 2);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found, list.get());
    EXPECT_EQ(Visible(*found), c.found);
    EXPECT_EQ(found->arrangement, ime::kWordsFirst);
    EXPECT_EQ(found->keyInfo, c.text.size() == 1 ? std::uint32_t{c.text[0]} << 16 : 0xFFFF0000u);
  }
  // Every block that holds entries is read once, through one open; the blocks lie one after
  // another, so only the first needs a seek.
  books.opens = books.seeks = books.reads = 0;
  Containing(u"国");
  EXPECT_EQ(books.opens, 1);
  EXPECT_EQ(books.seeks, 1);
  EXPECT_EQ(books.reads, 4);
}

TEST_F(AssociationTest, ContainingWordsWithoutNumbersGoByCodeUnits) {
  WriteSet(kHolding);
  Load();
  const ime::CandList* found = Containing(u"国");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(Visible(*found),
            (Texts{u"中国", u"国国", u"爱国", u"中国人", u"中国王", u"美国人", u"美国人民"}));
}

TEST_F(AssociationTest, NothingContainingLeavesTheListAlone) {
  WriteSet(kHolding);
  Load();
  List(u"中");
  const Texts before = Visible(*list);
  EXPECT_EQ(Containing(u"猫"), nullptr);
  EXPECT_EQ(Containing(u"国王子"), nullptr);
  EXPECT_EQ(Containing(u""), nullptr);
  EXPECT_EQ(Visible(*list), before);
  EXPECT_EQ(list->keyInfo, 0x4E2D0001u);
}

TEST_F(AssociationTest, ContainingWordsStopAt990AndTakeEntriesUpTo48Units) {
  Texts many;
  for (char16_t i = 0; i < 1000; ++i) many.push_back(std::u16string{u'国', char16_t(0x5000 + i)});
  WriteSet({{u'丁', Entries({std::u16string(48, u'猫'), std::u16string(49, u'猫')})},
            {u'中', Entries(many)}});
  Load();

  const ime::CandList* cats = Containing(u"猫", 3);
  ASSERT_NE(cats, nullptr);
  EXPECT_EQ(Visible(*cats), (Texts{u"丁" + std::u16string(48, u'猫')}));
  EXPECT_EQ(cats->arrangement, ime::kMixedPages);

  const ime::CandList* found = Containing(u"国");
  ASSERT_NE(found, nullptr);
  ASSERT_EQ(found->count, 990);
  EXPECT_EQ(ime::CandidateText(*found, 989),
            (std::u16string{u'中', u'国', char16_t(0x5000 + 989)}));
}

TEST_F(AssociationTest, SearchesReadTheFolderOfTheCurrentScript) {
  WriteSet(kHolding);
  WriteSet({{u'中', Entries({u"心"})}, {u'丁', Entries({u"中心"})}}, 1);
  Load();
  const ime::AssociationSettings simplified{{.scriptFlag = 1}, 1};
  EXPECT_EQ(Visible(ime::ListAssociations(target, simplified, u"中", 0)), Texts{u"心"});
  const ime::CandList* found = ime::FindWordsContaining(target, simplified, u"心");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(Visible(*found), (Texts{u"中心", u"丁中心"}));
  EXPECT_EQ(Visible(List(u"中")), (Texts{u"国", u"文"}));
}

TEST_F(AssociationTest, MissingFilesGiveNothing) {
  WriteSet(kHolding);
  Load();
  std::filesystem::remove(Data() / "lurnsmlx.mb");
  EXPECT_EQ(List(u"中").count, 0);
  EXPECT_EQ(Containing(u"国"), nullptr);
  // Units do not depend on the book.
  EXPECT_EQ(List(u"五").count, 10);

  ime::CLexicon noIndex{ime::LexiconPorts{folders, files, books, messages}};
  std::filesystem::remove(Data() / "lurnsmlx.idx");
  noIndex.LoadLexicon({});
  ASSERT_FALSE(noIndex.associationIndex().has_value());
  const ime::AssociationTarget other{noIndex, books, charSlots, wordSlots, *list};
  books.opens = 0;
  EXPECT_EQ(ime::ListAssociations(other, {}, u"中", 0).count, 0);
  EXPECT_EQ(ime::FindWordsContaining(other, {}, u"国"), nullptr);
  EXPECT_EQ(books.opens, 0);
}

TEST_F(AssociationTest, FailedReadStopsTheContainingSearch) {
  WriteSet(kHolding);
  Load();
  books.failFromRead = 3;  // the block of 爱, after those of 中 and 国
  const ime::CandList* found = Containing(u"国");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(Visible(*found), (Texts{u"中国", u"国国", u"中国人", u"中国王"}));
  EXPECT_EQ(books.reads, 3);

  books.failFromRead = books.reads + 1;
  EXPECT_EQ(List(u"中").count, 0);
}

// A book cut inside the block of 美: the whole entries before the cut are kept, and nothing is
// read past the bytes that were there.
TEST_F(AssociationTest, BookShorterThanItsIndexKeepsWholeEntries) {
  WriteSet({kHolding.begin(), kHolding.end() - 1});  // without the circle: 美 is last
  const auto book = files.ReadAll(Data() / "lurnsmlx.mb");
  ASSERT_TRUE(book);
  // The last block is 国人民 (10 bytes) then 国人 (8 bytes); cut the final entry's value.
  WriteBytes(Data() / "lurnsmlx.mb", std::span(*book).first(book->size() - 1));
  Load();

  List(u"美", u'*');
  EXPECT_EQ(Visible(*list), (Texts{u"国人民"}));
  const ime::CandList* found = Containing(u"人");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(Visible(*found), (Texts{u"中国人", u"美国人民"}));
}

// Index lengths that exceed the book (every slot claims bytes) must not send reads past the
// buffer; the unreadable blocks simply hold nothing.
TEST_F(AssociationTest, IndexClaimingTooMuchReadsOnlyWhatIsThere) {
  WriteSet(kHolding);
  std::vector<std::uint8_t> index(formats::kAssociationIndexSize, 0);
  for (std::size_t at = formats::kAssociationHeaderSize; at < index.size(); at += 2) {
    index[at] = 0xFF;
    index[at + 1] = 0xFF;
  }
  WriteBytes(Data() / "lurnsmlx.idx", index);
  std::vector<std::uint8_t> book(64, 0);
  for (char16_t unit : {u'国', u'\xFFFF', u'\0', u'文'}) {  // one entry, then a cut one
    book.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    book.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  WriteBytes(Data() / "lurnsmlx.mb", book);
  Load();

  List(u"一");
  EXPECT_EQ(Kinds(), std::make_pair(Texts{u"国"}, Texts{}));
  EXPECT_EQ(List(u"中").count, 0);
  const ime::CandList* found = Containing(u"国");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(Visible(*found), (Texts{u"一国"}));
}

}  // namespace
