#include "common/formats/association_book.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/formats/byte_io.h"
#include "common/formats/character_numbers.h"

namespace {

using formats::AssociationBlock;
using formats::AssociationEntryReader;
using formats::BookRange;

std::vector<std::u16string> Texts(std::span<const std::uint8_t> block, bool* damaged = nullptr) {
  AssociationEntryReader reader(block);
  std::vector<std::u16string> texts;
  while (auto entry = reader.Next()) texts.push_back(entry->Text());
  if (damaged) *damaged = reader.damaged();
  return texts;
}

TEST(AssociationBookTest, SlotsCoverTheIdeographsAndTheCircle) {
  const struct {
    char16_t unit;
    std::optional<std::size_t> slot;
  } cases[] = {
      {0x4E00, 0},          {0x4E2D, 0x2D},         {0x9FA5, 20901},
      {0x25CB, 20902},      {0x4DFF, std::nullopt}, {0x9FA6, std::nullopt},
      {u'a', std::nullopt}, {0xFF11, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formats::AssociationSlot(c.unit), c.slot) << std::hex << int{c.unit};
    if (c.slot) {
      EXPECT_EQ(formats::AssociationCharacter(*c.slot), c.unit);
    }
  }
  EXPECT_EQ(formats::AssociationCharacter(20903), 0);
}

TEST(AssociationBookTest, RoundTripsBlocksInSlotOrder) {
  const std::vector<AssociationBlock> blocks = {
      {0x25CB, {{u"一", 9}}},
      {u'中', {{u"国", 1}, {u"国人", 2}, {u"文", 3}, {u"华人民", 4}}},
      {u'一', {{u"二", 5}}},
  };
  const auto image = formats::BuildAssociationBook(blocks);
  ASSERT_TRUE(image) << image.error();
  ASSERT_EQ(image->index.size(), formats::kAssociationIndexSize);
  const auto index = formats::AssociationIndex::Parse(image->index);
  EXPECT_TRUE(index.complete());
  EXPECT_EQ(index.SlotLength(0), 6u);
  EXPECT_EQ(index.SlotLength(0x2D), 6u + 8 + 6 + 10);
  EXPECT_EQ(formats::LoadU16(image->index, 64 + 2 * 0x2D), 30);

  const BookRange zhong = index.SlotRange(*formats::AssociationSlot(u'中'));
  EXPECT_EQ(zhong, (BookRange{64 + 6, 30}));
  AssociationEntryReader reader(formats::RangeBytes(image->book, zhong));
  const auto first = reader.Next();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Text(), u"国");
  EXPECT_EQ(first->value, 1);
  EXPECT_EQ(Texts(formats::RangeBytes(image->book, zhong)),
            (std::vector<std::u16string>{u"国", u"国人", u"文", u"华人民"}));
  EXPECT_EQ(Texts(formats::RangeBytes(image->book, index.SlotRange(20902))),
            (std::vector<std::u16string>{u"一"}));
  EXPECT_EQ(index.SlotRange(1).length, 0u);
  EXPECT_EQ(image->book.size(), 64u + 6 + 30 + 6);
}

TEST(AssociationBookTest, WriterRefusesWhatTheBookCannotHold) {
  const std::vector<std::vector<AssociationBlock>> cases = {
      {{u'a', {{u"b", 0}}}},
      {{u'中', {}}, {u'中', {}}},
      {{u'中', {{u"", 0}}}},
      {{u'中', {{std::u16string(50, u'国'), 0}}}},
      {{u'中', {{u"国\xFFFF", 0}}}},
      {{u'中', std::vector<formats::AssociationEntryData>(9000, {u"国人", 0})}},  // > 65535 bytes
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const auto result = formats::BuildAssociationBook(cases[i]);
    EXPECT_FALSE(result) << i;
    EXPECT_FALSE(result.error().empty()) << i;
  }
}

TEST(AssociationBookTest, DamagedBlocksYieldTheirWholeEntries) {
  std::vector<std::uint8_t> block;
  for (std::uint16_t u :
       std::initializer_list<std::uint16_t>{u'国', 0xFFFF, 7, u'国', u'人', 0xFFFF, 8})
    formats::AppendU16(block, u);
  bool damaged = false;
  EXPECT_EQ(Texts(block, &damaged).size(), 2u);
  EXPECT_FALSE(damaged);
  // Cut in the value, in the end mark, in the text, inside a unit.
  for (std::size_t cut :
       {block.size() - 1, block.size() - 2, block.size() - 4, std::size_t{9}, std::size_t{7}}) {
    EXPECT_EQ(Texts(std::span(block).first(cut), &damaged).size(), 1u) << cut;
    EXPECT_TRUE(damaged) << cut;
  }
  // An entry of no units is returned; the lookups decide to skip it.
  std::vector<std::uint8_t> empty;
  for (std::uint16_t u : std::initializer_list<std::uint16_t>{0xFFFF, 0})
    formats::AppendU16(empty, u);
  EXPECT_EQ(Texts(empty), (std::vector<std::u16string>{u""}));
}

TEST(AssociationBookTest, ShortIndexMakesTheMissingSlotsEmpty) {
  const auto image = formats::BuildAssociationBook(
      std::vector<AssociationBlock>{{u'一', {{u"二", 0}}}, {u'中', {{u"国", 0}}}});
  ASSERT_TRUE(image);
  const auto index = formats::AssociationIndex::Parse(std::span(image->index).first(64 + 2 * 0x2D));
  EXPECT_FALSE(index.complete());
  EXPECT_EQ(index.SlotRange(0), (BookRange{64, 6}));
  EXPECT_EQ(index.SlotLength(0x2D), 0u);
  EXPECT_EQ(index.SlotRange(0x2D).length, 0u);
  EXPECT_EQ(formats::AssociationIndex::Parse({}).SlotRange(0).length, 0u);
}

TEST(CharacterNumbersTest, NumbersBySlotWith20ForTheRest) {
  const std::vector<std::pair<char16_t, std::uint8_t>> numbers = {{u'中', 3}, {0x25CB, 7}};
  const auto table = formats::WriteCharacterNumbers(numbers);
  ASSERT_TRUE(table) << table.error();
  ASSERT_EQ(table->size(), formats::kAssociationSlotCount);
  const formats::CharacterNumbers parsed(*table);
  EXPECT_TRUE(parsed.complete());
  EXPECT_EQ(parsed.NumberOf(u'中'), 3);
  EXPECT_EQ(parsed.NumberOf(0x25CB), 7);
  EXPECT_EQ(parsed.NumberOf(u'国'), 20);
  EXPECT_EQ(parsed.NumberOf(u'a'), 20);
  // A short table numbers only the slots it reaches.
  const formats::CharacterNumbers cut{std::span(*table).first(0x2E)};
  EXPECT_FALSE(cut.complete());
  EXPECT_EQ(cut.NumberOf(u'中'), 3);
  EXPECT_EQ(cut.NumberOf(u'丮'), 20);  // slot 0x2E
  EXPECT_EQ(cut.NumberOf(0x25CB), 20);

  const std::vector<std::pair<char16_t, std::uint8_t>> noSlot = {{u'a', 1}};
  EXPECT_FALSE(formats::WriteCharacterNumbers(noSlot));
  const std::vector<std::pair<char16_t, std::uint8_t>> twice = {{u'中', 1}, {u'中', 2}};
  EXPECT_FALSE(formats::WriteCharacterNumbers(twice));
}

}  // namespace
