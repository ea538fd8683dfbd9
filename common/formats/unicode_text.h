#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace formats {

// UTF-8 from UTF-16 code units; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// UTF-16 from UTF-8; empty when the text is no well-formed UTF-8 (overlong forms, surrogates and
// values past U+10FFFF included), so that a bad source line is refused rather than guessed at.
std::optional<std::u16string> Utf8ToUtf16(std::string_view text);

}  // namespace formats
