#pragma once

#include <cstdint>

namespace ime {

// What the machines see of one key press or one mode change.
struct KeyEvent {
  std::int32_t key = 0;   // decides the handler and the transition
  std::int32_t ch = 0;    // tells the handler which key of its range it got
  std::int32_t scan = 0;  // the scan word, passed through
  friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

// Key classes. Values 1 to 254 are the platform's virtual keys and pass through unclassified.
constexpr int KC_DIGIT0 = 0xFF00;
constexpr int KC_DIGIT9 = 0xFF09;
constexpr int KC_SEL0 = 0xFF60;
constexpr int KC_SEL19 = 0xFF73;
constexpr int KC_N = 0xFF80;
constexpr int KC_Z = 0xFF81;
constexpr int KC_C = 0xFF82;
constexpr int KC_S = 0xFF83;
constexpr int KC_A = 0xFF84;
constexpr int KC_R = 27;  // the same value as the Escape key, which therefore clears too
constexpr int KC_D = 0xFF86;

// Mode and focus changes travel through the machines as negative key codes.
constexpr int EV_WAKE_INPUT = -255;
constexpr int EV_SLEEP_INPUT = -254;
constexpr int EV_SLEEP_PUNCT = -253;
constexpr int EV_WAKE_PUNCT = -252;
constexpr int EV_PUNCT_CHINESE = -251;
constexpr int EV_SHAPE_FULL = -250;
constexpr int EV_SLEEP_SHAPE = -249;
constexpr int EV_WAKE_SHAPE = -248;
constexpr int EV_PUNCT_ENGLISH = -247;
constexpr int EV_CAPS_ON = -243;
constexpr int EV_CAPS_OFF = -242;
constexpr int EV_SHAPE_HALF = -240;

// The key code under which the manager looks up the transitions that follow a state's entry.
constexpr int CHAIN_KEY = -2;

// Results of the manager: -16, plus 1 when a handler took the key, plus 2 when a state changed.
constexpr int RC_UNHANDLED = -16;
constexpr int RC_HANDLED = -15;
constexpr int RC_SWITCHED = -14;
constexpr int RC_HANDLED_SWITCHED = -13;

}  // namespace ime
