#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tools/skin_builder/canvas.h"
#include "tools/skin_builder/image_codecs.h"
#include "tools/skin_builder/skin_description.h"
#include "tools/skin_builder/skin_painter.h"

namespace skin_builder {
namespace {

constexpr const char* kModeFields[] = {"bgRect",   "sepRect1", "sepRect2", "compRect", "pageRect",
                                       "charRect", "wordRect", "prevRect", "nextRect", "prevPic",
                                       "nextPic",  "splitX",   "splitY"};
constexpr const char* kWindowFields[] = {"statusBg",       "button1", "button1Pressed", "button2",
                                         "button2Pressed", "button3", "button3Pressed", "button4",
                                         "button4Pressed", "button5", "button6",        "button7",
                                         "button7Pressed", "button8"};

// A complete description of a 40 x 30 picture whose every layout rectangle lies on it; `skip`
// leaves one field out.
std::string Base(const std::string& skip = "") {
  std::string text = "picture 40 30 #FFFFFF\ntext-colour #000000\nseparator-colour #787878\n";
  for (const char* block : {"horizontal", "vertical"}) {
    for (const char* field : kModeFields) {
      if (std::string(block) + " " + field != skip) {
        text += std::string(block) + " " + field + " 0 0 10 10\n";
      }
    }
  }
  for (const char* field : kWindowFields) {
    if (std::string("window ") + field != skip)
      text += std::string("window ") + field + " 0 0 9 9\n";
  }
  return text;
}

int LineCount(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST(SkinDescriptionTest, ReportsTheLineOfABadStatement) {
  const char* badLines[] = {
      "fill 0 0 10 10 #FF00F",                 // colour one digit short
      "fill 35 0 10 10 #FF00FF",               // reaches past the right edge
      "origin 30 25\nfill 0 0 10 10 #FF00FF",  // inside alone, outside after the origin
      "window button5 1 2 3 4",                // given twice
      "horizontal bgRekt 0 0 1 1",             // no such field
      "text nofont 12 #000000 0 0 10 10 X",    // font never defined
      "round 0 0 10 10 6 #000000",             // radius larger than half the box
      "blend 0 0 1 1",                         // unknown statement
  };
  for (const std::string bad : badLines) {
    const std::string text = Base() + "# drawing\n" + bad + "\nfill 0 0 1 1 #000000\n";
    // The base, the comment line, then the statement, whose last line is the faulty one.
    const int expectedLine = LineCount(Base()) + 2 + LineCount(bad);
    try {
      ParseSkinDescription(text, "x.desc");
      ADD_FAILURE() << "accepted: " << bad;
    } catch (const DescriptionError& error) {
      EXPECT_EQ(error.line(), expectedLine) << bad << ": " << error.what();
      EXPECT_EQ(std::string(error.what()).rfind("x.desc:" + std::to_string(expectedLine) + ": ", 0),
                0u)
          << error.what();
    }
  }
}

TEST(SkinDescriptionTest, NamesAFieldThatIsMissing) {
  for (const std::string field : {"vertical splitY", "window button8", "horizontal bgRect"}) {
    try {
      ParseSkinDescription(Base(field), "x.desc");
      ADD_FAILURE() << "accepted without " << field;
    } catch (const DescriptionError& error) {
      EXPECT_NE(std::string(error.what()).find("'" + field + "'"), std::string::npos)
          << error.what();
    }
  }
}

TEST(SkinDescriptionTest, PictureRectangleOffThePictureIsBlamedOnItsLine) {
  // The pressed image is as large as its button, so this one ends one pixel past the edge.
  std::string text = Base("window button7Pressed");
  const int line = LineCount(text) + 1;
  text += "window button7Pressed 31 0 31 0\n";
  try {
    ParseSkinDescription(text, "x.desc");
    ADD_FAILURE() << "accepted a pressed image past the edge";
  } catch (const DescriptionError& error) {
    EXPECT_EQ(error.line(), line) << error.what();
  }
}

TEST(SkinDescriptionTest, StoresColoursInTheSkinFilesByteOrder) {
  std::string text = Base();
  text.replace(text.find("#000000"), 7, "#123456");
  const SkinDescription skin = ParseSkinDescription(text, "x.desc");
  EXPECT_EQ(skin.textColour, 0x00563412u);
  EXPECT_EQ(skin.separatorColour, 0x00787878u);
  EXPECT_EQ(skin.horizontal.splitY, (formats::SkinRect{0, 0, 10, 10}));
  EXPECT_EQ(skin.window.statusBg, (formats::SkinRect{0, 0, 9, 9}));
}

TEST(SkinPainterTest, DrawsAtTheOriginInOrder) {
  const SkinDescription skin = ParseSkinDescription(
      Base() + "origin 10 20\nfill 1 2 3 4 #FF0000\nfill 2 3 1 1 #0000FF\n", "x.desc");
  const Canvas picture = SkinPainter(skin).Paint();
  const Rgb red{255, 0, 0};
  EXPECT_EQ(picture.At(11, 22), red);
  EXPECT_EQ(picture.At(13, 25), red);
  EXPECT_NE(picture.At(10, 22), red);
  EXPECT_NE(picture.At(11, 21), red);
  EXPECT_NE(picture.At(14, 25), red);
  EXPECT_NE(picture.At(11, 26), red);
  EXPECT_EQ(picture.At(12, 23), (Rgb{0, 0, 255}));
}

TEST(SkinPainterTest, ChecksTheStatusRegion) {
  // statusBg is (0, 0)-(9, 9); a hard rounded box inside a transparent frame leaves a known
  // number of pixels, and a transparent dot inside splits a column.
  const std::string shape = "fill 0 0 10 10 #FF00FF\nfill 1 1 8 8 #336699\n";
  std::string text = Base() + shape + "status-region 64\n";
  EXPECT_EQ(
      MeasureStatusRegion(SkinPainter(ParseSkinDescription(text, "x.desc")).Paint(), {0, 0, 9, 9})
          .pixels,
      64);

  text = Base() + shape + "status-region 60\n";
  EXPECT_THROW(SkinPainter(ParseSkinDescription(text, "x.desc")).Paint(), DescriptionError);

  text = Base() + shape + "fill 4 4 1 1 #FF00FF\nstatus-region 63\n";
  try {
    SkinPainter(ParseSkinDescription(text, "x.desc")).Paint();
    ADD_FAILURE() << "accepted a hole in the status window";
  } catch (const DescriptionError& error) {
    EXPECT_EQ(error.line(), LineCount(text)) << error.what();
  }
}

TEST(BmpTest, PadsRowsAndStoresThemBottomUp) {
  // Width 5 makes 15 bytes of pixels per row, padded to 16.
  Canvas picture(5, 3, {});
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      picture.Set(x, y,
                  {static_cast<std::uint8_t>(40 * x), static_cast<std::uint8_t>(80 * y),
                   static_cast<std::uint8_t>(7 + x + 10 * y)});
    }
  }
  const std::vector<std::uint8_t> bmp = EncodeBmp24(picture);
  ASSERT_EQ(bmp.size(), 54u + 16u * 3u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(bmp[2] | (bmp[3] << 8), static_cast<int>(bmp.size()));
  // The first stored row is the bottom one, blue first.
  const Rgb bottomLeft = picture.At(0, 2);
  EXPECT_EQ(bmp[54], bottomLeft.b);
  EXPECT_EQ(bmp[56], bottomLeft.r);
  EXPECT_EQ(bmp[54 + 15], 0);  // padding

  const auto decoded = DecodeImage(bmp);
  ASSERT_TRUE(decoded);
  ASSERT_EQ(decoded->width(), 5);
  ASSERT_EQ(decoded->height(), 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(decoded->At(x, y), picture.At(x, y)) << x << "," << y;
  }
}

}  // namespace
}  // namespace skin_builder
