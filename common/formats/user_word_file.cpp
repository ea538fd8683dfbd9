#include "common/formats/user_word_file.h"

#include <algorithm>

#include "common/formats/numeric_code.h"

namespace formats {
namespace {

constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kLf = 0x0A;
constexpr std::uint8_t kSpace = 0x20;

// The code in a field, or empty when a byte before the first space is not a digit.
std::optional<std::string> ParseCodeField(std::span<const std::uint8_t> field) {
  std::string code;
  for (std::uint8_t byte : field) {
    if (byte == kSpace) break;
    if (byte < '0' || byte > '9') return std::nullopt;
    code.push_back(static_cast<char>(byte));
  }
  return code;
}

}  // namespace

std::optional<UserWordLine> UserWordLineReader::Next() {
  while (position_ < bytes_.size()) {
    const std::size_t start = position_;
    const auto rest = bytes_.subspan(start);
    const auto lf = std::find(rest.begin(), rest.end(), kLf);
    const std::size_t size =
        lf == rest.end() ? rest.size() : static_cast<std::size_t>(lf - rest.begin()) + 1;
    position_ = start + size;
    if (size < kUserCodeFieldSize + 1 || size > kMaxUserLineSize) continue;
    const auto line = rest.first(size);
    auto code = ParseCodeField(line.first(kUserCodeFieldSize));
    if (!code) continue;
    std::size_t wordEnd = size;
    if (line[wordEnd - 1] == kLf) {
      --wordEnd;
      if (wordEnd > 0 && line[wordEnd - 1] == kCr) --wordEnd;
    }
    UserWordLine entry;
    entry.offset = start;
    entry.size = size;
    entry.code = *std::move(code);
    if (wordEnd > kUserCodeFieldSize) {
      entry.word = line.subspan(kUserCodeFieldSize, wordEnd - kUserCodeFieldSize);
    }
    return entry;
  }
  return std::nullopt;
}

std::optional<UserWord> UserWordReader::Next() {
  while (auto line = lines_.Next()) {
    if (line->code.empty() || line->word.empty()) continue;
    if (std::find(line->word.begin(), line->word.end(), 0) != line->word.end()) continue;
    auto word = codePages_.ToUtf16(codePage_, line->word, platform::Unconvertible::kFail);
    if (!word || word->empty() || word->size() > kMaxUserWordUnits) continue;
    return UserWord{std::move(line->code), *std::move(word), line->offset};
  }
  return std::nullopt;
}

std::optional<std::size_t> UserWordListLength(std::span<const std::uint8_t> bytes) {
  static constexpr std::uint8_t kEndMark[] = {kCr, kLf, kCr, kLf};
  const auto found =
      std::search(bytes.begin(), bytes.end(), std::begin(kEndMark), std::end(kEndMark));
  if (found == bytes.end()) return std::nullopt;
  return static_cast<std::size_t>(found - bytes.begin()) + 4;
}

WriteResult<std::vector<std::uint8_t>> WriteUserWordList(std::span<const UserWordData> words,
                                                         const platform::CodePages& codePages,
                                                         unsigned codePage) {
  std::vector<std::uint8_t> out;
  for (const UserWordData& w : words) {
    if (!IsCode(w.code, kUserCodeFieldSize, false)) {
      return Refuse("code \"" + w.code + "\" is not 1 to 6 digits");
    }
    if (w.word.empty() || w.word.size() > kMaxUserWordUnits) {
      return Refuse("a user word of code \"" + w.code + "\" is not 1 to 49 units");
    }
    const auto bytes = codePages.FromUtf16(codePage, w.word, platform::Unconvertible::kFail);
    if (!bytes || bytes->empty()) {
      return Refuse("a user word of code \"" + w.code + "\" does not convert to the code page");
    }
    if (std::any_of(bytes->begin(), bytes->end(),
                    [](std::uint8_t b) { return b == kCr || b == kLf || b == 0; })) {
      return Refuse("a user word of code \"" + w.code + "\" holds a line end or NUL");
    }
    if (kUserCodeFieldSize + bytes->size() > kMaxUserRecordBytes) {
      return Refuse("the line of a user word of code \"" + w.code + "\" exceeds 99 bytes");
    }
    out.insert(out.end(), w.code.begin(), w.code.end());
    out.insert(out.end(), kUserCodeFieldSize - w.code.size(), kSpace);
    out.insert(out.end(), bytes->begin(), bytes->end());
    out.push_back(kCr);
    out.push_back(kLf);
  }
  // The end mark is an empty line; an empty list still needs a first line end before it.
  if (out.empty()) out = {kCr, kLf};
  out.push_back(kCr);
  out.push_back(kLf);
  return out;
}

}  // namespace formats
