#pragma once

#include <array>
#include <cstdint>

namespace platform {

// One byte per virtual key, as the platform keeps it: bit 7 = held down, bit 0 = toggled on.
using KeyboardState = std::array<std::uint8_t, 256>;

constexpr std::uint8_t kKeyDown = 0x80;
constexpr std::uint8_t kKeyToggled = 0x01;

constexpr int kVkBack = 8;
constexpr int kVkReturn = 13;
constexpr int kVkShift = 16;
constexpr int kVkControl = 17;
constexpr int kVkMenu = 18;
constexpr int kVkCapital = 20;
constexpr int kVkNumLock = 144;

class Keyboard {
 public:
  virtual ~Keyboard() = default;
  virtual KeyboardState CurrentState() const = 0;
  // The UTF-16 character the key types under `state`, leaving no dead key pending; 0 when the key
  // types nothing.
  virtual char16_t ToCharacter(int virtualKey, std::uint32_t scan,
                               const KeyboardState& state) const = 0;
  // Puts one press and one release of the key into the platform's input stream.
  virtual void InjectKeyPress(int virtualKey) = 0;
};

}  // namespace platform
