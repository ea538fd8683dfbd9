#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Stands for "the system's ANSI code page" wherever a code page number is asked for, so that
// callers that follow the system need not look the number up first.
inline constexpr unsigned kAnsiCodePage = 0;

// What a conversion does with input that has no counterpart in the target encoding.
enum class Unconvertible {
  kFail,     // the whole conversion fails
  kReplace,  // each unconvertible character becomes '?' (to bytes) or U+FFFD (to UTF-16)
};

// Conversion between UTF-16 and the multi-byte Windows code pages (936 GBK, 950 Big5, ...).
// Text with lone surrogates or byte sequences that are not valid in the code page counts as
// unconvertible. An unknown code page makes every conversion fail.
class CodePages {
 public:
  virtual ~CodePages() = default;
  // The number of the system's ANSI code page (for example 936 or 950).
  virtual unsigned AnsiCodePage() const = 0;
  virtual std::optional<std::u16string> ToUtf16(unsigned codePage,
                                                std::span<const std::uint8_t> bytes,
                                                Unconvertible unconvertible) const = 0;
  virtual std::optional<std::vector<std::uint8_t>> FromUtf16(unsigned codePage,
                                                             std::u16string_view text,
                                                             Unconvertible unconvertible) const = 0;
};

}  // namespace platform
