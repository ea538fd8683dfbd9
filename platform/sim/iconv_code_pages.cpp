#include "platform/sim/iconv_code_pages.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <string>

namespace platform {
namespace {

constexpr unsigned kUtf8CodePage = 65001;

std::string EncodingName(unsigned codePage) {
  if (codePage == kUtf8CodePage) return "UTF-8";
  return "CP" + std::to_string(codePage);
}

// One conversion descriptor per call: iconv keeps shift state, and engines on several threads
// convert at the same time.
class Converter {
 public:
  Converter(const std::string& to, const std::string& from)
      : cd_(iconv_open(to.c_str(), from.c_str())) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1)); }

  // Converts all of `in`, calling `replace` at each unconvertible spot; `replace` appends its
  // replacement and returns how many input bytes to skip, or 0 to give up.
  template <typename Replace>
  bool Run(const char* in, std::size_t inSize, std::string& out, Replace replace) {
    char buffer[256];
    char* inPtr = const_cast<char*>(in);
    std::size_t inLeft = inSize;
    bool flushing = inLeft == 0;
    while (true) {
      char* outPtr = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t done = flushing ? iconv(cd_, nullptr, nullptr, &outPtr, &outLeft)
                                        : iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
      const int error = errno;
      out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
      if (done != static_cast<std::size_t>(-1)) {
        if (flushing) return true;
        flushing = inLeft == 0;
        continue;
      }
      if (error == E2BIG) continue;
      if (flushing || (error != EILSEQ && error != EINVAL)) return false;
      const std::size_t skip = replace(inPtr, inLeft, error == EINVAL, out);
      if (skip == 0 || skip > inLeft) return false;
      inPtr += skip;
      inLeft -= skip;
      flushing = inLeft == 0;
      // A replacement may leave the descriptor mid-sequence; start it afresh.
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
  }

 private:
  iconv_t cd_;
};

void AppendUnit(std::string& out, char16_t unit) {
  out.push_back(static_cast<char>(unit & 0xFF));
  out.push_back(static_cast<char>(unit >> 8));
}

char16_t LoadUnit(const char* at) {
  return static_cast<char16_t>(static_cast<unsigned char>(at[0]) |
                               (static_cast<unsigned char>(at[1]) << 8));
}

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::optional<std::u16string> IconvCodePages::ToUtf16(unsigned codePage,
                                                      std::span<const std::uint8_t> bytes,
                                                      Unconvertible unconvertible) const {
  Converter converter("UTF-16LE", EncodingName(Resolve(codePage)));
  if (!converter.ok()) return std::nullopt;
  std::string out;
  const bool done = converter.Run(
      reinterpret_cast<const char*>(bytes.data()), bytes.size(), out,
      [&](const char*, std::size_t left, bool cutOff, std::string& to) -> std::size_t {
        if (unconvertible == Unconvertible::kFail) return 0;
        AppendUnit(to, u'\uFFFD');
        return cutOff ? left : 1;
      });
  if (!done) return std::nullopt;
  std::u16string text(out.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = LoadUnit(out.data() + 2 * i);
  return text;
}

std::optional<std::vector<std::uint8_t>> IconvCodePages::FromUtf16(
    unsigned codePage, std::u16string_view text, Unconvertible unconvertible) const {
  Converter converter(EncodingName(Resolve(codePage)), "UTF-16LE");
  if (!converter.ok()) return std::nullopt;
  std::string in;
  in.reserve(text.size() * 2);
  for (char16_t unit : text) AppendUnit(in, unit);
  std::string out;
  const bool done = converter.Run(
      in.data(), in.size(), out,
      [&](const char* at, std::size_t left, bool, std::string& to) -> std::size_t {
        if (unconvertible == Unconvertible::kFail) return 0;
        to.push_back('?');
        // A well-formed pair is one character and gets one '?'.
        if (left >= 4 && IsHighSurrogate(LoadUnit(at)) && IsLowSurrogate(LoadUnit(at + 2))) {
          return 4;
        }
        return 2;
      });
  if (!done) return std::nullopt;
  return std::vector<std::uint8_t>(out.begin(), out.end());
}

}  // namespace platform
