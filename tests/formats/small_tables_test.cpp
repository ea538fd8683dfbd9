// The fixed-record tables: "HKCS.mb", "pround.dat", "FtAutoZIndex.dat" and "hkcs.cct".
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/formats/byte_io.h"
#include "common/formats/char_code_table.h"
#include "common/formats/hkcs_table.h"
#include "common/formats/multi_code_table.h"
#include "common/formats/symbol_table.h"

namespace {

using formats::HkcsRecord;
using formats::MultiCodeRecord;

TEST(HkcsTableTest, FirstRecordWinsBothWays) {
  const std::vector<HkcsRecord> records = {{0xE001, 0xD840, 0xDC01},
                                           {0xE002, 0xD840, 0xDC02},
                                           {0xE001, 0xD840, 0xDC03},
                                           {0xE003, 0xD840, 0xDC02}};
  const auto bytes = formats::WriteHkcsTable(records);
  ASSERT_TRUE(bytes) << bytes.error();
  ASSERT_EQ(bytes->size(), 24u);
  EXPECT_EQ(formats::LoadU16(*bytes, 6), 0xE002);
  const formats::HkcsTable table(*bytes);
  EXPECT_EQ(table.size(), 4u);
  EXPECT_EQ(table.record(2), records[2]);
  EXPECT_EQ(table.Find(0xE001), records[0]);
  EXPECT_FALSE(table.Find(0xE004));
  EXPECT_EQ(table.FindReplacement(0xD840, 0xDC02), records[1]);
  EXPECT_FALSE(table.FindReplacement(0xD840, 0xDC04));
  // A trailing partial record is ignored.
  auto cut = *bytes;
  cut.resize(cut.size() - 1);
  const formats::HkcsTable shorter(cut);
  EXPECT_EQ(shorter.size(), 3u);
  EXPECT_FALSE(shorter.Find(0xE003));
  EXPECT_EQ(formats::HkcsTable({}).size(), 0u);

  const std::vector<HkcsRecord> low = {{0xDFFF, 1, 2}};
  EXPECT_FALSE(formats::WriteHkcsTable(low));
}

TEST(SymbolTableTest, TrailingPartialEntryCountsWhenItHoldsTheSymbol) {
  const std::vector<char16_t> symbols = {u'，', u'。', u'、'};
  const auto bytes = formats::WriteSymbols(symbols);
  ASSERT_TRUE(bytes);
  ASSERT_EQ(*bytes,
            (std::vector<std::uint8_t>{0x0C, 0xFF, 0, 0, 0x02, 0x30, 0, 0, 0x01, 0x30, 0, 0}));
  EXPECT_EQ(formats::ReadSymbols(*bytes), symbols);
  const struct {
    std::size_t size;
    std::size_t count;
  } cases[] = {{12, 3}, {11, 3}, {10, 3}, {9, 2}, {8, 2}, {2, 1}, {1, 0}, {0, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(formats::ReadSymbols(std::span(*bytes).first(c.size)).size(), c.count) << c.size;
  }
}

TEST(SymbolTableTest, ReadsAtMost65535BytesAnd1999Symbols) {
  std::vector<std::uint8_t> many(70000, 0);
  for (std::size_t i = 0; i < many.size(); i += 4) many[i] = static_cast<std::uint8_t>(i / 4);
  EXPECT_EQ(formats::ReadSymbols(many).size(), formats::kMaxSymbols);
  EXPECT_EQ(formats::ReadSymbols(many)[1998], static_cast<char16_t>(1998 & 0xFF));
  EXPECT_FALSE(formats::WriteSymbols(std::vector<char16_t>(2000, u'x')));
  EXPECT_TRUE(formats::WriteSymbols(std::vector<char16_t>(1999, u'x')));
}

TEST(CharCodeTableTest, CodesAreHalfBytesInReadingOrder) {
  const std::vector<std::pair<char16_t, std::string>> codes = {
      {u'中', "527"}, {u'国', "1843"}, {u'一', "6"}, {0xFFFF, "90"}};
  const auto bytes = formats::WriteCharCodeTable(codes);
  ASSERT_TRUE(bytes) << bytes.error();
  ASSERT_EQ(bytes->size(), formats::kCharCodeTableSize);
  EXPECT_EQ((*bytes)[2 * 0x4E2D], 0x52);
  EXPECT_EQ((*bytes)[2 * 0x4E2D + 1], 0x7F);
  const formats::CharCodeTable table(*bytes);
  EXPECT_TRUE(table.complete());
  const auto zhong = table.CodeOf(u'中');
  ASSERT_TRUE(zhong);
  EXPECT_EQ(zhong->value, 0x527F);
  EXPECT_EQ(zhong->Digit(1), 5);
  EXPECT_EQ(zhong->Digit(3), 7);
  EXPECT_EQ(zhong->Digit(4), formats::kNoDigit);
  EXPECT_EQ(zhong->Digits(), "527");
  EXPECT_EQ(table.CodeOf(u'国')->Digits(), "1843");
  EXPECT_EQ(table.CodeOf(u'一')->value, 0x6FFF);
  EXPECT_EQ(table.CodeOf(0xFFFF)->Digits(), "90");
  EXPECT_FALSE(table.CodeOf(u'a'));
  // An entry past the end of a short table gives no code.
  const formats::CharCodeTable cut{std::span(*bytes).first(2 * 0x4E2D + 1)};
  EXPECT_FALSE(cut.complete());
  EXPECT_FALSE(cut.CodeOf(u'中'));
  EXPECT_EQ(cut.CodeOf(u'一')->Digits(), "6");

  for (const char* bad : {"", "12345", "5a"}) {
    const std::vector<std::pair<char16_t, std::string>> one = {{u'中', bad}};
    EXPECT_FALSE(formats::WriteCharCodeTable(one)) << bad;
  }
  const std::vector<std::pair<char16_t, std::string>> twice = {{u'中', "1"}, {u'中', "2"}};
  EXPECT_FALSE(formats::WriteCharCodeTable(twice));
}

TEST(MultiCodeTableTest, SortsByKeyAndFindsEveryCodeOfAKey) {
  const std::vector<MultiCodeRecord> records = {{0x9000, u"18", 0},
                                                {0x4E2D, u"5270", 1},
                                                {0x4E00, u"6", 0},
                                                {0x4E2D, u"52", 2},
                                                {0xFFFF, u"1", 0}};
  const auto bytes = formats::WriteMultiCodeTable(records);
  ASSERT_TRUE(bytes) << bytes.error();
  ASSERT_EQ(bytes->size(), 5 * formats::kMultiCodeRecordSize);
  EXPECT_EQ(formats::LoadU16(*bytes, 0), 0x4E00);
  EXPECT_EQ(formats::LoadU16(*bytes, 14 + 2), u'5');
  EXPECT_EQ((*bytes)[14 + 12], 1);
  EXPECT_EQ((*bytes)[14 + 13], 0);
  const formats::MultiCodeTable table(*bytes);
  EXPECT_EQ(table.size(), 5u);
  EXPECT_EQ(table.CodesOf(0x4E2D), (std::vector<MultiCodeRecord>{records[1], records[3]}));
  EXPECT_EQ(table.CodesOf(0x9000), (std::vector<MultiCodeRecord>{records[0]}));
  EXPECT_EQ(table.CodesOf(0xFFFF), (std::vector<MultiCodeRecord>{records[4]}));
  EXPECT_TRUE(table.CodesOf(0x4E01).empty());
  EXPECT_TRUE(table.CodesOf(0).empty());
  // A remainder is ignored.
  const formats::MultiCodeTable cut{std::span(*bytes).first(bytes->size() - 1)};
  EXPECT_EQ(cut.size(), 4u);
  EXPECT_TRUE(cut.CodesOf(0xFFFF).empty());
  EXPECT_TRUE(formats::MultiCodeTable({}).CodesOf(0x4E2D).empty());
}

TEST(MultiCodeTableTest, CodeFieldWithoutTerminatorGivesFourUnits) {
  std::vector<std::uint8_t> bytes;
  for (std::uint16_t u :
       std::initializer_list<std::uint16_t>{0x4E2D, u'1', u'2', u'3', u'4', u'5', 0})
    formats::AppendU16(bytes, u);
  EXPECT_EQ(formats::MultiCodeTable(bytes).record(0).code, u"1234");
}

TEST(MultiCodeTableTest, KeepsTheFirstSixteenCodesOfAKey) {
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < 18; ++i) {
    for (std::uint16_t u : std::initializer_list<std::uint16_t>{0x4E2D, u'1', 0, 0, 0, 0,
                                                                static_cast<std::uint16_t>(i)}) {
      formats::AppendU16(bytes, u);
    }
  }
  const auto codes = formats::MultiCodeTable(bytes).CodesOf(0x4E2D);
  ASSERT_EQ(codes.size(), 16u);
  EXPECT_EQ(codes[15].flag, 15);

  std::vector<MultiCodeRecord> seventeen(17, MultiCodeRecord{0x4E2D, u"1", 0});
  EXPECT_FALSE(formats::WriteMultiCodeTable(seventeen));
  seventeen.pop_back();
  EXPECT_TRUE(formats::WriteMultiCodeTable(seventeen));
  for (const char16_t* bad : {u"", u"12345", u"1a"}) {
    const std::vector<MultiCodeRecord> one = {{0x4E2D, bad, 0}};
    EXPECT_FALSE(formats::WriteMultiCodeTable(one));
  }
}

}  // namespace
