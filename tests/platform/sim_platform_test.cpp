#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "ime/lexicon/install_folders.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_folders.h"
#include "platform/sim/sim_keyboard.h"
#include "platform/sim/sim_profile.h"
#include "platform/sim/stb_image_decoder.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::TempDir;

TEST(SimFoldersTest, DataFoldersFollowTheScriptAndTheTableChoice) {
  const platform::SimFolders folders("/srv/drive", std::filesystem::path("/unused"));
  EXPECT_EQ(ime::BaseFolder(folders), "/srv/drive/lurn/KUZ2011_CHT/");
  EXPECT_EQ(ime::DataFolder(folders, 1, 0), "/srv/drive/lurn/KUZ2011_CHT/KUZ2011_chs/");
  EXPECT_EQ(ime::DataFolder(folders, 1, 3), "/srv/drive/lurn/KUZ2011_CHT/KUZ2002_chs/");
  EXPECT_EQ(ime::DataFolder(folders, 0, 0), "/srv/drive/lurn/KUZ2011_CHT/KUZ2011_cht/");
  EXPECT_EQ(ime::DataFolder(folders, 2, 1), "/srv/drive/lurn/KUZ2011_CHT/KUZ2002_cht/");
}

TEST(SimFoldersTest, SettingsFolderFollowsXdgAndIsCreated) {
  TempDir dir;
  const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = oldXdg ? oldXdg : "";
  setenv("XDG_CONFIG_HOME", (dir.path() / "xdg").c_str(), 1);
  const platform::SimFolders folders("/");
  EXPECT_EQ(folders.UserSettingsFolder(), dir.path() / "xdg");
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "xdg"));
  setenv("XDG_CONFIG_HOME", "relative/path", 1);  // not absolute: ignored, as XDG says
  setenv("HOME", dir.path().c_str(), 1);
  EXPECT_EQ(folders.UserSettingsFolder(), dir.path() / ".config");
  if (oldXdg)
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
}

TEST(SimFilesTest, ReadsRegularFilesOnlyAndReportsWriteTimes) {
  TempDir dir;
  const platform::SimFiles files;
  const auto file = dir.path() / "a.bin";
  std::ofstream(file, std::ios::binary) << "abc";
  EXPECT_EQ(files.ReadAll(file), (std::vector<std::uint8_t>{'a', 'b', 'c'}));
  EXPECT_FALSE(files.ReadAll(dir.path()));  // a folder opens on Linux but is no file
  EXPECT_FALSE(files.ReadAll(dir.path() / "missing"));
  EXPECT_FALSE(files.LastWriteTime(dir.path() / "missing"));
  EXPECT_FALSE(files.LastWriteTime(dir.path()));
  const auto t = std::filesystem::file_time_type(std::chrono::seconds(1'700'000'000));
  std::filesystem::last_write_time(file, t);
  const auto first = files.LastWriteTime(file);
  std::filesystem::last_write_time(file, t + std::chrono::microseconds(1));
  ASSERT_TRUE(first);
  EXPECT_EQ(*files.LastWriteTime(file), *first + 10);  // 100-nanosecond units
}

TEST(SimProfileTest, MissingFilesAndKeysReadAsTheFallback) {
  TempDir dir;
  const platform::SimFiles files;
  const platform::SimProfile profile(files);
  const auto ini = dir.path() / "s.ini";
  EXPECT_EQ(profile.ReadInt(ini, "BaseConfig", "KEYMODE", -1), -1);
  std::ofstream(ini) << "[BaseConfig]\nKEYMODE=2\nEMPTY=\n";
  EXPECT_EQ(profile.ReadInt(ini, "baseconfig", "keymode", -1), 2);
  EXPECT_EQ(profile.ReadInt(ini, "BaseConfig", "MAMODE", -1), -1);
  EXPECT_EQ(profile.ReadInt(ini, "BaseConfig", "EMPTY", -1), -1);
}

TEST(SimKeyboardTest, TranslatesUnderTheKeyboardState) {
  platform::SimKeyboard keyboard;
  auto state = keyboard.CurrentState();
  EXPECT_EQ(keyboard.ToCharacter('A', 0x1E, state), u'a');
  EXPECT_EQ(keyboard.ToCharacter(101, 0x4C, state), u'5');
  EXPECT_EQ(keyboard.ToCharacter(12, 0x4C, state), 0);  // keypad 5 with Num Lock off
  EXPECT_EQ(keyboard.ToCharacter(192, 0x29, state), u'`');
  keyboard.Press(platform::kVkCapital);
  keyboard.Release(platform::kVkCapital);
  state = keyboard.CurrentState();
  EXPECT_EQ(state[platform::kVkCapital] & platform::kKeyToggled, platform::kKeyToggled);
  EXPECT_EQ(keyboard.ToCharacter('A', 0x1E, state), u'A');
  state[platform::kVkShift] = platform::kKeyDown;
  EXPECT_EQ(keyboard.ToCharacter('A', 0x1E, state), u'a');  // Shift undoes Caps Lock
  EXPECT_EQ(keyboard.ToCharacter('1', 0x02, state), u'!');
  state[platform::kVkControl] = platform::kKeyDown;
  EXPECT_EQ(keyboard.ToCharacter('C', 0x2E, state), 3);
}

TEST(StbImageDecoderTest, RefusesWhatIsNoPicture) {
  const platform::StbImageDecoder decoder;
  EXPECT_FALSE(decoder.Decode({}));
  const std::vector<std::uint8_t> truncated = {'B', 'M', 0x36, 0, 0, 0, 0, 0};
  EXPECT_FALSE(decoder.Decode(truncated));
}

}  // namespace
