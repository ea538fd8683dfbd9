#include "tests/support/temp_dir.h"

#include <stdlib.h>

#include <string>
#include <system_error>

namespace testing_support {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "velmo-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::filesystem::filesystem_error("mkdtemp",
                                            std::error_code(errno, std::generic_category()));
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace testing_support
