#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace data_compiler {

// A data file as text in the format of the source it was compiled from, so that compiling the
// dump gives the same file again; fields the file does not keep are written as 0 or '-'. The
// kind of file is told by its name; a book finds its index beside it. Empty with a message in
// `error` when the file cannot be read or is of no known kind.
std::optional<std::string> DumpDataFile(const std::filesystem::path& file, std::string& error);

}  // namespace data_compiler
