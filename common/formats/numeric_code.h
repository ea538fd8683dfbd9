#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace formats {

// Codes are decimal digit strings; a search pattern may also hold '?' for one arbitrary digit.
inline constexpr std::size_t kMaxCharCodeLength = 4;  // the single-character book
inline constexpr std::size_t kMaxWordCodeLength = 6;  // the word book and professional words
inline constexpr char kWildcard = '?';
inline constexpr std::size_t kBucketCount = 1210;
inline constexpr std::size_t kPackedCodeSize = 3;

// A code record's digits as the file holds them: six half-bytes, high half first, ended early
// by the half-byte 0xF.
using PackedCode = std::array<std::uint8_t, kPackedCodeSize>;

// The digits of a packed code. Half-bytes 0xA..0xE are not digits; they decode to the
// characters after '9' (':' .. '>') so that such a record never equals a typed digit.
class DecodedCode {
 public:
  std::string_view view() const { return {chars_.data(), length_}; }
  std::size_t size() const { return length_; }
  friend bool operator==(const DecodedCode& a, const DecodedCode& b) {
    return a.view() == b.view();
  }

 private:
  friend DecodedCode UnpackCode(std::span<const std::uint8_t, kPackedCodeSize> packed);
  std::array<char, kMaxWordCodeLength> chars_{};
  std::size_t length_ = 0;
};

DecodedCode UnpackCode(std::span<const std::uint8_t, kPackedCodeSize> packed);

// Packs 1 to 6 digits; empty for anything else.
std::optional<PackedCode> PackCode(std::string_view digits);

// True when `text` is 1 to `maxLength` characters, each a digit (or '?' when `wildcards`).
bool IsCode(std::string_view text, std::size_t maxLength, bool wildcards);
bool HasWildcard(std::string_view pattern);

// Exact comparison when the pattern has no '?'; otherwise the lengths must agree and every
// position that is not '?' must hold the same digit.
bool MatchesCode(std::string_view pattern, std::string_view recordCode);

// The bucket of a code: 121 * d1 + 11 * e2 + e3 over its first three digits (e = digit + 1, 0
// where the code is shorter). Empty when the code is empty or one of those three is no digit.
std::optional<std::size_t> BucketOf(std::string_view code);

// Inclusive run of buckets.
struct BucketSpan {
  std::size_t first = 0;
  std::size_t last = 0;
  friend bool operator==(const BucketSpan&, const BucketSpan&) = default;
};

// The buckets a code or pattern must read. A pattern that starts with '?' may match anywhere:
// then `wholeBook` is set and the span covers every bucket.
struct PatternBuckets {
  BucketSpan span;
  bool wholeBook = false;
  friend bool operator==(const PatternBuckets&, const PatternBuckets&) = default;
};

// Empty unless `pattern` is 1 to 6 digits and '?'.
std::optional<PatternBuckets> BucketsOf(std::string_view pattern);

}  // namespace formats
