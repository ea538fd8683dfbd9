#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The plain-text sources of the data set, as data/README.md defines them.
namespace data_compiler {

struct SourceError {
  std::filesystem::path file;
  int line = 0;  // 0: the file as a whole
  std::string message;
  std::string ToString() const;
};

struct CharLine {
  std::string code;
  char16_t ch = 0;
  std::uint16_t key = 0;
  std::uint16_t flags = 0;
};

struct WordLine {
  std::string code;
  std::u16string text;
  std::uint16_t key = 0;
  std::uint16_t flags = 0;
};

struct CodeLine {
  char16_t ch = 0;
  std::vector<std::string> codes;  // the first is the main code
  std::uint16_t flags = 0;
  int number = 0;  // character number for ordering containing-word results
};

struct HkcsLine {
  char16_t standIn = 0;
  char32_t target = 0;
};

// Each reader gives every line of the file or the first problem, with its line number.
template <typename T>
struct Parsed {
  std::vector<T> lines;
  std::optional<SourceError> error;
};

Parsed<CharLine> ReadChars(const std::filesystem::path& file);
Parsed<WordLine> ReadWords(const std::filesystem::path& file);
// Professional words: the word columns, then the script column, which is checked and dropped.
Parsed<WordLine> ReadProfession(const std::filesystem::path& file);
Parsed<CodeLine> ReadCodes(const std::filesystem::path& file);
Parsed<char16_t> ReadSymbols(const std::filesystem::path& file);
Parsed<HkcsLine> ReadHkcs(const std::filesystem::path& file);

}  // namespace data_compiler
