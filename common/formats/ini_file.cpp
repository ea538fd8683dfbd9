#include "common/formats/ini_file.h"

#include <algorithm>

#include "common/formats/unicode_text.h"

namespace formats {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

// UTF-16LE without its byte-order mark; a half unit at the end is dropped.
std::string Utf16LeToUtf8(std::span<const std::uint8_t> bytes) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
  }
  return Utf16ToUtf8(units);
}

std::string DecodeText(std::span<const std::uint8_t> bytes) {
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    return Utf16LeToUtf8(bytes.subspan(2));
  }
  if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
    bytes = bytes.subspan(3);
  }
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

IniFile IniFile::Parse(std::span<const std::uint8_t> bytes) {
  IniFile ini;
  const std::string text = DecodeText(bytes);
  Section* current = nullptr;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view line = Trim(std::string_view(text).substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      const std::string_view name =
          Trim(close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1));
      ini.sections_.push_back({std::string(name), {}});
      current = &ini.sections_.back();
      continue;
    }
    const std::size_t equals = line.find('=');
    if (current == nullptr || equals == std::string_view::npos) continue;
    current->entries.push_back(
        {std::string(Trim(line.substr(0, equals))), std::string(Trim(line.substr(equals + 1)))});
  }
  return ini;
}

std::optional<std::string_view> IniFile::Value(std::string_view section,
                                               std::string_view key) const {
  for (const Section& s : sections_) {
    if (!SameName(s.name, section)) continue;
    for (const Entry& entry : s.entries) {
      if (!SameName(entry.key, key)) continue;
      std::string_view value = entry.value;
      if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
          value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
      }
      return value;
    }
    // Only the first section of a name counts.
    return std::nullopt;
  }
  return std::nullopt;
}

int ProfileInt(std::string_view text, int fallback) {
  if (text.empty()) return fallback;
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

}  // namespace formats
