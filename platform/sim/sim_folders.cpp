#include "platform/sim/sim_folders.h"

#include <cstdlib>
#include <system_error>

namespace platform {

SimFolders::SimFolders(std::filesystem::path root,
                       std::optional<std::filesystem::path> settingsFolder)
    : root_(std::move(root)), settingsFolder_(std::move(settingsFolder)) {}

std::filesystem::path SimFolders::RootFromEnvironment() {
  const char* root = std::getenv("VELMO_ROOT");
  return root != nullptr && *root != '\0' ? std::filesystem::path(root)
                                          : std::filesystem::path("/");
}

std::optional<std::filesystem::path> SimFolders::UserSettingsFolder() const {
  std::filesystem::path folder;
  if (settingsFolder_) {
    folder = *settingsFolder_;
  } else if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/') {
    folder = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    folder = std::filesystem::path(home) / ".config";
  } else {
    return std::nullopt;
  }
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!std::filesystem::is_directory(folder, error)) return std::nullopt;
  return folder;
}

}  // namespace platform
