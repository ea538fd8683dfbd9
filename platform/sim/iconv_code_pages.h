#pragma once

#include "platform/ports/code_pages.h"

namespace platform {

// Code pages through the C library's iconv: code page N is the encoding "CPN" (glibc knows
// CP936 and CP950 with the Windows extensions), 65001 is UTF-8. The system's ANSI code page is
// whatever the simulated host is configured with.
//
// Unconvertible input, with Unconvertible::kReplace: each character without a counterpart
// becomes one '?', each byte that starts no valid sequence one U+FFFD, and a sequence cut off at
// the end of the input one replacement too. With kFail the conversion yields nothing. An
// encoding iconv does not know always yields nothing.
class IconvCodePages final : public CodePages {
 public:
  explicit IconvCodePages(unsigned ansiCodePage) : ansiCodePage_(ansiCodePage) {}
  unsigned AnsiCodePage() const override { return ansiCodePage_; }
  std::optional<std::u16string> ToUtf16(unsigned codePage, std::span<const std::uint8_t> bytes,
                                        Unconvertible unconvertible) const override;
  std::optional<std::vector<std::uint8_t>> FromUtf16(unsigned codePage, std::u16string_view text,
                                                     Unconvertible unconvertible) const override;

 private:
  unsigned Resolve(unsigned codePage) const {
    return codePage == kAnsiCodePage ? ansiCodePage_ : codePage;
  }
  unsigned ansiCodePage_;
};

}  // namespace platform
