#pragma once

#include "ime/engine/key_codes.h"
#include "platform/ports/keyboard.h"

namespace ime {

// The per-thread engine as the entry points and windows see it. Without machines it knows one
// thing: a delete key that nothing takes becomes a real Backspace for the application.
class CWinIME {
 public:
  explicit CWinIME(platform::Keyboard& keyboard) : keyboard_(keyboard) {}
  CWinIME(const CWinIME&) = delete;
  CWinIME& operator=(const CWinIME&) = delete;
  virtual ~CWinIME() = default;

  virtual int TestKey(int key, int ch, int scan);
  virtual int ProcessKey(int key, int ch, int scan);

 protected:
  platform::Keyboard& keyboard_;
};

}  // namespace ime
