#pragma once

#include "platform/ports/process_info.h"

namespace platform {

class SimProcessInfo final : public ProcessInfo {
 public:
  explicit SimProcessInfo(std::filesystem::path executable) : executable_(std::move(executable)) {}
  std::filesystem::path ExecutablePath() const override { return executable_; }

 private:
  std::filesystem::path executable_;
};

}  // namespace platform
