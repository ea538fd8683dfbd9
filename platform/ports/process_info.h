#pragma once

#include <filesystem>

namespace platform {

class ProcessInfo {
 public:
  virtual ~ProcessInfo() = default;
  // Full path of the executable of the process the module runs in.
  virtual std::filesystem::path ExecutablePath() const = 0;
};

}  // namespace platform
