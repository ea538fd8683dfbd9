#pragma once

#include <string>
#include <vector>

#include "platform/ports/message_box.h"

namespace platform {

// Records the messages instead of showing them.
class SimMessageBox final : public MessageBoxPort {
 public:
  struct Message {
    std::string text;
    std::string caption;
    friend bool operator==(const Message&, const Message&) = default;
  };

  void Show(const std::string& text, const std::string& caption) override {
    messages.push_back({text, caption});
  }

  std::vector<Message> messages;
};

}  // namespace platform
