#include "common/formats/ini_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

TEST(ProfileIntTest, ReadsDecimalTextAsThePlatformDoes) {
  struct Case {
    std::string_view text;
    int expected;
  };
  const Case cases[] = {{"12", 12},         {"  7", 7},        {"-3", -3},  {"+4", 4},
                        {"12abc", 12},      {"abc", 0},        {"0x10", 0}, {"21299263", 21299263},
                        {"4294967295", -1}, {"4294967296", 0}, {"", -1}};
  for (const Case& c : cases) EXPECT_EQ(formats::ProfileInt(c.text, -1), c.expected) << c.text;
}

TEST(IniFileTest, FindsKeysCaseInsensitivelyInTheirSection) {
  const auto ini = formats::IniFile::Parse(
      Bytes("; settings\r\n[Other]\r\nKEYMODE=9\r\n[baseconfig]\r\n  keymode = 2 \r\nMAMODE=3\r\n"
            "KEYMODE=4\r\nSKINNAME=\"bb.data\"\r\n"));
  EXPECT_EQ(ini.Value("BaseConfig", "KEYMODE"), "2");  // the first occurrence wins
  EXPECT_EQ(ini.Value("BASECONFIG", "mamode"), "3");
  EXPECT_EQ(ini.Value("BaseConfig", "SKINNAME"), "bb.data");
  EXPECT_EQ(ini.Value("Other", "KEYMODE"), "9");
  EXPECT_FALSE(ini.Value("BaseConfig", "ASSIO"));
  EXPECT_FALSE(ini.Value("Missing", "KEYMODE"));
}

TEST(IniFileTest, IgnoresLinesOutsideSectionsAndLaterSectionsOfTheSameName) {
  const auto ini = formats::IniFile::Parse(
      Bytes("ASSIO=1\n[BaseConfig]\nnot a pair\nMAXZI=5\n[BaseConfig]\nASSIO=2\n"));
  EXPECT_FALSE(ini.Value("BaseConfig", "ASSIO"));
  EXPECT_EQ(ini.Value("BaseConfig", "MAXZI"), "5");
}

TEST(IniFileTest, ReadsUtf16FilesWithByteOrderMark) {
  const std::u16string text = u"[BaseConfig]\r\nSKINNAME=经典.data\r\nKEYMODE=3\r\n";
  std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
  for (char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  const auto ini = formats::IniFile::Parse(bytes);
  EXPECT_EQ(ini.Value("BaseConfig", "KEYMODE"), "3");
  EXPECT_EQ(ini.Value("BaseConfig", "SKINNAME"), "\xE7\xBB\x8F\xE5\x85\xB8.data");
}

TEST(IniFileTest, SurvivesTruncatedAndBinaryInput) {
  const std::vector<std::uint8_t> odd = {0xFF, 0xFE, '[', 0};  // half a code unit at the end
  EXPECT_FALSE(formats::IniFile::Parse(odd).Value("[", "x"));
  const std::vector<std::uint8_t> junk = {'[', 0, 0xFF, '=', '\n', '=', '='};
  EXPECT_FALSE(formats::IniFile::Parse(junk).Value("BaseConfig", ""));
}

}  // namespace
