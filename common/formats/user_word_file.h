#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/formats/write_result.h"
#include "platform/ports/code_pages.h"

namespace formats {

inline constexpr std::size_t kUserCodeFieldSize = 6;
inline constexpr std::size_t kMaxUserLineSize = 105;    // line end included
inline constexpr std::size_t kMaxUserRecordBytes = 99;  // before the line end, as written
inline constexpr std::size_t kMaxUserWordUnits = 49;

// A line of "ZDYgbk.TXT" laid out as an entry: a code field, then the word's bytes.
struct UserWordLine {
  std::size_t offset = 0;  // of the line in the file
  std::size_t size = 0;    // line end included
  std::string code;        // the digits before the first space of the field; may be empty
  std::span<const std::uint8_t> word;  // from byte 6 up to the line end, in the code page
};

// Walks the lines of the file, all of them (words after the list's end mark are still read),
// and returns those laid out as entries. Not entries: a line shorter than 7 bytes, a code field
// with a byte other than a digit before its first space, and a line longer than 105 bytes
// (outside the format; padding after the end mark is such a line). A line ends after LF; the
// word stops before CR LF, before a lone LF, or at the end of the file.
class UserWordLineReader {
 public:
  explicit UserWordLineReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::optional<UserWordLine> Next();

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

struct UserWord {
  std::string code;     // 1 to 6 digits
  std::u16string word;  // 1 to 49 units
  std::size_t lineOffset = 0;
};

// The entries a lookup can use, in file order: lines with a non-empty code whose word converts
// from `codePage` to 1 to 49 UTF-16 units. A word that does not convert cleanly, or holds a
// NUL byte, is skipped rather than offered garbled.
class UserWordReader {
 public:
  UserWordReader(std::span<const std::uint8_t> bytes, const platform::CodePages& codePages,
                 unsigned codePage = platform::kAnsiCodePage)
      : lines_(bytes), codePages_(codePages), codePage_(codePage) {}
  std::optional<UserWord> Next();

 private:
  UserWordLineReader lines_;
  const platform::CodePages& codePages_;
  unsigned codePage_;
};

// The length of the list: up to and including its first CR LF CR LF. Empty without one.
std::optional<std::size_t> UserWordListLength(std::span<const std::uint8_t> bytes);

struct UserWordData {
  std::string code;     // 1 to 6 digits
  std::u16string word;  // 1 to 49 units
};

// The list as the user word library writes it: one line per word (code field padded with
// spaces, the word in `codePage`, CR LF), then one more CR LF; an empty list is CR LF CR LF.
// Refused: a code that is not 1 to 6 digits, a word of 0 or more than 49 units, one that does
// not convert without loss or converts to CR, LF or NUL bytes, and a line of more than 99 bytes
// before its CR LF (the library's own line walk stops at such a line).
WriteResult<std::vector<std::uint8_t>> WriteUserWordList(
    std::span<const UserWordData> words, const platform::CodePages& codePages,
    unsigned codePage = platform::kAnsiCodePage);

}  // namespace formats
