#pragma once

#include <filesystem>

#include "platform/ports/folders.h"

namespace ime {

// The folder that holds the files every variant shares, the skins and the tools.
std::filesystem::path BaseFolder(const platform::Folders& folders);

// The folder of the code books for the script (1 = simplified, other = traditional) and the
// choice of the older code tables.
std::filesystem::path DataFolder(const platform::Folders& folders, int scriptFlag, int comptb02);

}  // namespace ime
