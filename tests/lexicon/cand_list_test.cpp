#include "ime/lexicon/cand_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace ime;

// Candidates are named by kind and number so that an arrangement can be read back: character k
// is the one unit U+4E00 + k, word k is 词 followed by U+4E00 + k.
std::u16string Char(int k) {
  return std::u16string(1, static_cast<char16_t>(0x4E00 + k));
}
std::u16string Word(int k) {
  return std::u16string{u'词', static_cast<char16_t>(0x4E00 + k)};
}

class CandListTest : public ::testing::Test {
 protected:
  CandListTest() { ResetCandList(list()); }
  CandList& list() { return *block; }

  // Adds `texts` in order; the hint of entry i is 0x1000 + i so it can be followed too.
  void Add(const std::vector<std::u16string>& texts) {
    for (const std::u16string& text : texts) {
      ASSERT_TRUE(AddCandidate(list(), text, static_cast<std::uint16_t>(0x1000 + added++)));
    }
  }
  std::vector<std::u16string> Visible() {
    std::vector<std::u16string> texts;
    for (int i = 0; i < list().count; ++i) texts.emplace_back(CandidateText(list(), i));
    return texts;
  }

  std::unique_ptr<CandList> block = std::make_unique<CandList>(7, 5);
  int added = 0;
};

TEST_F(CandListTest, BlockKeepsItsLayoutAndSize) {
  EXPECT_EQ(sizeof(CandList), 40000u);
  EXPECT_EQ(list().capacity, 40000);
  EXPECT_EQ(list().pageNo, 1);
  EXPECT_EQ(list().charsPerPage, 7);
  EXPECT_EQ(list().wordsPerPage, 5);
}

TEST_F(CandListTest, AddStoresTextsHintsOffsetsAndKinds) {
  struct Case {
    std::u16string_view text;
    std::u16string_view stored;
    std::int32_t nextOffset;
  };
  const Case cases[] = {
      {u"中", u"中", 4},
      {u"中国", u"中国", 10},
      {u"", u"", 12},                                  // empty: counted as a word
      {std::u16string_view(u"甲\0乙", 3), u"甲", 16},  // cut at the terminator
      {u"人民", u"人民", 22},
  };
  std::uint16_t hint = 0x1234;
  for (const Case& c : cases) {
    ASSERT_TRUE(AddCandidate(list(), c.text, hint++));
  }
  ASSERT_EQ(list().count, 5);
  EXPECT_EQ(list().charCount, 2);
  EXPECT_EQ(list().wordCount, 3);
  EXPECT_EQ(list().textOffsets[0], 0);
  for (int i = 0; i < 5; ++i) {
    const Case& c = cases[i];
    EXPECT_EQ(CandidateText(list(), i), c.stored) << i;
    EXPECT_EQ(CandidateHint(list(), i), 0x1234 + i) << i;
    EXPECT_EQ(list().textOffsets[static_cast<std::size_t>(i) + 1], c.nextOffset) << i;
  }
  EXPECT_EQ(CandidateText(list(), 5), u"");
  EXPECT_EQ(CandidateText(list(), -1), u"");
  EXPECT_EQ(CandidateHint(list(), 5), kNoCodeHint);
}

TEST_F(CandListTest, The1999thCandidateIsTheLast) {
  for (int i = 0; i < 1998; ++i) ASSERT_TRUE(AddCandidate(list(), u"字", 1));
  EXPECT_TRUE(AddCandidate(list(), u"末", 2));
  EXPECT_FALSE(AddCandidate(list(), u"外", 3));
  EXPECT_EQ(list().count, 1999);
  EXPECT_EQ(list().charCount, 1999);
  EXPECT_EQ(CandidateText(list(), 1998), u"末");
  EXPECT_EQ(CandidateHint(list(), 1998), 2);
}

TEST_F(CandListTest, TextAreaStopsAt27900Bytes) {
  const std::u16string longest(49, u'长');
  for (int i = 0; i < 278; ++i) ASSERT_TRUE(AddCandidate(list(), longest, 0));  // 27,800 bytes
  EXPECT_TRUE(AddCandidate(list(), std::u16string(48, u'短'), 0));              // ends at 27,898
  EXPECT_FALSE(AddCandidate(list(), u"字", 0));  // would end at 27,902
  EXPECT_TRUE(AddCandidate(list(), u"", 0));     // ends at 27,900
  EXPECT_FALSE(AddCandidate(list(), u"", 0));
  EXPECT_EQ(list().count, 280);
  EXPECT_EQ(list().charCount, 0);
  EXPECT_EQ(list().textOffsets[280], 27900);
  EXPECT_EQ(CandidateText(list(), 278), std::u16string(48, u'短'));

  ResetCandList(list());
  for (int i = 0; i < 279; ++i) ASSERT_TRUE(AddCandidate(list(), longest, 0));
  EXPECT_EQ(list().textOffsets[279], 27900);
  EXPECT_FALSE(AddCandidate(list(), u"", 0));
}

TEST_F(CandListTest, TextsLongerThan49UnitsAreRefused) {
  EXPECT_FALSE(AddCandidate(list(), std::u16string(50, u'长'), 0));
  EXPECT_EQ(list().count, 0);
  EXPECT_EQ(list().wordCount, 0);
  EXPECT_TRUE(AddCandidate(list(), std::u16string(49, u'长'), 0));
  EXPECT_EQ(CandidateText(list(), 0).size(), 49u);
}

TEST_F(CandListTest, CharactersFirstAndWordsFirstShowOneKindInTurn) {
  Add({Word(0), Char(0), Word(1), Char(1), Word(2), Word(3), Char(2)});
  list().pageFirst = 3;
  list().pageNo = 2;

  EXPECT_TRUE(ArrangeCandidates(list(), kCharsFirst));
  EXPECT_EQ(Visible(), (std::vector{Char(0), Char(1), Char(2)}));
  EXPECT_EQ(list().arrangement, kCharsFirst);
  EXPECT_EQ(list().pageFirst, 0);
  EXPECT_EQ(list().pageNo, 1);
  EXPECT_EQ(CandidateHint(list(), 2), 0x1006);

  EXPECT_TRUE(ArrangeCandidates(list(), kWordsFirst));
  EXPECT_EQ(Visible(), (std::vector{Word(0), Word(1), Word(2), Word(3)}));
  EXPECT_EQ(CandidateHint(list(), 0), 0x1000);
  EXPECT_EQ(CandidateHint(list(), 3), 0x1005);

  EXPECT_TRUE(ArrangeCandidates(list(), kCharsFirst));
  EXPECT_EQ(Visible(), (std::vector{Char(0), Char(1), Char(2)}));
  EXPECT_EQ(CandidateHint(list(), 0), 0x1001);
}

TEST_F(CandListTest, OneKindOnlyMovesNothing) {
  struct Case {
    const char* what;
    int chars, words, type, arrangement;
  };
  const Case cases[] = {
      {"only words, characters first", 0, 4, kCharsFirst, kWordsFirst},
      {"only words, mixed", 0, 4, kMixedPages, kMixedPages},
      {"only characters, words first", 3, 0, kWordsFirst, kCharsFirst},
      {"empty list", 0, 0, kCharsFirst, kWordsFirst},
  };
  for (const Case& c : cases) {
    ResetCandList(list());
    std::vector<std::u16string> texts;
    for (int k = 0; k < c.words; ++k) texts.push_back(Word(k));
    for (int k = 0; k < c.chars; ++k) texts.push_back(Char(k));
    Add(texts);
    list().pageFirst = 1;
    list().pageNo = 2;
    EXPECT_FALSE(ArrangeCandidates(list(), c.type)) << c.what;
    EXPECT_EQ(list().arrangement, c.arrangement) << c.what;
    EXPECT_EQ(Visible(), texts) << c.what;
    EXPECT_EQ(list().pageFirst, 1) << c.what;
    EXPECT_EQ(list().pageNo, 2) << c.what;
  }
}

TEST_F(CandListTest, UnknownTypeKeepsOrderAndGoesToFirstPage) {
  Add({Word(0), Char(0), Word(1)});
  list().pageFirst = 1;
  EXPECT_TRUE(ArrangeCandidates(list(), 4));
  EXPECT_EQ(Visible(), (std::vector{Word(0), Char(0), Word(1)}));
  EXPECT_EQ(list().arrangement, 4);
  EXPECT_EQ(list().pageFirst, 0);
}

// 9 characters and 12 words on pages of 7 characters and 5 words.
TEST_F(CandListTest, MixedPagesOfNineCharactersAndTwelveWords) {
  std::vector<std::u16string> texts;
  for (int k = 0; k < 12; ++k) {
    texts.push_back(Word(k));
    if (k < 9) texts.push_back(Char(k));
  }
  Add(texts);
  ASSERT_TRUE(ArrangeCandidates(list(), kMixedPages));

  std::vector<std::u16string> expected;
  for (int k = 0; k < 7; ++k) expected.push_back(Char(k));
  for (int k = 0; k < 5; ++k) expected.push_back(Word(k));
  for (int k = 7; k < 9; ++k) expected.push_back(Char(k));
  for (int k = 5; k < 12; ++k) expected.push_back(Word(k));
  EXPECT_EQ(Visible(), expected);
  EXPECT_EQ(list().arrangement, kMixedPages);
  EXPECT_EQ(CharPageCount(list()), 2);
  EXPECT_EQ(WordPageCount(list()), 3);

  struct Page {
    int first, number, firstWord;
    bool last;
  };
  const Page pages[] = {{0, 1, 7, false}, {12, 2, 14, false}, {19, 3, 19, true}};
  for (const Page& p : pages) {
    SCOPED_TRACE(p.number);
    EXPECT_EQ(list().pageFirst, p.first);
    EXPECT_EQ(list().pageNo, p.number);
    EXPECT_EQ(FirstWordOnPage(list()), p.firstWord);
    EXPECT_EQ(IsLastPage(list()), p.last);
    const int next = p.last ? p.first : (&p + 1)->first;
    EXPECT_EQ(NextPage(list()), next);
  }
  EXPECT_EQ(list().pageFirst, 19);
  EXPECT_EQ(list().pageNo, 3);

  EXPECT_EQ(PrevPage(list()), 12);
  EXPECT_EQ(list().pageNo, 2);
  EXPECT_EQ(PrevPage(list()), 0);
  EXPECT_EQ(list().pageNo, 1);
  EXPECT_EQ(PrevPage(list()), 0);
  EXPECT_EQ(list().pageNo, 1);
}

TEST_F(CandListTest, MixedPagesWhenTheWordsRunOutFirst) {
  std::vector<std::u16string> texts;
  for (int k = 0; k < 12; ++k) texts.push_back(Char(k));
  for (int k = 0; k < 3; ++k) texts.push_back(Word(k));
  Add(texts);
  ASSERT_TRUE(ArrangeCandidates(list(), kMixedPages));
  EXPECT_EQ(FirstWordOnPage(list()), 7);
  EXPECT_EQ(NextPage(list()), 10);
  EXPECT_EQ(CandidateText(list(), 10), Char(7));
  EXPECT_EQ(FirstWordOnPage(list()), -1);
  EXPECT_TRUE(IsLastPage(list()));
}

TEST_F(CandListTest, PagingOneKind) {
  struct Case {
    const char* what;
    int type;
    std::vector<int> firsts;
    int firstWordOnFirstPage;
  };
  const Case cases[] = {
      {"sixteen characters by 7", kCharsFirst, {0, 7, 14}, -1},
      {"twelve words by 5", kWordsFirst, {0, 5, 10}, 0},
  };
  for (const Case& c : cases) {
    ResetCandList(list());
    std::vector<std::u16string> texts;
    for (int k = 0; k < 16; ++k) {
      if (k < 12) texts.push_back(Word(k));
      texts.push_back(Char(k));
    }
    Add(texts);
    ASSERT_TRUE(ArrangeCandidates(list(), c.type)) << c.what;
    EXPECT_EQ(FirstWordOnPage(list()), c.firstWordOnFirstPage) << c.what;
    const int pages = static_cast<int>(c.firsts.size());
    EXPECT_EQ(c.type == kCharsFirst ? CharPageCount(list()) : WordPageCount(list()), pages);
    EXPECT_EQ(c.type == kCharsFirst ? WordPageCount(list()) : CharPageCount(list()), 0);
    for (int p = 1; p < pages; ++p) {
      EXPECT_FALSE(IsLastPage(list())) << c.what << " page " << p;
      EXPECT_EQ(NextPage(list()), c.firsts[static_cast<std::size_t>(p)]) << c.what;
      EXPECT_EQ(list().pageNo, p + 1) << c.what;
    }
    EXPECT_TRUE(IsLastPage(list())) << c.what;
    EXPECT_EQ(NextPage(list()), c.firsts.back()) << c.what;
    for (int p = pages - 1; p > 0; --p) {
      EXPECT_EQ(PrevPage(list()), c.firsts[static_cast<std::size_t>(p) - 1]) << c.what;
      EXPECT_EQ(list().pageNo, p) << c.what;
    }
  }
}

// An empty text is counted with the words when added but paged with the characters.
TEST_F(CandListTest, EmptyTextPagesAsACharacter) {
  Add({u"", Word(0), Word(1)});
  EXPECT_EQ(list().charCount, 0);
  EXPECT_EQ(list().wordCount, 3);
  EXPECT_EQ(FirstWordOnPage(list()), 1);
  EXPECT_EQ(CharPageCount(list()), 1);
  EXPECT_EQ(WordPageCount(list()), 1);
  EXPECT_TRUE(IsLastPage(list()));
}

TEST_F(CandListTest, EmptyListHasNoPages) {
  EXPECT_EQ(NextPage(list()), 0);
  EXPECT_EQ(PrevPage(list()), 0);
  EXPECT_EQ(list().pageNo, 1);
  EXPECT_TRUE(IsLastPage(list()));
  EXPECT_EQ(FirstWordOnPage(list()), -1);
  EXPECT_EQ(CharPageCount(list()), 0);
  EXPECT_EQ(WordPageCount(list()), 0);
}

// The settings never give a page size below one, but a list with one must still page rather
// than divide by zero or stand still.
TEST_F(CandListTest, PageSizeBelowOneActsAsOne) {
  list().charsPerPage = 0;
  list().wordsPerPage = -3;
  Add({Char(0), Char(1), Word(0), Word(1)});
  ASSERT_TRUE(ArrangeCandidates(list(), kMixedPages));
  EXPECT_EQ(Visible(), (std::vector{Char(0), Word(0), Char(1), Word(1)}));
  EXPECT_EQ(CharPageCount(list()), 2);
  EXPECT_EQ(WordPageCount(list()), 2);
  EXPECT_EQ(NextPage(list()), 2);
  EXPECT_EQ(FirstWordOnPage(list()), 3);
}

TEST_F(CandListTest, ResetStartsANewListAndKeepsPageSizes) {
  Add({Char(0), Word(0)});
  ArrangeCandidates(list(), kMixedPages);
  list().keyInfo = 0x4E000000;
  list().moreCount = 3;
  list().pageNo = 4;
  ResetCandList(list());
  EXPECT_EQ(list().count, 0);
  EXPECT_EQ(list().charCount, 0);
  EXPECT_EQ(list().wordCount, 0);
  EXPECT_EQ(list().keyInfo, 0u);
  EXPECT_EQ(list().moreCount, 0);
  EXPECT_EQ(list().arrangement, kNotArranged);
  EXPECT_EQ(list().pageNo, 1);
  EXPECT_EQ(list().charsPerPage, 7);
  ASSERT_TRUE(AddCandidate(list(), u"新词", 0));
  EXPECT_EQ(list().textOffsets[1], 6);
  EXPECT_EQ(CandidateText(list(), 0), u"新词");
}

}  // namespace
