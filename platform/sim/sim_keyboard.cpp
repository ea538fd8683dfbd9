#include "platform/sim/sim_keyboard.h"

#include <string_view>

namespace platform {
namespace {

bool Down(const KeyboardState& state, int vk) {
  return (state[vk] & kKeyDown) != 0;
}
bool Toggled(const KeyboardState& state, int vk) {
  return (state[vk] & kKeyToggled) != 0;
}

// Unshifted and shifted characters of the punctuation keys, by virtual key.
struct OemKey {
  int vk;
  char plain;
  char shifted;
};
constexpr OemKey kOemKeys[] = {{186, ';', ':'},  {187, '=', '+'}, {188, ',', '<'}, {189, '-', '_'},
                               {190, '.', '>'},  {191, '/', '?'}, {192, '`', '~'}, {219, '[', '{'},
                               {220, '\\', '|'}, {221, ']', '}'}, {222, '\'', '"'}};
constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";

}  // namespace

void SimKeyboard::Press(int virtualKey) {
  const int vk = virtualKey & 0xFF;
  if (!Down(state_, vk)) state_[vk] ^= kKeyToggled;
  state_[vk] |= kKeyDown;
}

void SimKeyboard::Release(int virtualKey) {
  state_[virtualKey & 0xFF] &= static_cast<std::uint8_t>(~kKeyDown);
}

void SimKeyboard::SetToggled(int virtualKey, bool on) {
  auto& key = state_[virtualKey & 0xFF];
  key = static_cast<std::uint8_t>(on ? key | kKeyToggled : key & ~kKeyToggled);
}

char16_t SimKeyboard::ToCharacter(int virtualKey, std::uint32_t, const KeyboardState& state) const {
  const bool shift = Down(state, kVkShift);
  const bool control = Down(state, kVkControl);
  const bool alt = Down(state, kVkMenu);
  if (alt) return 0;
  const int vk = virtualKey;
  if (vk >= 'A' && vk <= 'Z') {
    if (control) return static_cast<char16_t>(vk - 'A' + 1);
    const bool upper = shift != Toggled(state, kVkCapital);
    return static_cast<char16_t>(upper ? vk : vk + 32);
  }
  if (control) return 0;
  if (vk >= '0' && vk <= '9') {
    return static_cast<char16_t>(shift ? kShiftedDigits[vk - '0'] : vk);
  }
  if (vk >= 96 && vk <= 105) return static_cast<char16_t>('0' + vk - 96);
  switch (vk) {
    case kVkBack:
      return 8;
    case 9:
      return 9;
    case kVkReturn:
      return 13;
    case 27:
      return 27;
    case 32:
      return 32;
    case 106:
      return '*';
    case 107:
      return '+';
    case 109:
      return '-';
    case 110:
      return '.';
    case 111:
      return '/';
    default:
      break;
  }
  for (const OemKey& key : kOemKeys) {
    if (key.vk == vk) return static_cast<char16_t>(shift ? key.shifted : key.plain);
  }
  return 0;
}

void SimKeyboard::InjectKeyPress(int virtualKey) {
  injected_.push_back({virtualKey, false});
  injected_.push_back({virtualKey, true});
}

}  // namespace platform
