#include "ime/engine/ime_config.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "common/formats/byte_io.h"
#include "tests/support/sim_host.h"

namespace {

using formats::SkinRect;
using testing_support::SimHost;

// A w x h 24-bit bottom-up bitmap file of one colour (0x00BBGGRR).
std::vector<std::uint8_t> SolidBitmap(int w, int h, std::uint32_t color) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(w) * 3 + 3) & ~3u;
  const std::uint32_t pixels = stride * static_cast<std::uint32_t>(h);
  std::vector<std::uint8_t> bmp = {'B', 'M'};
  formats::AppendU32(bmp, 54 + pixels);
  formats::AppendU32(bmp, 0);
  formats::AppendU32(bmp, 54);
  formats::AppendU32(bmp, 40);
  formats::AppendU32(bmp, static_cast<std::uint32_t>(w));
  formats::AppendU32(bmp, static_cast<std::uint32_t>(h));
  formats::AppendU16(bmp, 1);
  formats::AppendU16(bmp, 24);
  for (int i = 0; i < 6; ++i) formats::AppendU32(bmp, 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      bmp.push_back(static_cast<std::uint8_t>(color >> 16));
      bmp.push_back(static_cast<std::uint8_t>(color >> 8));
      bmp.push_back(static_cast<std::uint8_t>(color));
    }
    bmp.resize(bmp.size() + stride - static_cast<std::uint32_t>(w) * 3);
  }
  return bmp;
}

std::vector<std::uint8_t> CustomSkin(std::vector<std::uint8_t> picture) {
  formats::ModeLayout horizontal;
  horizontal.charRect = {10, 11, 12, 13};
  horizontal.wordRect = {20, 21, 22, 23};
  formats::ModeLayout vertical;
  vertical.charRect = {30, 31, 32, 33};
  vertical.wordRect = {40, 41, 42, 43};
  formats::WindowLayout window;
  window.statusBg = {1, 2, 3, 4};
  return formats::WriteSkin(horizontal, vertical, window, 0x0000FF00, 0x00FF0000, picture);
}

void SetSkinName(ime::CImeConfig& config, std::u16string_view name) {
  config.skinName.fill(0);
  std::copy(name.begin(), name.end(), config.skinName.begin());
}

TEST(ImeConfigTest, WithoutASettingsFileTheDefaultsAndTheBuiltInSkinApply) {
  SimHost host;
  const ime::CImeConfig config(host.ports());
  EXPECT_EQ(config.settingsStamp, 255u);
  EXPECT_EQ(config.scriptFlag, 1);
  EXPECT_EQ(config.charsPerPage, 7);  // the page-size rule for a horizontal window, MAMODE 1
  EXPECT_EQ(config.wordsPerPage, 5);
  EXPECT_EQ(config.fontHeight, -16);
  EXPECT_EQ(config.KEYMODE, 1);
  EXPECT_EQ(config.AUTOTP, 1);
  EXPECT_EQ(config.MABENG, 1);
  EXPECT_EQ(config.hostFlag, 0);
  EXPECT_EQ(config.srmKeys, ime::kDefaultSrmKeys);
  EXPECT_EQ(config.selKeys, (std::array<ime::KeyBinding, 20>{}));
  EXPECT_EQ(config.fullWidth[0], u'\u3000');
  EXPECT_EQ(config.fullWidth['A' - 0x20], u'Ａ');
  EXPECT_EQ(config.fullWidth[94], u'～');
  // The built-in skin, with the two candidate areas merged because MAMODE is 1.
  EXPECT_EQ(config.skinColor, 0u);
  EXPECT_EQ(config.skinColor2, 0x00787878u);
  EXPECT_EQ(config.modeLayout.bgRect, (SkinRect{0, 229, 303, 274}));
  EXPECT_EQ(config.modeLayout.charRect, (SkinRect{4, 24, 285, 41}));
  EXPECT_EQ(config.modeLayout.wordRect, (SkinRect{4, 24, 285, 41}));
  EXPECT_EQ(config.windowLayout.statusBg, (SkinRect{0, 13, 106, 39}));
  ASSERT_TRUE(config.skinPicture);
  EXPECT_EQ(config.skinPicture->Width(), 341);
  EXPECT_EQ(config.skinPicture->Height(), 274);
}

struct SettingsCase {
  const char* name;
  const char* ini;
  int chars, words, keymode, font, speach;
  std::vector<std::pair<std::size_t, ime::KeyBinding>> selKeys;  // all others 0
  std::vector<std::pair<std::size_t, ime::KeyBinding>> srmKeys;  // all others default
};

void PrintTo(const SettingsCase& c, std::ostream* os) {
  *os << c.name;
}

class SettingsRulesTest : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(SettingsRulesTest, AppliesTheReadRules) {
  const SettingsCase& c = GetParam();
  SimHost host;
  host.WriteSettings(c.ini);
  const ime::CImeConfig config(host.ports());
  EXPECT_EQ(config.charsPerPage, c.chars);
  EXPECT_EQ(config.wordsPerPage, c.words);
  EXPECT_EQ(config.KEYMODE, c.keymode);
  EXPECT_EQ(config.fontHeight, c.font);
  EXPECT_EQ(config.Speach, c.speach);
  std::array<ime::KeyBinding, 20> sel{};
  for (auto [i, v] : c.selKeys) sel[i] = v;
  EXPECT_EQ(config.selKeys, sel);
  auto srm = ime::kDefaultSrmKeys;
  for (auto [i, v] : c.srmKeys) srm[i] = v;
  EXPECT_EQ(config.srmKeys, srm);
}

const std::vector<std::pair<std::size_t, ime::KeyBinding>> kLetters = {
    {0, 0x00100071},  {1, 0x00110077},  {2, 0x00120065},  {3, 0x00130072},  {4, 0x00140074},
    {10, 0x001E0061}, {11, 0x001F0073}, {12, 0x00200064}, {13, 0x00210066}, {14, 0x00220067}};

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsRulesTest,
    ::testing::Values(
        SettingsCase{"LetterSelection",
                     "[BaseConfig]\nKEYMODE=1\nSHOWMODE=1\nMAMODE=3\n",
                     5,
                     5,
                     1,
                     -16,
                     0,
                     kLetters,
                     {}},
        SettingsCase{"VerticalIgnoresBindings",
                     "[BaseConfig]\nKEYMODE=1\nSHOWMODE=2\nMAMODE=3\nSelKey0=1234\nSrmKey0=5\n",
                     10,
                     10,
                     1,
                     -16,
                     0,
                     {},
                     {}},
        SettingsCase{"CustomWithOnlyTheWildcard",
                     "[BaseConfig]\nKEYMODE=4\nSrmKeyN=21299263\n",
                     7,
                     5,
                     4,
                     -16,
                     0,
                     {},
                     {}},
        SettingsCase{"CustomBindings",
                     "[BaseConfig]\nKEYMODE=5\nSrmKey5=2228327\nsrmkeyd=-4\nSelKey19=1179762\n",
                     7,
                     5,
                     5,
                     -16,
                     0,
                     {{19, 1179762}},
                     {{5, 2228327}}},
        SettingsCase{"PageSizesComeFromTheRule",
                     "[BaseConfig]\nMAXZI=9\nMAXCI=8\nMAMODE=1\n",
                     7,
                     5,
                     1,
                     -16,
                     0,
                     {},
                     {}},
        SettingsCase{"FontSizeZero", "[BaseConfig]\nFONTSIZE=0\n", 7, 5, 1, -16, 0, {}, {}},
        SettingsCase{"FontSizeNegative", "[BaseConfig]\nFONTSIZE=-3\n", 7, 5, 1, -16, 0, {}, {}},
        SettingsCase{
            "FontSizeTaken", "[BaseConfig]\nFONTSIZE=20\nSpeach=1\n", 7, 5, 1, -20, 1, {}, {}},
        SettingsCase{"NegativeSpeechIgnored",
                     "[BaseConfig]\nSpeach=-1\nKEYMODE=0\n",
                     7,
                     5,
                     1,
                     -16,
                     0,
                     {},
                     {}},
        SettingsCase{
            "WrongSectionIgnored", "[Other]\nKEYMODE=2\nFONTSIZE=30\n", 7, 5, 1, -16, 0, {}, {}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ImeConfigTest, ReloadsOnlyWhenTheStampChanges) {
  SimHost host;
  host.WriteSettings("[BaseConfig]\nASSIO=1\nUSERZC=1\nMAMODE=3\n");
  ime::CImeConfig config(host.ports());
  EXPECT_EQ(config.ASSIO, 1);
  EXPECT_EQ(config.charsPerPage, 5);

  // Same last-write time: nothing is read, even though the contents changed.
  const auto time = std::filesystem::last_write_time(host.SettingsFile());
  host.WriteSettings("[BaseConfig]\nASSIO=0\n");
  std::filesystem::last_write_time(host.SettingsFile(), time);
  config.USERZC = 7;
  ime::LoadSettings(config, host.ports());
  EXPECT_EQ(config.ASSIO, 1);
  EXPECT_EQ(config.USERZC, 7);

  // A new time with the same contents reloads everything; a removed key keeps its value.
  host.WriteSettings("[BaseConfig]\nASSIO=0\n");
  ime::LoadSettings(config, host.ports());
  EXPECT_EQ(config.ASSIO, 0);
  EXPECT_EQ(config.USERZC, 7);
  EXPECT_EQ(config.MAMODE, 3);

  // Deleting the file keeps what was loaded.
  std::filesystem::remove(host.SettingsFile());
  config.selKeys.fill(0);
  ime::LoadSettings(config, host.ports());
  EXPECT_EQ(config.settingsStamp, 255u);
  EXPECT_EQ(config.MAMODE, 3);
  EXPECT_EQ(config.ASSIO, 0);
  EXPECT_EQ(config.selKeys[0], 0x00100071u);  // bindings are rebuilt on every real reload
  config.ASSIO = 5;
  ime::LoadSettings(config, host.ports());
  EXPECT_EQ(config.ASSIO, 5);  // still missing: nothing happens
}

TEST(ImeConfigTest, TheFullWidthTableIsCopiedOnEveryLoad) {
  SimHost host;
  ime::CImeConfig config(host.ports());
  config.fullWidth.fill(0);
  ime::LoadSettings(config, host.ports());  // stamp unchanged
  EXPECT_EQ(config.fullWidth[1], u'！');
}

TEST(ImeConfigTest, HostFlagNeedsTheExactExecutableName) {
  for (auto [path, flag] : {std::pair{"/opt/LURNJX.exe", 1},
                            {"LURNJX.exe", 1},
                            {"/opt/lurnjx.exe", 0},
                            {"/opt/LURNJX.exe.bak", 0}}) {
    SimHost host(path);
    EXPECT_EQ(ime::CImeConfig(host.ports()).hostFlag, flag) << path;
  }
}

TEST(ImeConfigTest, ASkinFileInTheBaseFolderIsUsedWhenItIsSound) {
  SimHost host;
  host.WriteBaseFile("blue.data", CustomSkin(SolidBitmap(3, 2, 0x00FF0000)));
  host.WriteSettings("[BaseConfig]\nSHOWMODE=2\nMAMODE=2\n");
  ime::CImeConfig config(host.ports());
  SetSkinName(config, u"blue.data");
  host.WriteSettings("[BaseConfig]\nSHOWMODE=2\nMAMODE=2\n");
  ime::LoadSettings(config, host.ports());
  EXPECT_EQ(config.skinColor, 0x0000FF00u);
  EXPECT_EQ(config.skinColor2, 0x00FF0000u);
  EXPECT_EQ(config.windowLayout.statusBg, (SkinRect{1, 2, 3, 4}));
  // The vertical block, merged: the character area reaches to the word area's right, the word
  // area starts at the character area's left.
  EXPECT_EQ(config.modeLayout.charRect, (SkinRect{30, 31, 42, 33}));
  EXPECT_EQ(config.modeLayout.wordRect, (SkinRect{30, 41, 42, 43}));
  ASSERT_TRUE(config.skinPicture);
  EXPECT_EQ(config.skinPicture->Width(), 3);
  EXPECT_EQ(config.skinPicture->PixelAt(2, 1), 0x00FF0000u);
}

TEST(ImeConfigTest, MixedPagesKeepBothCandidateAreas) {
  SimHost host;
  host.WriteBaseFile("mixed.data", CustomSkin(SolidBitmap(1, 1, 0)));
  ime::CImeConfig config(host.ports());
  SetSkinName(config, u"mixed.data");
  host.WriteSettings("[BaseConfig]\nMAMODE=3\n");
  ime::LoadSettings(config, host.ports());
  EXPECT_EQ(config.modeLayout.charRect, (SkinRect{10, 11, 12, 13}));
  EXPECT_EQ(config.modeLayout.wordRect, (SkinRect{20, 21, 22, 23}));
}

TEST(ImeConfigTest, DamagedSkinFilesFallBackToTheBuiltInSkin) {
  auto wrongMagic = CustomSkin(SolidBitmap(1, 1, 0));
  wrongMagic[2] = 'y';
  auto cutShort = CustomSkin(SolidBitmap(1, 1, 0));
  cutShort.resize(cutShort.size() - 1);
  const std::vector<std::uint8_t> headerOnly = {'k', 'u', 'z', 0, 0};
  for (const auto& bytes : {wrongMagic, cutShort, headerOnly}) {
    SimHost host;
    host.WriteBaseFile("bad.data", bytes);
    ime::CImeConfig config(host.ports());
    SetSkinName(config, u"bad.data");
    host.WriteSettings("[BaseConfig]\n");
    ime::LoadSettings(config, host.ports());
    EXPECT_EQ(config.skinColor2, 0x00787878u);
    EXPECT_EQ(config.modeLayout.bgRect, (SkinRect{0, 229, 303, 274}));
    ASSERT_TRUE(config.skinPicture);
    EXPECT_EQ(config.skinPicture->Width(), 341);
  }
}

TEST(ImeConfigTest, WithoutAnySoundSkinTheLayoutStaysAndThePictureGoes) {
  SimHost host;
  ime::CImeConfig config(host.ports());
  ASSERT_TRUE(config.skinPicture);
  const std::vector<std::uint8_t> broken = {'k', 'u', 'y'};
  host.resources.SetRawData("CONFILE", broken);
  SetSkinName(config, ime::kBuiltinSkinName);
  host.WriteSettings("[BaseConfig]\nMAMODE=3\n");
  ime::LoadSettings(config, host.ports());
  EXPECT_FALSE(config.skinPicture);
  EXPECT_EQ(config.modeLayout.bgRect, (SkinRect{0, 229, 303, 274}));
  EXPECT_EQ(config.skinColor2, 0x00787878u);
}

TEST(ImeConfigTest, AnUndecodablePictureLeavesNoPicture) {
  SimHost host;
  host.WriteBaseFile("nopic.data", CustomSkin({'n', 'o', 't', 'b', 'm', 'p'}));
  ime::CImeConfig config(host.ports());
  SetSkinName(config, u"nopic.data");
  host.WriteSettings("[BaseConfig]\n");
  ime::LoadSettings(config, host.ports());
  EXPECT_EQ(config.skinColor, 0x0000FF00u);
  EXPECT_FALSE(config.skinPicture);
}

}  // namespace
