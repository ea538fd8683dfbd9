#include <gtest/gtest.h>

#include "common/formats/skin_file.h"
#include "ime/resources/builtin_resources.h"
#include "platform/sim/stb_image_decoder.h"

namespace {

using formats::SkinRect;

class BuiltinSkinTest : public ::testing::Test {
 protected:
  std::span<const std::uint8_t> bytes = ime::BuiltinResources().RawData(ime::kBuiltinSkinResource);
  std::optional<formats::SkinFile> skin = formats::ParseSkin(bytes);
};

TEST_F(BuiltinSkinTest, HasTheBuiltInSizeAndColours) {
  ASSERT_EQ(bytes.size(), 280'965u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "kuz6");
  ASSERT_TRUE(skin);
  EXPECT_EQ(skin->picture.size(), 280'630u);
  EXPECT_EQ(skin->color, 0u);
  EXPECT_EQ(skin->color2, 0x00787878u);
}

TEST_F(BuiltinSkinTest, HasTheBuiltInLayouts) {
  ASSERT_TRUE(skin);
  const formats::ModeLayout& h = skin->horizontal;
  const formats::ModeLayout& v = skin->vertical;
  const std::pair<SkinRect, SkinRect> expected[] = {
      {h.bgRect, {0, 229, 303, 274}},   {v.bgRect, {0, 39, 158, 229}},
      {h.sepRect1, {2, 21, 298, 22}},   {v.sepRect1, {40, 22, 41, 187}},
      {h.sepRect2, {75, 4, 76, 18}},    {v.sepRect2, {3, 21, 154, 22}},
      {h.compRect, {4, 4, 74, 21}},     {v.compRect, {4, 4, 80, 21}},
      {h.pageRect, {120, 4, 230, 21}},  {v.pageRect, {81, 4, 125, 21}},
      {h.charRect, {78, 4, 285, 21}},   {v.charRect, {4, 24, 40, 185}},
      {h.wordRect, {4, 24, 285, 41}},   {v.wordRect, {42, 24, 153, 185}},
      {h.prevRect, {285, 5, 299, 19}},  {v.prevRect, {126, 4, 140, 18}},
      {h.nextRect, {285, 25, 299, 39}}, {v.nextRect, {140, 4, 154, 18}},
      {h.prevPic, {300, 0, 314, 13}},   {v.prevPic, {300, 0, 314, 13}},
      {h.nextPic, {320, 0, 334, 13}},   {v.nextPic, {320, 0, 334, 13}},
      {h.splitX, {140, 0, 141, 44}},    {v.splitX, {100, 0, 101, 190}},
      {h.splitY, {0, 21, 303, 22}},     {v.splitY, {0, 100, 158, 101}},
  };
  for (const auto& [actual, wanted] : expected) {
    EXPECT_EQ(actual, wanted) << actual.left << "," << actual.top << "," << actual.right << ","
                              << actual.bottom;
  }
  const formats::WindowLayout& w = skin->window;
  EXPECT_EQ(w.statusBg, (SkinRect{0, 13, 106, 39}));
  EXPECT_EQ(w.button1, (SkinRect{5, 6, 19, 18}));
  EXPECT_EQ(w.button1Pressed, (SkinRect{60, 0, 74, 12}));
  EXPECT_EQ(w.button2, (SkinRect{25, 6, 39, 18}));
  EXPECT_EQ(w.button2Pressed, (SkinRect{100, 0, 114, 12}));
  EXPECT_EQ(w.button3, (SkinRect{}));
  EXPECT_EQ(w.button3Pressed, (SkinRect{140, 0, 154, 12}));
  EXPECT_EQ(w.button4, (SkinRect{}));
  EXPECT_EQ(w.button4Pressed, (SkinRect{200, 0, 214, 12}));
  EXPECT_EQ(w.button5, (SkinRect{45, 6, 59, 18}));
  EXPECT_EQ(w.button6, (SkinRect{65, 6, 79, 18}));
  EXPECT_EQ(w.button7, (SkinRect{85, 6, 99, 18}));
  EXPECT_EQ(w.button7Pressed, (SkinRect{180, 0, 194, 12}));
  EXPECT_EQ(w.button8, (SkinRect{}));
}

TEST_F(BuiltinSkinTest, StatusWindowShapeKeepsEveryButtonClickable) {
  ASSERT_TRUE(skin);
  const auto picture = platform::StbImageDecoder().Decode(skin->picture);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Width(), 341);
  EXPECT_EQ(picture->Height(), 274);
  // The status window's region is every pixel unlike its top-left one.
  const formats::WindowLayout& w = skin->window;
  const std::uint32_t transparent = picture->PixelAt(w.statusBg.left, w.statusBg.top);
  int inside = 0;
  for (int y = w.statusBg.top; y <= w.statusBg.bottom; ++y) {
    for (int x = w.statusBg.left; x <= w.statusBg.right; ++x) {
      inside += picture->PixelAt(x, y) != transparent ? 1 : 0;
    }
  }
  EXPECT_EQ(inside, 2862);  // of 107 x 27: only the rounded corners are cut away
  for (const SkinRect& button : {w.button1, w.button2, w.button5, w.button6, w.button7}) {
    for (int y = button.top; y <= button.bottom; ++y) {
      for (int x = button.left; x <= button.right; ++x) {
        ASSERT_NE(picture->PixelAt(w.statusBg.left + x, w.statusBg.top + y), transparent)
            << "button pixel " << x << "," << y << " is outside the window";
      }
    }
  }
  // Left-out buttons sit on the corner pixel, which is never part of the window.
  EXPECT_EQ(w.button3, (SkinRect{}));
}

}  // namespace
