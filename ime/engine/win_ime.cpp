#include "ime/engine/win_ime.h"

namespace ime {

int CWinIME::TestKey(int key, int, int) {
  return key == KC_D ? RC_HANDLED : RC_UNHANDLED;
}

int CWinIME::ProcessKey(int key, int, int) {
  if (key != KC_D) return RC_UNHANDLED;
  keyboard_.InjectKeyPress(platform::kVkBack);
  return RC_HANDLED;
}

}  // namespace ime
