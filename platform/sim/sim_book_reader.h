#pragma once

#include <fstream>
#include <memory>
#include <system_error>

#include "platform/ports/book_reader.h"

namespace platform {

// Books of the real file system.
class SimBookReader final : public BookReader {
 public:
  std::unique_ptr<OpenBook> Open(const std::filesystem::path& file) const override {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return nullptr;
    auto book = std::make_unique<Book>(file);
    if (!book->in) return nullptr;
    return book;
  }

 private:
  struct Book final : OpenBook {
    explicit Book(const std::filesystem::path& file) : in(file, std::ios::binary) {}
    std::optional<std::uint64_t> Size() override {
      in.clear();
      in.seekg(0, std::ios::end);
      const auto end = in.tellg();
      if (!in || end < 0) return std::nullopt;
      return static_cast<std::uint64_t>(end);
    }
    bool Seek(std::uint64_t offset) override {
      in.clear();
      in.seekg(static_cast<std::streamoff>(offset), std::ios::beg);
      return static_cast<bool>(in);
    }
    std::optional<std::size_t> Read(std::span<std::uint8_t> into) override {
      in.read(reinterpret_cast<char*>(into.data()), static_cast<std::streamsize>(into.size()));
      if (in.bad()) return std::nullopt;
      const auto count = in.gcount();
      in.clear();
      return static_cast<std::size_t>(count);
    }
    std::ifstream in;
  };
};

}  // namespace platform
