#include "ime/lexicon/install_folders.h"

namespace ime {

std::filesystem::path BaseFolder(const platform::Folders& folders) {
  return folders.DriveRoot() / "lurn" / "KUZ2011_CHT" / "";
}

std::filesystem::path DataFolder(const platform::Folders& folders, int scriptFlag, int comptb02) {
  const char* variant = scriptFlag == 1 ? (comptb02 != 0 ? "KUZ2002_chs" : "KUZ2011_chs")
                                        : (comptb02 != 0 ? "KUZ2002_cht" : "KUZ2011_cht");
  return BaseFolder(folders) / variant / "";
}

}  // namespace ime
