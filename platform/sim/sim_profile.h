#pragma once

#include "platform/ports/files.h"
#include "platform/ports/profile.h"

namespace platform {

// Private-profile reads over real INI files, read afresh on every call as the platform does.
class SimProfile final : public Profile {
 public:
  explicit SimProfile(const Files& files) : files_(files) {}
  int ReadInt(const std::filesystem::path& file, std::string_view section, std::string_view key,
              int fallback) const override;

 private:
  const Files& files_;
};

}  // namespace platform
