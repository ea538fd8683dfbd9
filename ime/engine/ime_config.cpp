#include "ime/engine/ime_config.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "ime/lexicon/install_folders.h"
#include "ime/resources/builtin_resources.h"

namespace ime {
namespace {

constexpr const char* kSrmKeyNames[kSrmKeyCount] = {
    "SrmKey0", "SrmKey1", "SrmKey2", "SrmKey3", "SrmKey4", "SrmKey5",
    "SrmKey6", "SrmKey7", "SrmKey8", "SrmKey9", "SrmKeyN", "SrmKeyZ",
    "SrmKeyC", "SrmKeyS", "SrmKeyA", "SrmKeyR", "SrmKeyD"};

// q w e r t pick characters 0 to 4 and a s d f g words 10 to 14 when the keypad types codes and
// characters and words share one horizontal page.
constexpr std::array<std::pair<std::size_t, KeyBinding>, 10> kLetterSelection = {
    {{0, 0x00100071},
     {1, 0x00110077},
     {2, 0x00120065},
     {3, 0x00130072},
     {4, 0x00140074},
     {10, 0x001E0061},
     {11, 0x001F0073},
     {12, 0x00200064},
     {13, 0x00210066},
     {14, 0x00220067}}};

class SettingsReader {
 public:
  SettingsReader(const platform::Profile& profile, std::filesystem::path file)
      : profile_(profile), file_(std::move(file)) {}

  int Read(const std::string& key) const {
    return profile_.ReadInt(file_, kSettingsSection, key, -1);
  }
  // Rule P: only values above 0 are taken.
  template <typename T>
  void Positive(const std::string& key, T& field) const {
    if (const int value = Read(key); value > 0) field = static_cast<T>(value);
  }
  // Rule N: values of 0 and above are taken.
  template <typename T>
  void NonNegative(const std::string& key, T& field) const {
    if (const int value = Read(key); value >= 0) field = static_cast<T>(value);
  }

 private:
  const platform::Profile& profile_;
  std::filesystem::path file_;
};

void ApplyPageSizeRule(CImeConfig& config) {
  if (config.SHOWMODE != 1) {
    config.charsPerPage = config.wordsPerPage = 10;
  } else if (config.MAMODE == 3) {
    config.charsPerPage = config.wordsPerPage = 5;
  } else {
    config.charsPerPage = 7;
    config.wordsPerPage = 5;
  }
}

void RebuildBindings(CImeConfig& config, const SettingsReader& reader) {
  config.srmKeys = kDefaultSrmKeys;
  config.selKeys.fill(0);
  if (config.KEYMODE == 1 && config.SHOWMODE == 1 && config.MAMODE == 3) {
    for (const auto& [index, binding] : kLetterSelection) config.selKeys[index] = binding;
  }
  if (config.KEYMODE <= 3) return;
  for (std::size_t i = 0; i < kSrmKeyCount; ++i)
    reader.NonNegative(kSrmKeyNames[i], config.srmKeys[i]);
  for (std::size_t i = 0; i < kSelKeyCount; ++i) {
    reader.NonNegative("SelKey" + std::to_string(i), config.selKeys[i]);
  }
}

std::u16string_view SkinName(const CImeConfig& config) {
  const auto end = std::find(config.skinName.begin(), config.skinName.end(), u'\0');
  return {config.skinName.data(), static_cast<std::size_t>(end - config.skinName.begin())};
}

// The skin file named by the settings when it is a sound skin, else the built-in one when that
// is; the bytes are kept in `storage` when they come from a file.
std::optional<formats::SkinFile> ChooseSkin(const CImeConfig& config, const ConfigPorts& ports,
                                            std::vector<std::uint8_t>& storage) {
  if (SkinName(config) != kBuiltinSkinName) {
    const std::filesystem::path file = BaseFolder(ports.folders) / std::u16string(SkinName(config));
    if (auto bytes = ports.files.ReadAll(file)) {
      storage = std::move(*bytes);
      if (auto skin = formats::ParseSkin(storage)) return skin;
    }
  }
  return formats::ParseSkin(ports.resources.RawData(kBuiltinSkinResource));
}

// Only one kind of candidate is shown at a time, so the character area takes the room of both.
void MergeCandidateAreas(CImeConfig& config) {
  formats::SkinRect& chars = config.modeLayout.charRect;
  formats::SkinRect& words = config.modeLayout.wordRect;
  chars.right = words.right;
  if (config.SHOWMODE == 1) {
    chars.left = words.left;
    chars.top = words.top;
    chars.bottom = words.bottom;
  } else {
    words.left = chars.left;
  }
}

void LoadSkin(CImeConfig& config, const ConfigPorts& ports) {
  std::vector<std::uint8_t> storage;
  const std::optional<formats::SkinFile> skin = ChooseSkin(config, ports, storage);
  if (skin) {
    config.modeLayout = config.SHOWMODE == 1 ? skin->horizontal : skin->vertical;
    config.windowLayout = skin->window;
    config.skinColor = skin->color;
    config.skinColor2 = skin->color2;
  }
  if (config.MAMODE == 1 || config.MAMODE == 2) MergeCandidateAreas(config);
  config.skinPicture.reset();
  if (skin && !skin->picture.empty()) config.skinPicture = ports.decoder.Decode(skin->picture);
}

}  // namespace

CImeConfig::CImeConfig(const ConfigPorts& ports) {
  hostFlag = ports.process.ExecutablePath().filename() == "LURNJX.exe" ? 1 : 0;
  LoadSettings(*this, ports);
}

void LoadSettings(CImeConfig& config, const ConfigPorts& ports) {
  const auto fullWidth = ports.resources.RawData(kFullWidthResource);
  for (std::size_t i = 0; i < config.fullWidth.size() && 2 * i + 1 < fullWidth.size(); ++i) {
    config.fullWidth[i] = static_cast<char16_t>(fullWidth[2 * i] | fullWidth[2 * i + 1] << 8);
  }

  const auto folder = ports.folders.UserSettingsFolder();
  if (!folder) return;
  const std::filesystem::path file = *folder / kSettingsFolderName / kSettingsFileName;
  const std::uint32_t stamp = ports.files.LastWriteTime(file).value_or(kMissingSettingsStamp);
  if (stamp == config.settingsStamp) return;
  config.settingsStamp = stamp;

  const SettingsReader reader(ports.profile, file);
  reader.Positive("MAXCI", config.wordsPerPage);
  reader.Positive("MAXZI", config.charsPerPage);
  reader.Positive("KEYMODE", config.KEYMODE);
  reader.Positive("SHOWMODE", config.SHOWMODE);
  reader.Positive("MAMODE", config.MAMODE);
  ApplyPageSizeRule(config);
  if (const int size = reader.Read("FONTSIZE"); size > 0) config.fontHeight = -size;
  for (auto [key, field] : {std::pair{"GB2312", &config.GB2312},
                            {"ASSIO", &config.ASSIO},
                            {"ASSIO2", &config.ASSIO2},
                            {"AUTOTP", &config.AUTOTP},
                            {"AUTOUPDATE", &config.AUTOUPDATE},
                            {"Speach", &config.Speach},
                            {"LESS3", &config.LESS3},
                            {"LESS5", &config.LESS5},
                            {"USERZC", &config.USERZC},
                            {"USERTOP", &config.USERTOP},
                            {"Comptb02", &config.Comptb02},
                            {"MABENG", &config.MABENG}}) {
    reader.NonNegative(key, *field);
  }
  RebuildBindings(config, reader);
  LoadSkin(config, ports);
}

}  // namespace ime
