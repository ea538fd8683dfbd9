#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "ime/engine/ime_config.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_folders.h"
#include "platform/sim/sim_process_info.h"
#include "platform/sim/sim_profile.h"
#include "platform/sim/sim_resources.h"
#include "platform/sim/stb_image_decoder.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

// A private drive root and settings folder with the module's own resources, over which a
// settings record can be created and reloaded.
class SimHost {
 public:
  explicit SimHost(std::filesystem::path executable = "/usr/bin/host");

  ime::ConfigPorts ports() const { return {folders, files, profile, resources, decoder, process}; }
  std::filesystem::path SettingsFile() const;
  // Writes the settings file and gives it a last-write time that differs from every earlier one.
  void WriteSettings(std::string_view text);
  void WriteBaseFile(const std::filesystem::path& name, std::span<const std::uint8_t> bytes);

  TempDir dir;
  platform::SimFolders folders;
  platform::SimFiles files;
  platform::SimProfile profile{files};
  platform::SimResources resources;
  platform::StbImageDecoder decoder;
  platform::SimProcessInfo process;

 private:
  int writes_ = 0;
};

}  // namespace testing_support
