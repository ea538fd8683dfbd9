#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// Private-profile (INI file) access with the platform's semantics: section and key names are
// case-insensitive, values are decimal text.
class Profile {
 public:
  virtual ~Profile() = default;
  // The value of `key` in `section` as an integer, or `fallback` when the file, the section or
  // the key is missing.
  virtual int ReadInt(const std::filesystem::path& file, std::string_view section,
                      std::string_view key, int fallback) const = 0;
};

}  // namespace platform
