#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>

namespace platform {

// A data file opened for binary reading; closed when destroyed. Books are opened, read and
// closed within one lookup because another tool rewrites them in place.
class OpenBook {
 public:
  virtual ~OpenBook() = default;
  // Empty when the size cannot be taken.
  virtual std::optional<std::uint64_t> Size() = 0;
  virtual bool Seek(std::uint64_t offset) = 0;
  // Reads up to `into.size()` bytes at the current position; the count may be short at the end
  // of the file. Empty on a read error.
  virtual std::optional<std::size_t> Read(std::span<std::uint8_t> into) = 0;
};

class BookReader {
 public:
  virtual ~BookReader() = default;
  // Null when the file cannot be opened for reading.
  virtual std::unique_ptr<OpenBook> Open(const std::filesystem::path& file) const = 0;
};

}  // namespace platform
