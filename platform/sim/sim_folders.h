#pragma once

#include <filesystem>
#include <optional>

#include "platform/ports/folders.h"

namespace platform {

// The system drive stands as a configured folder; settings follow the XDG convention.
class SimFolders final : public Folders {
 public:
  // `settingsFolder` overrides the XDG lookup when given.
  explicit SimFolders(std::filesystem::path root,
                      std::optional<std::filesystem::path> settingsFolder = std::nullopt);

  // The root named by the environment variable VELMO_ROOT, or "/" when it is not set.
  static std::filesystem::path RootFromEnvironment();

  std::filesystem::path DriveRoot() const override { return root_; }
  std::optional<std::filesystem::path> UserSettingsFolder() const override;

 private:
  std::filesystem::path root_;
  std::optional<std::filesystem::path> settingsFolder_;
};

}  // namespace platform
