#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace platform {

class Files {
 public:
  virtual ~Files() = default;
  // Low 32 bits of the file's last-write time in the platform's file-time units; empty when the
  // file cannot be opened for reading.
  virtual std::optional<std::uint32_t> LastWriteTime(const std::filesystem::path& file) const = 0;
  // The whole content of a regular file; empty when it cannot be read.
  virtual std::optional<std::vector<std::uint8_t>> ReadAll(
      const std::filesystem::path& file) const = 0;
};

}  // namespace platform
