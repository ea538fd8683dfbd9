#include "common/formats/skin_file.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using formats::SkinRect;

std::vector<std::uint8_t> SampleSkin(std::vector<std::uint8_t> picture) {
  formats::ModeLayout horizontal;
  horizontal.bgRect = {0, 229, 303, 274};
  horizontal.splitY = {-1, 21, 303, 22};
  formats::ModeLayout vertical;
  vertical.charRect = {4, 24, 40, 185};
  formats::WindowLayout window;
  window.statusBg = {0, 13, 106, 39};
  window.button8 = {1, 2, 3, 4};
  return formats::WriteSkin(horizontal, vertical, window, 0x00123456, 0x00787878, picture);
}

TEST(SkinFileTest, RoundTripsEveryField) {
  const auto bytes = SampleSkin({1, 2, 3});
  ASSERT_EQ(bytes.size(), formats::kSkinHeaderSize + 3);
  EXPECT_EQ(bytes[3], 3);  // picture size, little-endian
  const auto skin = formats::ParseSkin(bytes);
  ASSERT_TRUE(skin);
  EXPECT_EQ(skin->horizontal.bgRect, (SkinRect{0, 229, 303, 274}));
  EXPECT_EQ(skin->horizontal.splitY, (SkinRect{-1, 21, 303, 22}));
  EXPECT_EQ(skin->vertical.charRect, (SkinRect{4, 24, 40, 185}));
  EXPECT_EQ(skin->window.statusBg, (SkinRect{0, 13, 106, 39}));
  EXPECT_EQ(skin->window.button8, (SkinRect{1, 2, 3, 4}));
  EXPECT_EQ(skin->color, 0x00123456u);
  EXPECT_EQ(skin->color2, 0x00787878u);
  EXPECT_EQ(std::vector<std::uint8_t>(skin->picture.begin(), skin->picture.end()),
            (std::vector<std::uint8_t>{1, 2, 3}));
  // Fields sit at their fixed offsets.
  EXPECT_EQ(bytes[formats::kSkinHorizontalOffset + 2], 229);
  EXPECT_EQ(bytes[formats::kSkinWindowOffset + 104], 1);
  EXPECT_EQ(bytes[formats::kSkinColorOffset], 0x56);
}

TEST(SkinFileTest, OnlyTheFirstThreeBytesAreTheMagic) {
  auto bytes = SampleSkin({});
  bytes[3] = 0x36;  // "kuz6": the fourth byte belongs to the picture size
  bytes[4] = bytes[5] = bytes[6] = 0;
  EXPECT_FALSE(formats::ParseSkin(bytes));  // 0x36 bytes of picture are not there
  bytes.resize(bytes.size() + 0x36);
  EXPECT_TRUE(formats::ParseSkin(bytes));
  bytes[2] = 'y';
  EXPECT_FALSE(formats::ParseSkin(bytes));
}

TEST(SkinFileTest, RefusesCutShortFiles) {
  const auto whole = SampleSkin({9, 9, 9, 9});
  for (std::size_t size : {std::size_t{0}, std::size_t{2}, std::size_t{3}, std::size_t{100},
                           formats::kSkinHeaderSize - 1, whole.size() - 1}) {
    const std::span<const std::uint8_t> cut(whole.data(), size);
    EXPECT_FALSE(formats::ParseSkin(cut)) << size;
  }
  auto longer = whole;
  longer.push_back(0);  // bytes after the picture are not read
  const auto skin = formats::ParseSkin(longer);
  ASSERT_TRUE(skin);
  EXPECT_EQ(skin->picture.size(), 4u);
}

TEST(SkinFileTest, RefusesPictureSizesPastTheEnd) {
  auto bytes = SampleSkin({1});
  bytes[3] = bytes[4] = bytes[5] = bytes[6] = 0xFF;  // would wrap a 32-bit offset sum
  EXPECT_FALSE(formats::ParseSkin(bytes));
}

}  // namespace
