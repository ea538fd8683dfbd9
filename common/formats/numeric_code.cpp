#include "common/formats/numeric_code.h"

#include <algorithm>

namespace formats {
namespace {

constexpr std::uint8_t kEndNibble = 0xF;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t Digit(char c) {
  return static_cast<std::size_t>(c - '0');
}

}  // namespace

DecodedCode UnpackCode(std::span<const std::uint8_t, kPackedCodeSize> packed) {
  DecodedCode code;
  for (std::size_t i = 0; i < kMaxWordCodeLength; ++i) {
    const std::uint8_t byte = packed[i / 2];
    const std::uint8_t nibble = (i % 2 == 0) ? byte >> 4 : byte & 0x0F;
    if (nibble == kEndNibble) break;
    code.chars_[code.length_++] = static_cast<char>('0' + nibble);
  }
  return code;
}

std::optional<PackedCode> PackCode(std::string_view digits) {
  if (!IsCode(digits, kMaxWordCodeLength, false)) return std::nullopt;
  // Unused half-bytes are 0xF as well, so the first one after the digits is the end mark.
  PackedCode packed{0xFF, 0xFF, 0xFF};
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const auto value = static_cast<std::uint8_t>(Digit(digits[i]));
    std::uint8_t& byte = packed[i / 2];
    byte = (i % 2 == 0) ? static_cast<std::uint8_t>((byte & 0x0F) | (value << 4))
                        : static_cast<std::uint8_t>((byte & 0xF0) | value);
  }
  return packed;
}

bool IsCode(std::string_view text, std::size_t maxLength, bool wildcards) {
  if (text.empty() || text.size() > maxLength) return false;
  return std::all_of(text.begin(), text.end(),
                     [&](char c) { return IsDigit(c) || (wildcards && c == kWildcard); });
}

bool HasWildcard(std::string_view pattern) {
  return pattern.find(kWildcard) != std::string_view::npos;
}

bool MatchesCode(std::string_view pattern, std::string_view recordCode) {
  if (pattern.size() != recordCode.size()) return false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != kWildcard && pattern[i] != recordCode[i]) return false;
  }
  return true;
}

std::optional<std::size_t> BucketOf(std::string_view code) {
  if (code.empty()) return std::nullopt;
  const std::size_t used = std::min<std::size_t>(code.size(), 3);
  for (std::size_t i = 0; i < used; ++i) {
    if (!IsDigit(code[i])) return std::nullopt;
  }
  std::size_t bucket = 121 * Digit(code[0]);
  if (used > 1) bucket += 11 * (Digit(code[1]) + 1);
  if (used > 2) bucket += Digit(code[2]) + 1;
  return bucket;
}

std::optional<PatternBuckets> BucketsOf(std::string_view pattern) {
  if (!IsCode(pattern, kMaxWordCodeLength, true)) return std::nullopt;
  if (pattern[0] == kWildcard) return PatternBuckets{{0, kBucketCount - 1}, true};
  const std::size_t first = 121 * Digit(pattern[0]);
  if (pattern.size() > 1 && pattern[1] == kWildcard) {
    return PatternBuckets{{first, first + 120}, false};
  }
  if (pattern.size() > 2 && pattern[2] == kWildcard) {
    const std::size_t second = first + 11 * (Digit(pattern[1]) + 1);
    return PatternBuckets{{second, second + 10}, false};
  }
  const std::size_t bucket = *BucketOf(pattern);
  return PatternBuckets{{bucket, bucket}, false};
}

}  // namespace formats
