#include "tools/data_compiler/text_sources.h"

#include <charconv>
#include <fstream>
#include <functional>
#include <string_view>

#include "common/formats/unicode_text.h"

namespace data_compiler {
namespace {

constexpr std::size_t kMaxTextUnits = 49;

using Fields = std::vector<std::string_view>;

// Thrown only inside this file, to leave a line at its first bad field; readers turn it into
// a SourceError.
struct LineProblem {
  std::string message;
};

std::vector<std::string_view> Split(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

// Calls `parse` for every line that is neither empty nor a comment, stopping at the first problem.
template <typename T>
Parsed<T> ReadLines(const std::filesystem::path& file, std::size_t fieldCount,
                    const std::function<T(const Fields&)>& parse) {
  Parsed<T> result;
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    result.error = SourceError{file, 0, "cannot be read"};
    return result;
  }
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line.front() == '#') continue;
    const Fields fields = Split(line);
    try {
      if (fields.size() != fieldCount) {
        throw LineProblem{"expected " + std::to_string(fieldCount) + " fields, found " +
                          std::to_string(fields.size())};
      }
      result.lines.push_back(parse(fields));
    } catch (const LineProblem& problem) {
      result.error = SourceError{file, number, problem.message};
      return result;
    }
  }
  return result;
}

std::string Code(std::string_view field, std::size_t maxDigits) {
  if (field.empty() || field.size() > maxDigits ||
      field.find_first_not_of("0123456789") != std::string_view::npos) {
    throw LineProblem{"code '" + std::string(field) + "' is not 1 to " + std::to_string(maxDigits) +
                      " digits"};
  }
  return std::string(field);
}

unsigned long Number(std::string_view field, unsigned long low, unsigned long high,
                     const char* what) {
  unsigned long value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size() || value < low || value > high) {
    throw LineProblem{std::string(what) + " '" + std::string(field) + "' is not a number from " +
                      std::to_string(low) + " to " + std::to_string(high)};
  }
  return value;
}

std::uint16_t U16(std::string_view field, const char* what) {
  // 0xFFFF marks the end of a record in the books, so no stored number may take it.
  return static_cast<std::uint16_t>(Number(field, 0, 0xFFFE, what));
}

std::u16string Text(std::string_view field, std::size_t maxUnits) {
  auto text = formats::Utf8ToUtf16(field);
  if (!text) throw LineProblem{"text is not UTF-8"};
  if (text->empty() || text->size() > maxUnits) {
    throw LineProblem{"text must be 1 to " + std::to_string(maxUnits) + " UTF-16 units"};
  }
  if (text->find(u'\0') != std::u16string::npos || text->front() == u'\xFFFF') {
    throw LineProblem{"text holds a unit the books cannot store"};
  }
  return *text;
}

char16_t Unit(std::string_view field) {
  const std::u16string text = Text(field, 1);
  if (text[0] >= 0xD800 && text[0] < 0xE000) throw LineProblem{"not one UTF-16 unit"};
  return text[0];
}

char32_t CodePoint(std::string_view field) {
  if (field.size() < 6 || field.substr(0, 2) != "U+") {
    throw LineProblem{"code point '" + std::string(field) + "' is not U+ and hex digits"};
  }
  unsigned long value = 0;
  const auto [end, error] =
      std::from_chars(field.data() + 2, field.data() + field.size(), value, 16);
  if (error != std::errc() || end != field.data() + field.size() || value > 0x10FFFF) {
    throw LineProblem{"code point '" + std::string(field) + "' is not U+ and hex digits"};
  }
  return static_cast<char32_t>(value);
}

WordLine Word(const Fields& f) {
  return {Code(f[0], 6), Text(f[1], kMaxTextUnits), U16(f[2], "key"), U16(f[3], "flags")};
}

}  // namespace

std::string SourceError::ToString() const {
  return file.string() + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + message;
}

Parsed<CharLine> ReadChars(const std::filesystem::path& file) {
  return ReadLines<CharLine>(file, 6, [](const Fields& f) {
    return CharLine{Code(f[0], 4), Unit(f[1]), U16(f[2], "key"), U16(f[4], "flags")};
  });
}

Parsed<WordLine> ReadWords(const std::filesystem::path& file) {
  return ReadLines<WordLine>(file, 4, Word);
}

Parsed<WordLine> ReadProfession(const std::filesystem::path& file) {
  return ReadLines<WordLine>(file, 5, [](const Fields& f) {
    if (f[4] != "s" && f[4] != "t" && f[4] != "st") throw LineProblem{"script is not s, t or st"};
    return Word(f);
  });
}

Parsed<CodeLine> ReadCodes(const std::filesystem::path& file) {
  return ReadLines<CodeLine>(file, 7, [](const Fields& f) {
    CodeLine line;
    line.ch = Unit(f[1]);
    if (CodePoint(f[0]) != line.ch) throw LineProblem{"code point and character differ"};
    for (std::string_view codes = f[2];;) {
      const std::size_t comma = codes.find(',');
      line.codes.push_back(Code(codes.substr(0, comma), 4));
      if (comma == std::string_view::npos) break;
      codes.remove_prefix(comma + 1);
    }
    line.flags = U16(f[3], "flags");
    line.number = static_cast<int>(Number(f[6], 0, 0xFFFE, "character number"));
    return line;
  });
}

Parsed<char16_t> ReadSymbols(const std::filesystem::path& file) {
  return ReadLines<char16_t>(file, 2, [](const Fields& f) {
    const char16_t ch = Unit(f[1]);
    if (CodePoint(f[0]) != ch) throw LineProblem{"code point and symbol differ"};
    return ch;
  });
}

Parsed<HkcsLine> ReadHkcs(const std::filesystem::path& file) {
  return ReadLines<HkcsLine>(file, 4, [](const Fields& f) {
    const char32_t standIn = CodePoint(f[0]);
    const char32_t target = CodePoint(f[1]);
    if (standIn < 0xE000 || standIn > 0xF8FF) throw LineProblem{"stand-in is not private use"};
    if (target < 0x10000) throw LineProblem{"target is not beyond the BMP"};
    return HkcsLine{static_cast<char16_t>(standIn), target};
  });
}

}  // namespace data_compiler
