#include "platform/sim/sim_profile.h"

#include "common/formats/ini_file.h"

namespace platform {

int SimProfile::ReadInt(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, int fallback) const {
  const auto bytes = files_.ReadAll(file);
  if (!bytes) return fallback;
  const auto ini = formats::IniFile::Parse(*bytes);
  const auto value = ini.Value(section, key);
  return value ? formats::ProfileInt(*value, fallback) : fallback;
}

}  // namespace platform
