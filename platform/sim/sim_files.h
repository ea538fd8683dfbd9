#pragma once

#include "platform/ports/files.h"

namespace platform {

// Files of the real file system, with file times in the platform's 100-nanosecond units.
class SimFiles final : public Files {
 public:
  std::optional<std::uint32_t> LastWriteTime(const std::filesystem::path& file) const override;
  std::optional<std::vector<std::uint8_t>> ReadAll(
      const std::filesystem::path& file) const override;
};

}  // namespace platform
