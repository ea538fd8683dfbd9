#pragma once

#include <cstdint>

#include "ime/engine/ime_config.h"
#include "ime/engine/key_codes.h"
#include "platform/ports/input_context_host.h"
#include "platform/ports/keyboard.h"

namespace ime {

// Turns a physical key into the event the machines see, by the key scheme the settings choose.
// Pressing Caps Lock switches the context between Chinese input and English.
KeyEvent ClassifyKey(int virtualKey, std::uint32_t scan, const platform::KeyboardState& state,
                     const CImeConfig& config, const platform::Keyboard& keyboard,
                     platform::InputContextHost& context);

}  // namespace ime
