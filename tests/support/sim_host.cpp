#include "tests/support/sim_host.h"

#include <chrono>
#include <fstream>

#include "ime/resources/builtin_resources.h"

namespace testing_support {

SimHost::SimHost(std::filesystem::path executable)
    : folders(dir.path() / "drive", dir.path() / "config"), process(std::move(executable)) {
  const platform::Resources& builtin = ime::BuiltinResources();
  for (std::string_view name : {ime::kFullWidthResource, ime::kBuiltinSkinResource}) {
    resources.SetRawData(std::string(name), builtin.RawData(name));
  }
  resources.SetString(ime::kDefaultSettingsString, builtin.String(ime::kDefaultSettingsString));
  std::filesystem::create_directories(dir.path() / "drive");
}

std::filesystem::path SimHost::SettingsFile() const {
  return dir.path() / "config" / ime::kSettingsFolderName / ime::kSettingsFileName;
}

void SimHost::WriteSettings(std::string_view text) {
  const auto file = SettingsFile();
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
  // File systems may keep coarse times; set one that is certainly new.
  std::filesystem::last_write_time(
      file, std::filesystem::file_time_type(std::chrono::seconds(1'700'000'000 + ++writes_)));
}

void SimHost::WriteBaseFile(const std::filesystem::path& name,
                            std::span<const std::uint8_t> bytes) {
  const auto file = dir.path() / "drive" / "lurn" / "KUZ2011_CHT" / name;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace testing_support
