#pragma once

#include <vector>

#include "platform/ports/keyboard.h"

namespace platform {

// A US keyboard without dead keys. Tests press and release keys on it; what the module injects
// is recorded instead of being typed.
class SimKeyboard final : public Keyboard {
 public:
  struct Injected {
    int virtualKey;
    bool release;
    friend bool operator==(const Injected&, const Injected&) = default;
  };

  SimKeyboard() { state_.fill(0); }

  // Holding a toggle key down flips its toggle, as on a real keyboard.
  void Press(int virtualKey);
  void Release(int virtualKey);
  void SetToggled(int virtualKey, bool on);

  KeyboardState CurrentState() const override { return state_; }
  char16_t ToCharacter(int virtualKey, std::uint32_t scan,
                       const KeyboardState& state) const override;
  void InjectKeyPress(int virtualKey) override;

  const std::vector<Injected>& injected() const { return injected_; }

 private:
  KeyboardState state_;
  std::vector<Injected> injected_;
};

}  // namespace platform
