#pragma once

#include <string>

namespace platform {

// Plain message boxes with an OK button and no owner window. Not named MessageBox: the Windows
// headers define that name as a macro.
class MessageBoxPort {
 public:
  virtual ~MessageBoxPort() = default;
  // An empty caption leaves the system's default caption. Texts are UTF-8.
  virtual void Show(const std::string& text, const std::string& caption) = 0;
};

}  // namespace platform
