#include "ime/lexicon/numeral_forms.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/sim/sim_clock.h"

namespace {

using namespace ime;

// The table the settings record loads: U+3000, then U+FF01 onwards.
FullWidthTable StandardFullWidth() {
  FullWidthTable table{};
  table[0] = 0x3000;
  for (std::size_t i = 1; i < table.size(); ++i) table[i] = static_cast<char16_t>(0xFF00 + i);
  return table;
}

TEST(ConvertNumberTest, Styles) {
  struct Case {
    const char* digits;
    int style;
    std::u16string_view text;
  };
  const Case cases[] = {
      {"305", 1, u"三百○五"},
      {"305", 2, u"叁佰零伍"},
      {"1200", 1, u"一千二百"},
      {"1200", 2, u"壹仟贰佰"},
      {"110", 1, u"一百一十"},
      {"20", 1, u"二十"},
      {"20", 2, u"贰拾"},
      {"10500", 1, u"一万○五百"},
      {"2026", 1, u"二千○二十六"},
      {"2026", 2, u"贰仟零贰拾陆"},
      {"2026", 3, u"二○二六"},
      {"100000", 1, u"一十万"},
      {"100000", 2, u"壹十万"},
      {"10", 1, u"十"},
      {"10", 2, u"拾"},
      {"11", 1, u"十一"},
      {"19", 2, u"拾玖"},
      {"10", 3, u"一○"},
      {"0", 1, u"○"},
      {"0", 2, u"零"},
      {"8", 2, u"捌"},
      {"05", 1, u"○五"},
      {"05", 3, u"○五"},
      {"1001", 1, u"一千○一"},
      {"1001", 2, u"壹仟零壹"},
      {"100000001", 1, u"一亿○一"},
      {"999999999", 1, u"九亿九千万九百万九十万九万九千九百九十九"},
      {"999999999", 2, u"玖亿玖千万玖百万玖十万玖万玖仟玖佰玖拾玖"},
      {"123456789", 3, u"一二三四五六七八九"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConvertNumber(c.digits, c.style), c.text) << c.digits << " style " << c.style;
  }
}

TEST(ConvertNumberTest, InputsOutsideTheRangeGiveNothing) {
  struct Case {
    const char* digits;
    int style;
  };
  const Case cases[] = {
      {"", 1},   {"1234567890", 1}, {"1234567890", 3}, {"12a", 1}, {"-5", 1},
      {" 5", 3}, {"5", 0},          {"5", 4},          {"5", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConvertNumber(c.digits, c.style), u"") << '"' << c.digits << "\" style " << c.style;
  }
}

class DateFormsTest : public ::testing::Test {
 protected:
  DateFormsTest() { ResetCandList(list); }

  std::vector<std::u16string> Forms(std::u16string_view input, int mamode = 1) {
    ListDateForms(list, input, mamode, fullWidth, clock);
    std::vector<std::u16string> texts;
    for (int i = 0; i < list.count; ++i) {
      texts.emplace_back(CandidateText(list, i));
      EXPECT_EQ(CandidateHint(list, i), kNoCodeHint) << i;
    }
    return texts;
  }

  std::unique_ptr<CandList> block = std::make_unique<CandList>(7, 5);
  CandList& list = *block;
  FullWidthTable fullWidth = StandardFullWidth();
  platform::SimClock clock{2026, 12, 9};
};

TEST_F(DateFormsTest, DigitsGiveNumeralForms) {
  struct Case {
    std::u16string_view input;
    std::vector<std::u16string> forms;
  };
  const Case cases[] = {
      {u">5", {u"五", u"伍", u"５", u"五月", u"五日"}},
      {u">12", {u"十二", u"拾贰", u"１２", u"一二", u"十二月", u"十二日"}},
      {u">13", {u"十三", u"拾叁", u"１３", u"一三", u"十三日"}},
      {u">31", {u"三十一", u"叁拾壹", u"３１", u"三一", u"三十一日"}},
      {u">32", {u"三十二", u"叁拾贰", u"３２", u"三二"}},
      {u">2026", {u"二千○二十六", u"贰仟零贰拾陆", u"２０２６", u"二○二六", u"二○二六年"}},
      {u">1900", {u"一千九百", u"壹仟玖佰", u"１９００", u"一九○○", u"一九○○年"}},
      {u">2101", {u"二千一百○一", u"贰仟壹佰零壹", u"２１０１", u"二一○一"}},
      {u">05", {u"０５", u"○五"}},
      {u">0", {u"０"}},
      {u">00000", {u"０００００", u"○○○○○"}},
      {u">123456789",
       {u"一亿二千万三百万四十万五万六千七百八十九", u"壹亿贰千万叁百万肆十万伍万陆仟柒佰捌拾玖",
        u"１２３４５６７８９", u"一二三四五六七八九"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Forms(c.input), c.forms) << std::string(c.input.begin() + 1, c.input.end());
    // Digit forms are shown as added, whatever the arrangement setting says.
    EXPECT_EQ(list.arrangement, kNotArranged);
    EXPECT_EQ(list.pageFirst, 0);
  }
}

TEST_F(DateFormsTest, FullWidthFormsComeFromTheTable) {
  for (char16_t d = 0; d < 10; ++d) fullWidth[0x10 + d] = static_cast<char16_t>(u'a' + d);
  EXPECT_EQ(Forms(u">05"), (std::vector<std::u16string>{u"af", u"○五"}));
}

TEST_F(DateFormsTest, KeyAloneGivesTodaysDate) {
  struct Case {
    int year, month, day;
    std::vector<std::u16string> forms;
  };
  const Case cases[] = {
      {2026, 12, 9, {u"2026年", u"12月", u"9日", u"星期三", u"九日", u"十二月", u"二○二六年"}},
      {2000, 1, 1, {u"2000年", u"1月", u"1日", u"星期六", u"一日", u"一月", u"二○○○年"}},
      {2024, 2, 29, {u"2024年", u"2月", u"29日", u"星期四", u"二十九日", u"二月", u"二○二四年"}},
      {2031, 10, 19, {u"2031年", u"10月", u"19日", u"星期日", u"十九日", u"十月", u"二○三一年"}},
  };
  for (const Case& c : cases) {
    clock.SetDate(c.year, c.month, c.day);
    EXPECT_EQ(Forms(u">"), c.forms) << c.year << '-' << c.month << '-' << c.day;
  }
}

TEST_F(DateFormsTest, TodaysFormsAreArrangedAsTheSettingSays) {
  // Every date form is a word, so only the arrangement value tells the settings apart.
  struct Case {
    int mamode, arrangement;
  };
  const Case cases[] = {{1, kWordsFirst}, {2, kWordsFirst}, {3, kMixedPages}};
  for (const Case& c : cases) {
    list.pageFirst = 5;
    EXPECT_EQ(Forms(u">", c.mamode).size(), 7u) << c.mamode;
    EXPECT_EQ(list.arrangement, c.arrangement) << c.mamode;
    EXPECT_EQ(list.pageFirst, 0) << c.mamode;
    EXPECT_EQ(list.wordCount, 7) << c.mamode;
  }
}

TEST_F(DateFormsTest, WeekdayOutsideTheWeekIsLeftOut) {
  clock.SetLocalDate({2026, 12, 9, 7});
  EXPECT_EQ(Forms(u">"), (std::vector<std::u16string>{u"2026年", u"12月", u"9日", u"九日",
                                                      u"十二月", u"二○二六年"}));
}

TEST_F(DateFormsTest, InputThatIsNoSpecialCodeGivesAnEmptyList) {
  const std::u16string_view inputs[] = {u"", u">1234567890", u">1a", u">-1", u">１"};
  for (const std::u16string_view input : inputs) {
    Forms(u">12");
    ASSERT_GT(list.count, 0);
    EXPECT_TRUE(Forms(input).empty()) << input.size();
    EXPECT_EQ(list.charCount + list.wordCount, 0);
  }
}

}  // namespace
