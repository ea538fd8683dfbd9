#include "ime/engine/key_classify.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_input_context.h"
#include "platform/sim/sim_keyboard.h"
#include "tests/support/sim_host.h"

namespace {

using namespace ime;

constexpr int kShift = 1;  // modifier flag of a case

struct KeyCase {
  const char* what;
  int vk;
  std::uint32_t scan;
  int modifiers;
  int key;
  int ch;
};

struct Scheme {
  int keymode, showmode, mamode;
};

class KeyClassifyTest : public ::testing::Test {
 protected:
  void Use(Scheme s) {
    config.KEYMODE = s.keymode;
    config.SHOWMODE = s.showmode;
    config.MAMODE = s.mamode;
  }
  KeyEvent Classify(int vk, std::uint32_t scan, int modifiers = 0) {
    platform::KeyboardState state = keyboard.CurrentState();
    if (modifiers & kShift) state[platform::kVkShift] = platform::kKeyDown;
    return ClassifyKey(vk, scan, state, config, keyboard, context);
  }
  void Check(Scheme s, std::initializer_list<KeyCase> cases) {
    Use(s);
    for (const KeyCase& c : cases) {
      const KeyEvent event = Classify(c.vk, c.scan, c.modifiers);
      EXPECT_EQ(event.key, c.key) << c.what;
      EXPECT_EQ(event.ch, c.ch) << c.what;
      EXPECT_EQ(event.scan, static_cast<std::int32_t>(c.scan)) << c.what;
    }
  }

  testing_support::SimHost host;
  CImeConfig config{host.ports()};
  platform::SimKeyboard keyboard;
  platform::SimInputContext context{platform::kConversionNative};
};

TEST_F(KeyClassifyTest, KeypadByScanCode) {
  Check({1, 2, 1}, {
                       {"keypad 5, Num Lock on", 101, 0x4C, 0, KC_DIGIT0 + 5, '5'},
                       {"keypad 5, Num Lock off", 12, 0x4C, 0, KC_DIGIT0 + 5, '5'},
                       {"keypad 7 as Home", 36, 0x47, 0, KC_DIGIT0 + 7, '7'},
                       {"keypad 3", 99, 0x51, 0, KC_DIGIT0 + 3, '3'},
                       {"keypad 0", 96, 0x52, 0, KC_DIGIT0, '0'},
                       {"arrow key sharing a scan code", 37, 0x14B, 0, 37, 0},
                       {"scan word with flag bits", 101, 0x404C, 0, KC_DIGIT0 + 5, '5'},
                       {"keypad .", 110, 0x53, 0, KC_D, 8},
                       {"keypad Enter", 13, 0x11C, 0, KC_R, 13},
                       {"main Enter", 13, 0x1C, 0, 13, 13},
                       {"Num Lock", 144, 0x145, 0, KC_N, '?'},
                       {"keypad /", 111, 0x135, 0, KC_Z, '/'},
                       {"keypad *", 106, 0x37, 0, KC_C, '*'},
                       {"keypad -", 109, 0x4A, 0, KC_S, '-'},
                       {"keypad +", 107, 0x4E, 0, KC_A, '+'},
                       {"letter", 'Q', 0x10, 0, 'Q', 'q'},
                   });
}

TEST_F(KeyClassifyTest, KeypadWithLetterSelection) {
  Check({1, 1, 3}, {
                       {"q", 'Q', 0x10, 0, KC_SEL0, 0},
                       {"t", 'T', 0x14, 0, KC_SEL0 + 4, 4},
                       {"a", 'A', 0x1E, 0, KC_SEL0 + 10, 10},
                       {"g", 'G', 0x22, 0, KC_SEL0 + 14, 14},
                       {"Shift+Q", 'Q', 0x10, kShift, 'Q', 'Q'},
                       {"h is no selection key", 'H', 0x23, 0, 'H', 'h'},
                       {"keypad 5", 101, 0x4C, 0, KC_DIGIT0 + 5, '5'},
                       {"keypad Enter", 13, 0x11C, 0, KC_R, 13},
                   });
}

TEST_F(KeyClassifyTest, DigitRow) {
  Check({2, 1, 1}, {
                       {"1", '1', 0x02, 0, KC_DIGIT0 + 1, '1'},
                       {"0", '0', 0x0B, 0, KC_DIGIT0, '0'},
                       {"Shift+1", '1', 0x02, kShift, '1', '!'},
                       {"y", 'Y', 0x15, 0, KC_Z, '/'},
                       {"Shift+Y", 'Y', 0x15, kShift, KC_Z, '/'},
                       {"t", 'T', 0x14, 0, KC_C, '*'},
                       {"Shift+T", 'T', 0x14, kShift, KC_C, '*'},
                       {"Enter", 13, 0x1C, 0, KC_R, 13},
                       {"`", 192, 0x29, 0, KC_N, '?'},
                       {"-", 189, 0x0C, 0, KC_S, '-'},
                       {"=", 187, 0x0D, 0, KC_A, '='},
                       {"Shift+= is no page key", 187, 0x0D, kShift, 187, '+'},
                       {"keypad 5 is no digit here", 101, 0x4C, 0, 101, '5'},
                   });
}

TEST_F(KeyClassifyTest, LaptopKeypad) {
  Check({3, 1, 1}, {
                       {"m", 'M', 0x32, 0, KC_DIGIT0, '0'},
                       {"j", 'J', 0x24, 0, KC_DIGIT0 + 1, '1'},
                       {"l", 'L', 0x26, 0, KC_DIGIT0 + 3, '3'},
                       {"u", 'U', 0x16, 0, KC_DIGIT0 + 4, '4'},
                       {"o", 'O', 0x18, 0, KC_DIGIT0 + 6, '6'},
                       {"7", '7', 0x08, 0, KC_DIGIT0 + 7, '7'},
                       {"9", '9', 0x0A, 0, KC_DIGIT0 + 9, '9'},
                       {"1 is no digit", '1', 0x02, 0, '1', '1'},
                       {"0", '0', 0x0B, 0, KC_Z, '/'},
                       {"p", 'P', 0x19, 0, KC_C, '*'},
                       {"Enter", 13, 0x1C, 0, KC_R, 13},
                       {".", 190, 0x34, 0, KC_D, '.'},
                       {",", 188, 0x33, 0, KC_N, '?'},
                       {";", 186, 0x27, 0, KC_S, ';'},
                       {"/", 191, 0x35, 0, KC_A, '/'},
                       {"Shift+M", 'M', 0x32, kShift, 'M', 'M'},
                   });
}

TEST_F(KeyClassifyTest, BindingTableGivesEachRoleItsCharacter) {
  // KEYMODE 1 with a horizontal page of characters first falls to the default bindings.
  Check({1, 1, 1}, {
                       {"keypad 5", 101, 0x4C, 0, KC_DIGIT0 + 5, '5'},
                       {"Num Lock", 144, 0x145, 0, KC_N, '?'},
                       {"keypad Enter", 13, 0x11C, 0, KC_R, 10},
                       {"keypad .", 110, 0x53, 0, KC_D, 8},
                       {"keypad +", 107, 0x4E, 0, KC_A, '+'},
                       {"no scan code is no selection key", 'Q', 0, 0, 'Q', 'q'},
                   });
}

TEST_F(KeyClassifyTest, CustomBindingsMatchScanCodesInRoleOrder) {
  Use({4, 1, 1});
  config.srmKeys[3] = 0x00220067;      // digit 3 on G
  config.srmKeys[kSrmZ] = 0x00220067;  // also bound to G: the digit comes first
  config.selKeys[7] = 0x00230068;      // selection 7 on H
  config.srmKeys[5] = 0;
  EXPECT_EQ(Classify('G', 0x22).key, KC_DIGIT0 + 3);
  EXPECT_EQ(Classify('G', 0x22).ch, '3');
  EXPECT_EQ(Classify('H', 0x23).key, KC_SEL0 + 7);
  EXPECT_EQ(Classify('H', 0x23).ch, 7);
  EXPECT_EQ(Classify(101, 0x4C).key, 101);  // keypad 5 unbound
  EXPECT_EQ(Classify(100, 0x4B).key, KC_DIGIT0 + 4);
}

TEST_F(KeyClassifyTest, EnglishModeLeavesKeysAlone) {
  Use({1, 2, 1});
  context.SetConversionMode(0);
  const KeyEvent event = Classify(101, 0x4C);
  EXPECT_EQ(event.key, 101);
  EXPECT_EQ(event.ch, '5');
}

TEST_F(KeyClassifyTest, CapsLockSwitchesBetweenChineseAndEnglish) {
  Use({1, 2, 1});
  constexpr std::uint32_t kFullShape = 0x08;
  context.SetConversionMode(platform::kConversionNative | kFullShape);
  keyboard.Press(platform::kVkCapital);  // toggles Caps Lock on
  EXPECT_EQ(Classify(platform::kVkCapital, 0x3A).key, platform::kVkCapital);
  EXPECT_EQ(context.ConversionMode(), platform::kConversionCharCode | kFullShape);
  keyboard.Release(platform::kVkCapital);
  keyboard.Press(platform::kVkCapital);  // off again; the context is English now
  EXPECT_EQ(Classify(platform::kVkCapital, 0x3A).key, platform::kVkCapital);
  EXPECT_EQ(context.ConversionMode(), platform::kConversionNative | kFullShape);
  EXPECT_EQ(context.changes().size(), 3u);
  EXPECT_EQ(Classify('A', 0x1E).key, 'A');  // other keys do not touch the mode
  EXPECT_EQ(context.changes().size(), 3u);
}

}  // namespace
