#include "common/formats/user_word_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/iconv_code_pages.h"

namespace {

using formats::UserWordData;

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

struct Found {
  std::string code;
  std::u16string word;
  friend bool operator==(const Found&, const Found&) = default;
};

std::vector<Found> ReadAll(std::span<const std::uint8_t> bytes, unsigned codePage = 936) {
  const platform::IconvCodePages codePages(codePage);
  formats::UserWordReader reader(bytes, codePages);
  std::vector<Found> found;
  while (auto entry = reader.Next()) found.push_back({entry->code, entry->word});
  return found;
}

// "中国" in GBK and Big5.
constexpr std::string_view kZhongGuoGbk = "\xD6\xD0\xB9\xFA";
constexpr std::string_view kZhongGuoBig5 = "\xA4\xA4\xB0\xEA";

TEST(UserWordFileTest, ReadsEntryLinesAndIgnoresTheRest) {
  const std::string zhongGuo(kZhongGuoGbk);
  const std::string lines[] = {
      "User words\r\n",              // a header
      "123   " + zhongGuo + "\r\n",  // code 123, three spaces, the word
      "527184" + zhongGuo + "\r\n",  // six digits and no space
      "12a   " + zhongGuo + "\r\n",  // a letter in the code
      "5     \xD6\xD0\r\n",          // one character
      "1 2   ab\r\n",                // the first space ends the code
      "7     \r\n",                  // no word
      "\r\n",                        // the end mark
      "      ab\r\n",                // an empty code field
      "8     \xFF\xFF\r\n",          // no GBK text
      "9     \xD6\xD0",              // no line end
  };
  std::string file;
  for (const std::string& line : lines) file += line;
  EXPECT_EQ(ReadAll(Bytes(file)),
            (std::vector<Found>{
                {"123", u"中国"}, {"527184", u"中国"}, {"5", u"中"}, {"1", u"ab"}, {"9", u"中"}}));
}

TEST(UserWordFileTest, LineReaderReportsOffsetsCodesAndWordBytes) {
  const auto file = Bytes("12    ab\r\nx\r\n4     c\n");
  formats::UserWordLineReader reader(file);
  const auto first = reader.Next();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->offset, 0u);
  EXPECT_EQ(first->size, 10u);
  EXPECT_EQ(first->code, "12");
  EXPECT_EQ(std::string(first->word.begin(), first->word.end()), "ab");
  const auto second = reader.Next();
  ASSERT_TRUE(second);
  EXPECT_EQ(second->offset, 13u);
  EXPECT_EQ(second->code, "4");
  EXPECT_EQ(std::string(second->word.begin(), second->word.end()), "c");  // a lone LF ends it
  EXPECT_FALSE(reader.Next());
}

TEST(UserWordFileTest, LinesLongerThan105BytesAreNotEntries) {
  std::string chars;  // 48 characters, 96 bytes; both words below are 49 units
  for (int i = 0; i < 48; ++i) chars += "\xD6\xD0";
  const std::string fits = "1     " + chars + "a\r\n";            // 105 bytes
  const std::string tooLong = "2     " + chars + "\xD6\xD0\r\n";  // 106 bytes
  const std::string padding(300, ' ');
  const auto found = ReadAll(Bytes(fits + tooLong + "3     b\r\n\r\n" + padding));
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].code, "1");
  EXPECT_EQ(found[1].code, "3");
}

TEST(UserWordFileTest, WordsBeyond49UnitsAreSkipped) {
  const std::string fortyNine = "1     " + std::string(49, 'a') + "\r\n";
  const std::string fifty = "2     " + std::string(50, 'a') + "\r\n";
  const auto found = ReadAll(Bytes(fortyNine + fifty));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].word.size(), 49u);
  // A NUL inside the word is no text.
  const std::string nul("3     a\0b\r\n", 11);
  EXPECT_TRUE(ReadAll(Bytes(nul)).empty());
}

TEST(UserWordFileTest, WriterLaysOutTheListAsTheLibraryDoes) {
  const platform::IconvCodePages codePages(936);
  const std::vector<UserWordData> words = {{"123", u"中国"}, {"527184", u"中国"}, {"5", u"中"}};
  const auto bytes = formats::WriteUserWordList(words, codePages);
  ASSERT_TRUE(bytes) << bytes.error();
  const std::string expected = "123   " + std::string(kZhongGuoGbk) + "\r\n" + "527184" +
                               std::string(kZhongGuoGbk) + "\r\n" + "5     \xD6\xD0\r\n\r\n";
  EXPECT_EQ(std::string(bytes->begin(), bytes->end()), expected);
  EXPECT_EQ(ReadAll(*bytes),
            (std::vector<Found>{{"123", u"中国"}, {"527184", u"中国"}, {"5", u"中"}}));
  EXPECT_EQ(formats::UserWordListLength(*bytes), bytes->size());

  const auto empty = formats::WriteUserWordList({}, codePages);
  ASSERT_TRUE(empty);
  EXPECT_EQ(std::string(empty->begin(), empty->end()), "\r\n\r\n");
  EXPECT_EQ(formats::UserWordListLength(*empty), 4u);

  // The code page of the file follows the one asked for, the system's by default.
  const platform::IconvCodePages big5System(950);
  const auto big5 =
      formats::WriteUserWordList(std::vector<UserWordData>{{"1", u"中國"}}, big5System);
  ASSERT_TRUE(big5);
  EXPECT_EQ(std::string(big5->begin(), big5->end()),
            "1     " + std::string(kZhongGuoBig5) + "\r\n\r\n");
  EXPECT_EQ(ReadAll(*big5, 950), (std::vector<Found>{{"1", u"中國"}}));
  const auto explicitGbk =
      formats::WriteUserWordList(std::vector<UserWordData>{{"1", u"中国"}}, big5System, 936);
  ASSERT_TRUE(explicitGbk);
  EXPECT_EQ(std::string(explicitGbk->begin() + 6, explicitGbk->end() - 4), kZhongGuoGbk);
}

TEST(UserWordFileTest, WriterRefusesWhatTheFileCannotHold) {
  const platform::IconvCodePages codePages(936);
  const std::vector<UserWordData> cases[] = {
      {{"", u"中"}},
      {{"1234567", u"中"}},
      {{"12a", u"中"}},
      {{"1", u""}},
      {{"1", std::u16string(50, u'a')}},
      {{"1", u"\xD800"}},  // lone surrogate
      {{"1", u"\x0E01"}},  // Thai: not in GBK
      {{"1", u"a\r\nb"}},
      {{"1", std::u16string(u"a\0b", 3)}},
      {{"1", std::u16string(47, u'中')}},  // 6 + 94 bytes > 99
      {{"1", u"中"}, {"2x", u"国"}},       // nothing half-written
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto result = formats::WriteUserWordList(cases[i], codePages);
    EXPECT_FALSE(result) << i;
    EXPECT_FALSE(result.error().empty()) << i;
  }
  EXPECT_TRUE(formats::WriteUserWordList(
      std::vector<UserWordData>{{"1", std::u16string(46, u'中')}}, codePages));  // 98 bytes
}

TEST(UserWordFileTest, ListLengthEndsAtTheFirstEmptyLine) {
  EXPECT_EQ(formats::UserWordListLength(Bytes("1     a\r\n\r\n2     b\r\n\r\n   ")), 11u);
  EXPECT_FALSE(formats::UserWordListLength(Bytes("1     a\r\n")));
  EXPECT_FALSE(formats::UserWordListLength({}));
}

}  // namespace
