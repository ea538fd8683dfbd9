#pragma once

#include <filesystem>
#include <optional>

namespace platform {

// Where the installed data lives and where per-user settings go.
class Folders {
 public:
  virtual ~Folders() = default;
  // The folder that stands for the system drive's root; the product's folder names sit below it.
  virtual std::filesystem::path DriveRoot() const = 0;
  // The per-user settings folder, created if it does not exist yet; empty when there is none.
  virtual std::optional<std::filesystem::path> UserSettingsFolder() const = 0;
};

}  // namespace platform
