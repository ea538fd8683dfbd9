#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "common/formats/code_book.h"

namespace testing_support {

// Writes `bytes` to `file`, creating its folders.
void WriteBytes(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);

// Compiles the records with the book writers into "lurn2008.idx", "lurnsmz.mb" and "lurnsmc.mb"
// of `dataFolder`. Returns the writers' refusal, empty on success.
std::string WriteCodeBooks(const std::filesystem::path& dataFolder,
                           std::span<const formats::CharRecord> chars,
                           std::span<const formats::WordRecord> words);

}  // namespace testing_support
