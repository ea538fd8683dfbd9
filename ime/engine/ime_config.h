#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "common/formats/skin_file.h"
#include "platform/ports/files.h"
#include "platform/ports/folders.h"
#include "platform/ports/image_decoder.h"
#include "platform/ports/process_info.h"
#include "platform/ports/profile.h"
#include "platform/ports/resources.h"

namespace ime {

// What loading the settings needs from the platform.
struct ConfigPorts {
  const platform::Folders& folders;
  const platform::Files& files;
  const platform::Profile& profile;
  const platform::Resources& resources;
  const platform::ImageDecoder& decoder;
  const platform::ProcessInfo& process;
};

// A key binding: the 9-bit scan code in bits 31 to 16, the UTF-16 character it stands for in
// bits 15 to 0; 0 binds no key.
using KeyBinding = std::uint32_t;

constexpr std::uint32_t BindingScan(KeyBinding binding) {
  return binding >> 16;
}

// Indexes of the code-key bindings, in the order of their INI keys SrmKey0..9, N, Z, C, S, A, R, D.
enum SrmKeyIndex : std::size_t {
  kSrmDigit0 = 0,
  kSrmN = 10,
  kSrmZ,
  kSrmC,
  kSrmS,
  kSrmA,
  kSrmR,
  kSrmD,
  kSrmKeyCount
};
constexpr std::size_t kSelKeyCount = 20;

inline constexpr std::array<KeyBinding, kSrmKeyCount> kDefaultSrmKeys = {
    0x00520030, 0x004F0031, 0x00500032, 0x00510033, 0x004B0034, 0x004C0035,
    0x004D0036, 0x00470037, 0x00480038, 0x00490039, 0x0145003F, 0x0135002F,
    0x0037002A, 0x004A002D, 0x004E002B, 0x011C000A, 0x0053002E};

// The skin name that selects the built-in skin.
inline constexpr std::u16string_view kBuiltinSkinName = u"FFFF";

// The settings file, below the per-user settings folder.
inline constexpr const char* kSettingsFolderName = "KUZIME";
inline constexpr const char* kSettingsFileName = "KUZ2008CHT.ini";
inline constexpr const char* kSettingsSection = "BaseConfig";

// The stamp of a settings file that did not open.
constexpr std::uint32_t kMissingSettingsStamp = 255;

// The one settings record of the module. Fields stay in this order; the INI keys give the names
// of the fields they fill.
struct CImeConfig {
  // Sets the defaults, computes the host flag and loads the settings file.
  explicit CImeConfig(const ConfigPorts& ports);
  CImeConfig(const CImeConfig&) = delete;
  CImeConfig& operator=(const CImeConfig&) = delete;

  std::int32_t scriptFlag = 1;  // 1 = simplified data set, 0 = traditional
  std::int32_t Speach = 0;      // 0 off, 1 speak commits, 9 speech library missing
  std::int32_t charsPerPage = 5;
  std::int32_t wordsPerPage = 5;
  std::int32_t KEYMODE = 1;
  std::int32_t SHOWMODE = 1;
  std::int32_t ASSIO = 0;
  std::int32_t ASSIO2 = 0;
  std::int32_t AUTOTP = 1;
  std::int32_t AUTOUPDATE = 0;
  std::int32_t LESS3 = 0;
  std::int32_t LESS5 = 0;
  std::int32_t USERZC = 0;
  std::int32_t USERTOP = 0;
  std::int32_t fontHeight = -16;  // negated: a character-height request
  std::uint32_t skinColor = 0x00FFFFFF;
  std::uint32_t skinColor2 = 0;
  std::int32_t MAMODE = 1;
  std::int32_t Comptb02 = 0;
  std::int32_t hostFlag = 0;  // 1 inside the host program that places the composition itself
  std::int32_t MABENG = 1;
  std::int32_t GB2312 = 0;
  void* recordFile = nullptr;  // the open key and commit log, owned by the entry points
  std::uint32_t recordStartTick = 0;
  formats::ModeLayout modeLayout{};
  formats::WindowLayout windowLayout{};
  std::unique_ptr<platform::Picture> skinPicture;
  std::array<char16_t, 95> fullWidth{};  // entry i is the full-width form of 0x20 + i
  std::array<char16_t, 257> skinName{};  // terminated; "FFFF" selects the built-in skin
  std::uint32_t settingsStamp = 0xFFFFFFFF;
  std::array<KeyBinding, kSrmKeyCount> srmKeys = kDefaultSrmKeys;
  std::array<KeyBinding, kSelKeyCount> selKeys{};
};

// Reloads the record from the settings file when the file's stamp changed since the last load;
// the full-width table is refreshed every time.
void LoadSettings(CImeConfig& config, const ConfigPorts& ports);

}  // namespace ime
