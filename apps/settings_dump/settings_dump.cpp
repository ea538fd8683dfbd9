// Loads the settings record the way the module does and prints it: which settings file and
// skin were used and what every value came out as.
#include <cstdio>
#include <filesystem>

#include "ime/engine/ime_config.h"
#include "ime/lexicon/install_folders.h"
#include "ime/resources/builtin_resources.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_folders.h"
#include "platform/sim/sim_process_info.h"
#include "platform/sim/sim_profile.h"
#include "platform/sim/stb_image_decoder.h"

namespace {

void PrintRect(const char* name, const formats::SkinRect& r) {
  std::printf("  %-10s %d,%d,%d,%d\n", name, r.left, r.top, r.right, r.bottom);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
    std::fprintf(stderr,
                 "usage: settings_dump [drive-root]\n"
                 "Prints the settings the input method loads from the per-user settings\n"
                 "file; the drive root defaults to $VELMO_ROOT.\n");
    return 2;
  }
  const platform::SimFolders folders(argc == 2 ? std::filesystem::path(argv[1])
                                               : platform::SimFolders::RootFromEnvironment());
  const platform::SimFiles files;
  const platform::SimProfile profile(files);
  const platform::StbImageDecoder decoder;
  const platform::SimProcessInfo process(argc > 0 ? argv[0] : "settings_dump");
  const ime::ConfigPorts ports{folders, files, profile, ime::BuiltinResources(), decoder, process};
  const ime::CImeConfig config(ports);

  const auto settings = folders.UserSettingsFolder();
  std::printf("settings file  %s\n",
              settings
                  ? (*settings / ime::kSettingsFolderName / ime::kSettingsFileName).string().c_str()
                  : "(no settings folder)");
  std::printf("stamp          %u%s\n", config.settingsStamp,
              config.settingsStamp == ime::kMissingSettingsStamp ? " (file missing)" : "");
  std::printf("base folder    %s\n", ime::BaseFolder(folders).string().c_str());
  std::printf("KEYMODE %d  SHOWMODE %d  MAMODE %d  pages %d chars / %d words  font %d\n",
              config.KEYMODE, config.SHOWMODE, config.MAMODE, config.charsPerPage,
              config.wordsPerPage, config.fontHeight);
  std::printf("ASSIO %d  ASSIO2 %d  USERZC %d  USERTOP %d  MABENG %d  Comptb02 %d  Speach %d\n",
              config.ASSIO, config.ASSIO2, config.USERZC, config.USERTOP, config.MABENG,
              config.Comptb02, config.Speach);
  std::printf("code keys     ");
  for (ime::KeyBinding b : config.srmKeys) std::printf(" %08X", b);
  std::printf("\nselection keys");
  for (ime::KeyBinding b : config.selKeys) std::printf(" %08X", b);
  std::printf("\nskin colours   text %06X, separators %06X\n", config.skinColor, config.skinColor2);
  std::printf("candidate window layout\n");
  PrintRect("bgRect", config.modeLayout.bgRect);
  PrintRect("compRect", config.modeLayout.compRect);
  PrintRect("charRect", config.modeLayout.charRect);
  PrintRect("wordRect", config.modeLayout.wordRect);
  PrintRect("statusBg", config.windowLayout.statusBg);
  if (config.skinPicture) {
    std::printf("skin picture   %d x %d\n", config.skinPicture->Width(),
                config.skinPicture->Height());
  } else {
    std::printf("skin picture   none\n");
  }
  return 0;
}
