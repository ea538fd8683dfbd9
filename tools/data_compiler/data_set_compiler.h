#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <vector>

#include "tools/data_compiler/text_sources.h"

namespace data_compiler {

// Every file of a data set, by its path relative to the drive root.
using DataFiles = std::map<std::filesystem::path, std::vector<std::uint8_t>>;

// Compiles the sources (a `base` folder and any of the four variant folders) into the files
// the programs read. Either every file or the first problem.
struct Compiled {
  DataFiles files;
  std::optional<SourceError> error;
};
Compiled CompileDataSet(const std::filesystem::path& sources);

// Writes the files below `root`, each through a temporary file renamed into place, so that a
// reader never sees half a file. Empty on success.
std::optional<SourceError> WriteDataFiles(const DataFiles& files,
                                          const std::filesystem::path& root);

}  // namespace data_compiler
