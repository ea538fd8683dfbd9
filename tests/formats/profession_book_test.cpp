#include "common/formats/profession_book.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/formats/byte_io.h"

namespace {

using formats::BookRange;
using formats::EntryLayout;
using formats::WordRecord;

constexpr std::array<std::uint8_t, 16> kKey = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88,
                                               0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xF0, 0x0F};

std::vector<std::u16string> Texts(std::span<const std::uint8_t> book, BookRange range,
                                  const formats::ProfessionMask& mask, const char* code) {
  std::vector<std::u16string> texts;
  formats::RecordReader records(EntryLayout::kWord, formats::RangeBytes(book, range));
  while (auto record = records.Next()) {
    if (!formats::MatchesCode(code, record->code.view())) continue;
    formats::WordEntryReader entries(record->entries);
    while (auto entry = entries.Next()) texts.push_back(formats::UnmaskedText(*entry, mask));
  }
  return texts;
}

TEST(ProfessionBookTest, RoundTripsThroughTheMask) {
  const std::u16string forty(40, u'\x4E2D');
  const std::u16string fortyOne(41, u'\x4E2D');
  const std::vector<WordRecord> records = {
      {"527", {{u"专业词", 1, 2}, {u"字", 3, 4}}},
      {"5271", {{forty, 0, 0}, {fortyOne, 0, 0}}},
      {"6", {{u"六", 0, 0}}},
  };
  const auto image = formats::BuildProfessionBook(kKey, records);
  ASSERT_TRUE(image) << image.error();
  ASSERT_EQ(image->index.size(), formats::kProfessionIndexSize);
  EXPECT_TRUE(std::equal(kKey.begin(), kKey.end(), image->index.begin()));
  EXPECT_EQ(formats::LoadU32(image->index, 16), image->book.size());
  EXPECT_EQ(image->index[20], 0);

  const auto index = formats::ProfessionIndex::Parse(image->index);
  ASSERT_TRUE(index);
  EXPECT_TRUE(index->complete());
  EXPECT_EQ(index->mask()[16], kKey[0]);
  EXPECT_EQ(index->mask()[79], kKey[15]);
  // No header: bucket 646 is the first non-empty one and starts at 0.
  const BookRange range = index->Range({646, 646});
  EXPECT_EQ(range.offset, 0u);
  EXPECT_EQ(Texts(image->book, range, index->mask(), "527"),
            (std::vector<std::u16string>{u"专业词", u"字"}));
  EXPECT_EQ(Texts(image->book, range, index->mask(), "5271"),
            (std::vector<std::u16string>{forty, fortyOne}));
  EXPECT_EQ(Texts(image->book, index->Range({726, 726}), index->mask(), "6"),
            (std::vector<std::u16string>{u"六"}));
  EXPECT_EQ(index->WholeBook(), (BookRange{0, image->book.size()}));
}

TEST(ProfessionBookTest, FortyUnitsAreMaskedAndFortyOneStoredAsTheyAre) {
  const std::u16string forty(40, u'\x4E2D');
  const std::u16string fortyOne(41, u'\x4E2D');
  const auto image = formats::BuildProfessionBook(
      kKey, std::vector<WordRecord>{{"1", {{forty, 0, 0}}}, {"2", {{fortyOne, 0, 0}}}});
  ASSERT_TRUE(image) << image.error();
  // Record "1": code, then the masked units; the first unit 0x4E2D is stored XOR 0x2211.
  EXPECT_EQ(formats::LoadU16(image->book, 3), 0x4E2D ^ 0x2211);
  // Unit 8 is masked with key bytes 0 and 1 again.
  EXPECT_EQ(formats::LoadU16(image->book, 3 + 16), 0x4E2D ^ 0x2211);
  // The terminator and the trailing words are never masked.
  EXPECT_EQ(formats::LoadU16(image->book, 3 + 80), 0);
  const std::size_t second = 3 + 80 + 6 + 2;
  EXPECT_EQ(formats::LoadU16(image->book, second + 3), 0x4E2D);
  EXPECT_EQ(formats::LoadU16(image->book, second + 3 + 80), 0x4E2D);
}

TEST(ProfessionBookTest, RefusesTextsTheMaskWouldBreak) {
  // 0x2211 XOR the first key pair is 0x0000: it would read as the terminator.
  EXPECT_FALSE(
      formats::BuildProfessionBook(kKey, std::vector<WordRecord>{{"1", {{u"a\x4433", 0, 0}}}}));
  EXPECT_FALSE(
      formats::BuildProfessionBook(kKey, std::vector<WordRecord>{{"1", {{u"\x2211", 0, 0}}}}));
  // A first unit that masks to 0xFFFF would read as the end mark.
  EXPECT_FALSE(
      formats::BuildProfessionBook(kKey, std::vector<WordRecord>{{"1", {{u"\xDDEE", 0, 0}}}}));
  // The same unit further in is harmless.
  EXPECT_TRUE(
      formats::BuildProfessionBook(kKey, std::vector<WordRecord>{{"1", {{u"a\xDDEE", 0, 0}}}}));
  // Without masking (41 units) a unit equal to the key is stored as it is.
  EXPECT_TRUE(formats::BuildProfessionBook(
      kKey, std::vector<WordRecord>{{"1", {{u"\x2211" + std::u16string(40, u'a'), 0, 0}}}}));
  EXPECT_FALSE(formats::BuildProfessionBook(kKey, std::vector<WordRecord>{{"1234567", {}}}));
}

TEST(ProfessionBookTest, ShortIndexKeepsWhatItHolds) {
  const auto image =
      formats::BuildProfessionBook(kKey, std::vector<WordRecord>{{"5", {{u"五", 0, 0}}}});
  ASSERT_TRUE(image);
  EXPECT_FALSE(formats::ProfessionIndex::Parse(std::span(image->index).first(15)));
  const auto keyOnly = formats::ProfessionIndex::Parse(std::span(image->index).first(17));
  ASSERT_TRUE(keyOnly);
  EXPECT_FALSE(keyOnly->complete());
  EXPECT_EQ(keyOnly->WholeBook().length, 0u);
  EXPECT_EQ(keyOnly->mask()[1], kKey[1]);
  const auto cut = formats::ProfessionIndex::Parse(std::span(image->index).first(32 + 2 * 605));
  ASSERT_TRUE(cut);
  EXPECT_FALSE(cut->complete());
  EXPECT_EQ(cut->WholeBook().length, image->book.size());
  EXPECT_EQ(cut->BucketLength(605), 0u);
  EXPECT_EQ(formats::ProfessionIndex::Parse(image->index)->BucketLength(605), 3u + 8 + 2);
}

}  // namespace
