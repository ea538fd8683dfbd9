#include "tests/support/data_fixture.h"

#include <fstream>

#include "common/formats/main_index.h"

namespace testing_support {

void WriteBytes(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::string WriteCodeBooks(const std::filesystem::path& dataFolder,
                           std::span<const formats::CharRecord> chars,
                           std::span<const formats::WordRecord> words) {
  const auto charBook = formats::BuildCharBook(chars);
  if (!charBook) return charBook.error();
  const auto wordBook = formats::BuildWordBook(words);
  if (!wordBook) return wordBook.error();
  WriteBytes(dataFolder / "lurnsmz.mb", charBook->book);
  WriteBytes(dataFolder / "lurnsmc.mb", wordBook->book);
  WriteBytes(dataFolder / "lurn2008.idx",
             formats::WriteMainIndex(charBook->lengths, wordBook->lengths));
  return {};
}

}  // namespace testing_support
