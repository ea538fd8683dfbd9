#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace formats {

// An INI file as the platform's private-profile functions see it: "[section]" lines, then
// "key=value" lines; names compare case-insensitively and the first occurrence wins.
class IniFile {
 public:
  // Accepts 8-bit text (with or without a UTF-8 byte-order mark) and UTF-16LE text with its
  // byte-order mark; names and values are kept as UTF-8.
  static IniFile Parse(std::span<const std::uint8_t> bytes);

  // The value text with surrounding blanks and one pair of enclosing quotes removed.
  std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;

 private:
  struct Entry {
    std::string key;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  std::vector<Section> sections_;
};

// The integer a private-profile read yields for a value text: leading blanks, an optional sign
// and decimal digits, stopping at the first other character; arithmetic wraps at 32 bits.
// An empty text yields `fallback`.
int ProfileInt(std::string_view text, int fallback);

}  // namespace formats
