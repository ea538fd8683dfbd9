#include "ime/lexicon/lex_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/formats/profession_book.h"
#include "common/formats/user_word_file.h"
#include "ime/lexicon/install_folders.h"
#include "platform/sim/iconv_code_pages.h"
#include "platform/sim/sim_book_reader.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_folders.h"
#include "platform/sim/sim_message_box.h"
#include "tests/support/data_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using formats::CharEntry;
using formats::CharRecord;
using formats::WordRecord;
using Texts = std::vector<std::u16string>;

CharEntry Char(char16_t character, std::uint16_t sortKey = 0) {
  return CharEntry{character, 0, sortKey, 0};
}

// 527 has words but no characters; its four-digit extensions have characters with keys out of
// file order, and 5273 a word the widened character search must not put in place of 527's. 991234
// is the only entry under 99. 4 has a character and no word anywhere.
const std::vector<CharRecord> kChars = {
    {"5", {Char(u'一')}},
    {"52", {Char(u'二'), Char(u'三')}},
    {"5271", {Char(u'五', 3), Char(u'六', 1)}},
    {"5272", {Char(u'七', 2)}},
    {"62", {Char(u'八')}},
    {"4", {Char(u'十')}},
};
const std::vector<WordRecord> kWords = {
    {"52", {{u"丙丁", 0, 2}, {u"戊己", 0, 3}}},
    {"527", {{u"庚辛", 0, 4}}},
    {"5273", {{u"癸甲", 0, 5}}},
    {"527100", {{u"子丑", 0, 6}}},
    {"527109", {{u"寅卯", 0, 7}}},
    {"527108", {{u"甲乙丙", 0, 9}}},
    {"991234", {{u"远词", 0, 1}}},
};

constexpr std::array<std::uint8_t, formats::kProfessionKeySize> kKey = {
    0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xF0, 0x0F};

class LexSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(testing_support::WriteCodeBooks(ime::DataFolder(folders, 0, 0), kChars, kWords), "");
    testing_support::WriteBytes(ime::DataFolder(folders, 0, 0) / "lurnsmlx.idx",
                                std::vector<std::uint8_t>(16, 0));
  }

  void WriteProfession(const std::vector<WordRecord>& records) {
    const auto image = formats::BuildProfessionBook(kKey, records);
    ASSERT_TRUE(image) << image.error();
    testing_support::WriteBytes(ime::BaseFolder(folders) / "ProfessionCi.idx", image->index);
    testing_support::WriteBytes(ime::BaseFolder(folders) / "ProfessionCi.MB", image->book);
  }

  void WriteUserWords(const std::vector<formats::UserWordData>& words) {
    const auto bytes = formats::WriteUserWordList(words, codePages, 936);
    ASSERT_TRUE(bytes) << bytes.error();
    testing_support::WriteBytes(ime::BaseFolder(folders) / "ZDYgbk.TXT", *bytes);
  }

  ime::LexSearch& Search() {
    if (!search) {
      search = std::make_unique<ime::LexSearch>(
          ime::LexSearchPorts{{folders, files, books, messages}, codePages}, settings);
    }
    return *search;
  }

  // The visible candidates of the list as it was left.
  static Texts Visible(const ime::CandList& list) {
    Texts texts;
    for (int i = 0; i < list.count; ++i) texts.emplace_back(ime::CandidateText(list, i));
    return texts;
  }

  ime::CandList& Lookup(std::string_view code, int mode = 0) {
    return *Search().LookupCode(code, mode, settings);
  }

  testing_support::TempDir dir;
  platform::SimFolders folders{dir.path()};
  platform::SimFiles files;
  platform::SimBookReader books;
  platform::SimMessageBox messages;
  platform::IconvCodePages codePages{936};
  ime::LookupSettings settings{.charsPerPage = 9, .wordsPerPage = 5};
  std::unique_ptr<ime::LexSearch> search;
};

TEST_F(LexSearchTest, CharsFirstShowsCharactersAndKeepsTheWordsBehind) {
  ime::CandList& list = Lookup("52");
  EXPECT_EQ(Visible(list), (Texts{u"二", u"三"}));
  EXPECT_EQ(ime::CandidateHint(list, 0), 0xFFFF);
  EXPECT_EQ(list.moreCount, 0);
  ASSERT_TRUE(ime::ArrangeCandidates(list, ime::kWordsFirst));
  EXPECT_EQ(Visible(list), (Texts{u"丙丁", u"戊己"}));
}

TEST_F(LexSearchTest, CharsFirstWidensToTheFourDigitCharactersSortedByKey) {
  ime::CandList& list = Lookup("527");
  EXPECT_EQ(Visible(list), (Texts{u"六", u"七", u"五"}));
  // The hint packs the four digits of each character's own record.
  EXPECT_EQ(ime::CandidateHint(list, 0), 0x5271);
  EXPECT_EQ(ime::CandidateHint(list, 1), 0x5272);
  EXPECT_EQ(ime::CandidateHint(list, 2), 0x5271);
  // The words of the typed code stay; the widened search does not replace them.
  ASSERT_TRUE(ime::ArrangeCandidates(list, ime::kWordsFirst));
  EXPECT_EQ(Visible(list), (Texts{u"庚辛"}));
}

TEST_F(LexSearchTest, EachArrangementWidensItsOwnWay) {
  struct Case {
    int mamode;
    std::string code;
    Texts visible;
  };
  const Case cases[] = {
      // No character under 99 at four digits: the words widen to six.
      {1, "99", {u"远词"}},
      // Words first widens the words only, shorter first, larger key first.
      {2, "52710", {u"寅卯", u"子丑", u"甲乙丙"}},
      // No word anywhere under 4: the characters of the typed code.
      {2, "4", {u"十"}},
      // Mixed pages stop at the first code that gives anything.
      {3, "527", {u"庚辛"}},
      {3, "6", {u"八"}},
      // Without professional words the other values list nothing.
      {0, "52", {}},
      // Nothing anywhere: the code grows to six places and the list ends empty.
      {1, "88", {}},
      {2, "88", {}},
      {3, "88", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "MAMODE " << c.mamode << " code " << c.code);
    settings.mamode = c.mamode;
    EXPECT_EQ(Visible(Lookup(c.code)), c.visible);
  }
}

TEST_F(LexSearchTest, MixedPagesListBothKinds) {
  settings.mamode = 3;
  ime::CandList& list = Lookup("52");
  EXPECT_EQ(list.charCount + list.wordCount, 4);
  EXPECT_EQ(list.count, 4);
}

TEST_F(LexSearchTest, ProfessionalWordsStandInOrAreCounted) {
  WriteProfession({{"52", {{u"专业一", 0, 0}, {u"专业二", 0, 0}, {u"专业三", 0, 0}}},
                   {"5", {{u"专业甲", 0, 0}}}});
  settings.userzc = true;
  ime::CandList& list = Lookup("52");
  EXPECT_EQ(Visible(list), (Texts{u"二", u"三"}));
  EXPECT_EQ(list.moreCount, 3);

  ime::CandList& with = Lookup("52", 1);
  EXPECT_EQ(with.moreCount, 0);
  EXPECT_EQ(with.charCount, 2);
  ASSERT_TRUE(ime::ArrangeCandidates(with, ime::kWordsFirst));
  EXPECT_EQ(Visible(with), (Texts{u"专业一", u"专业二", u"专业三"}));

  // The code book has no word for 5: its professional word is shown, none is left to offer.
  ime::CandList& only = Lookup("5");
  EXPECT_EQ(only.moreCount, 0);
  ASSERT_TRUE(ime::ArrangeCandidates(only, ime::kWordsFirst));
  EXPECT_EQ(Visible(only), (Texts{u"专业甲"}));
}

TEST_F(LexSearchTest, OtherArrangementsListOnlyProfessionalWordsWidenedUntilFound) {
  WriteProfession({{"527", {{u"专业词", 0, 0}}}, {"5271", {{u"更长的", 0, 0}}}});
  settings.userzc = true;
  settings.mamode = 0;
  ime::CandList& list = Lookup("52");
  EXPECT_EQ(Visible(list), (Texts{u"专业词"}));
  EXPECT_EQ(list.moreCount, 0);
}

TEST_F(LexSearchTest, ProfessionalLookupStartsAfreshAfterAnyOtherLookup) {
  // Words first without any word ends on a characters-only search, whose counts stay behind.
  settings.mamode = 2;
  ASSERT_EQ(Visible(Lookup("4")), (Texts{u"十"}));
  ime::CandList& list = Lookup("52", 1);
  ime::ArrangeCandidates(list, ime::kCharsFirst);
  EXPECT_EQ(Visible(list), (Texts{u"二", u"三"}));
}

TEST_F(LexSearchTest, ProfessionalWordsNeedUserzc) {
  WriteProfession({{"4", {{u"专业甲", 0, 0}}}});
  settings.mamode = 2;
  for (const bool userzc : {false, true}) {
    SCOPED_TRACE(userzc);
    settings.userzc = userzc;
    // A fresh object: the professional index is loaded with the lexicon.
    search.reset();
    EXPECT_EQ(Visible(Lookup("4")), userzc ? Texts{u"专业甲"} : Texts{u"十"});
  }
}

TEST_F(LexSearchTest, UserWordIsListedOnceInTheOrderOfUsertop) {
  WriteUserWords({{"52", u"戊己"}, {"52", u"新词"}, {"52", u"丁"}, {"53", u"别码"}});
  settings.userzc = true;
  settings.mamode = 2;
  struct Case {
    bool usertop;
    Texts words;
    Texts chars;
  };
  const Case cases[] = {
      {true, {u"戊己", u"新词", u"丙丁"}, {u"丁", u"二", u"三"}},
      {false, {u"丙丁", u"戊己", u"新词"}, {u"二", u"三", u"丁"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.usertop);
    settings.usertop = c.usertop;
    ime::CandList& list = Lookup("52");
    EXPECT_EQ(Visible(list), c.words);
    ASSERT_TRUE(ime::ArrangeCandidates(list, ime::kCharsFirst));
    EXPECT_EQ(Visible(list), c.chars);
  }
}

TEST_F(LexSearchTest, WithoutMabengWordsComeOnlyFromUserAndProfession) {
  WriteUserWords({{"52", u"新词"}});
  WriteProfession({{"527", {{u"专业词", 0, 0}}}});
  settings.userzc = true;
  settings.mabeng = false;
  settings.mamode = 2;
  EXPECT_EQ(Visible(Lookup("52")), (Texts{u"新词"}));
  EXPECT_EQ(Visible(Lookup("527")), (Texts{u"专业词"}));
}

TEST_F(LexSearchTest, WildcardKeepsAtMost990Characters) {
  std::vector<CharRecord> many;
  for (int i = 0; i < 1000; ++i) {
    // Keys fall as codes rise, so the kept ones come back in reverse.
    many.push_back(
        {std::to_string(1000 + i),
         {Char(static_cast<char16_t>(0x4E00 + i), static_cast<std::uint16_t>(2000 - i))}});
  }
  ASSERT_EQ(testing_support::WriteCodeBooks(ime::DataFolder(folders, 0, 0), many, {}), "");
  ime::CandList& list = Lookup("1???");
  ASSERT_EQ(list.count, 990);
  EXPECT_EQ(ime::CandidateText(list, 0), std::u16string(1, static_cast<char16_t>(0x4E00 + 989)));
  EXPECT_EQ(ime::CandidateHint(list, 0), 0x1989);
  EXPECT_EQ(ime::CandidateText(list, 989), std::u16string(1, u'\x4E00'));
}

TEST_F(LexSearchTest, SearchCodeBooksCountsWithoutSlots) {
  WriteUserWords({{"52", u"戊己"}});
  settings.userzc = true;
  std::size_t words = 0;
  const unsigned all = ime::kCharBookSource | ime::kWordBookSource | ime::kUserWordSource;
  // Without slots the duplicate user word cannot be recognised and is counted too.
  EXPECT_EQ(Search().SearchCodeBooks("52", {}, {}, ime::kCharsAndWords, all, settings, words), 2u);
  EXPECT_EQ(words, 3u);
  EXPECT_EQ(Search().SearchCodeBooks("52", Search().charSlots(), Search().wordSlots(),
                                     ime::kWordsOnly, all, settings, words),
            0u);
  EXPECT_EQ(words, 2u);
}

}  // namespace
