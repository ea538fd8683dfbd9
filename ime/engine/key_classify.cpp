#include "ime/engine/key_classify.h"

#include <optional>

namespace ime {
namespace {

// The scan word may carry flag bits above the extended-key bit; bindings hold 9 bits.
constexpr std::uint32_t kScanMask = 0x1FF;

struct Classified {
  int key;
  std::optional<int> ch;  // empty: the translated character stays
};

int Digit(int value) {
  return KC_DIGIT0 + value;
}

std::optional<Classified> KeypadByScan(int vk, std::uint32_t scan) {
  switch (scan) {
    case 0x47:
    case 0x48:
    case 0x49:
      return Classified{Digit(static_cast<int>(scan) - 0x47 + 7),
                        '7' + static_cast<int>(scan) - 0x47};
    case 0x4B:
    case 0x4C:
    case 0x4D:
      return Classified{Digit(static_cast<int>(scan) - 0x4B + 4),
                        '4' + static_cast<int>(scan) - 0x4B};
    case 0x4F:
    case 0x50:
    case 0x51:
      return Classified{Digit(static_cast<int>(scan) - 0x4F + 1),
                        '1' + static_cast<int>(scan) - 0x4F};
    case 0x52:
      return Classified{Digit(0), '0'};
    case 0x53:
      return Classified{KC_D, 8};
    case 0x11C:
      return Classified{KC_R, std::nullopt};
    default:
      break;
  }
  switch (vk) {
    case 144:
      return Classified{KC_N, '?'};
    case 111:
      return Classified{KC_Z, std::nullopt};
    case 106:
      return Classified{KC_C, std::nullopt};
    case 109:
      return Classified{KC_S, std::nullopt};
    case 107:
      return Classified{KC_A, std::nullopt};
    default:
      return std::nullopt;
  }
}

std::optional<Classified> KeypadWithLetters(int vk, std::uint32_t scan, char16_t ch) {
  constexpr char kLetters[] = "qwertasdfg";
  for (int i = 0; i < 10; ++i) {
    const char letter = kLetters[i];
    if (ch == letter && vk == letter - 32) {
      const int index = i < 5 ? i : i + 5;
      return Classified{KC_SEL0 + index, index};
    }
  }
  return KeypadByScan(vk, scan);
}

std::optional<Classified> DigitRow(int vk, char16_t ch) {
  if (vk >= '0' && vk <= '9' && ch == vk) return Classified{Digit(vk - '0'), std::nullopt};
  if (vk == 'Y' && (ch == 'y' || ch == 'Y')) return Classified{KC_Z, '/'};
  if ((vk == 'T' && ch == 't') || ch == 'T') return Classified{KC_C, '*'};
  if (vk == 13) return Classified{KC_R, std::nullopt};
  if (vk == 192 && ch == '`') return Classified{KC_N, '?'};
  if (vk == 189 && ch == '-') return Classified{KC_S, std::nullopt};
  if (vk == 187 && ch == '=') return Classified{KC_A, std::nullopt};
  return std::nullopt;
}

std::optional<Classified> LaptopKeypad(int vk, char16_t ch) {
  struct Letter {
    char letter;
    int digit;
  };
  constexpr Letter kDigits[] = {{'m', 0}, {'j', 1}, {'k', 2}, {'l', 3},
                                {'u', 4}, {'i', 5}, {'o', 6}};
  for (const Letter& d : kDigits) {
    if (ch == d.letter && vk == d.letter - 32) return Classified{Digit(d.digit), '0' + d.digit};
  }
  if (vk >= '7' && vk <= '9' && ch == vk) return Classified{Digit(vk - '0'), std::nullopt};
  if (vk == '0' && ch == '0') return Classified{KC_Z, '/'};
  if (vk == 'P' && ch == 'p') return Classified{KC_C, '*'};
  if (vk == 13 && ch == 13) return Classified{KC_R, std::nullopt};
  if (vk == 190 && ch == '.') return Classified{KC_D, std::nullopt};
  if (vk == 188 && ch == ',') return Classified{KC_N, '?'};
  if (vk == 186 && ch == ';') return Classified{KC_S, std::nullopt};
  if (vk == 191 && ch == '/') return Classified{KC_A, std::nullopt};
  return std::nullopt;
}

std::optional<Classified> BindingTable(const CImeConfig& config, std::uint32_t scan) {
  constexpr int kRoleKeys[] = {KC_N, KC_Z, KC_C, KC_S, KC_A, KC_R, KC_D};
  constexpr int kRoleChars[] = {'?', '/', '*', '-', '+', 10, 8};
  auto bound = [scan](KeyBinding binding) { return binding != 0 && BindingScan(binding) == scan; };
  for (std::size_t i = 0; i < kSrmKeyCount; ++i) {
    if (!bound(config.srmKeys[i])) continue;
    if (i < kSrmN) return Classified{Digit(static_cast<int>(i)), '0' + static_cast<int>(i)};
    return Classified{kRoleKeys[i - kSrmN], kRoleChars[i - kSrmN]};
  }
  for (std::size_t i = 0; i < kSelKeyCount; ++i) {
    if (bound(config.selKeys[i]))
      return Classified{KC_SEL0 + static_cast<int>(i), static_cast<int>(i)};
  }
  return std::nullopt;
}

std::optional<Classified> ApplyScheme(const CImeConfig& config, int vk, std::uint32_t scan,
                                      char16_t ch) {
  const bool keypad = config.KEYMODE == 1;
  if (keypad && config.SHOWMODE == 1 && config.MAMODE == 3) return KeypadWithLetters(vk, scan, ch);
  if (keypad && config.SHOWMODE != 1 && config.MAMODE != 3) return KeypadByScan(vk, scan);
  if (config.KEYMODE == 2) return DigitRow(vk, ch);
  if (config.KEYMODE == 3) return LaptopKeypad(vk, ch);
  return BindingTable(config, scan);
}

}  // namespace

KeyEvent ClassifyKey(int virtualKey, std::uint32_t scan, const platform::KeyboardState& state,
                     const CImeConfig& config, const platform::Keyboard& keyboard,
                     platform::InputContextHost& context) {
  const char16_t ch = keyboard.ToCharacter(virtualKey, scan, state);
  KeyEvent event{virtualKey, ch, static_cast<std::int32_t>(scan)};
  const std::uint32_t mode = context.ConversionMode();
  if ((mode & platform::kConversionNative) == 0 && virtualKey != platform::kVkCapital) {
    return event;
  }
  if (const auto classified = ApplyScheme(config, virtualKey, scan & kScanMask, ch)) {
    event.key = classified->key;
    if (classified->ch) event.ch = *classified->ch;
    return event;
  }
  if (virtualKey == platform::kVkCapital) {
    const bool capsOn = (state[platform::kVkCapital] & platform::kKeyToggled) != 0;
    context.SetConversionMode(
        capsOn ? (mode & ~platform::kConversionNative) | platform::kConversionCharCode
               : (mode & ~platform::kConversionCharCode) | platform::kConversionNative);
  }
  return event;
}

}  // namespace ime
