#pragma once

#include <vector>

#include "platform/ports/input_context_host.h"

namespace platform {

// One input context's conversion mode; every change is recorded in order.
class SimInputContext final : public InputContextHost {
 public:
  explicit SimInputContext(std::uint32_t mode = kConversionNative) : mode_(mode) {}
  std::uint32_t ConversionMode() const override { return mode_; }
  void SetConversionMode(std::uint32_t mode) override {
    mode_ = mode;
    changes_.push_back(mode);
  }
  const std::vector<std::uint32_t>& changes() const { return changes_; }

 private:
  std::uint32_t mode_;
  std::vector<std::uint32_t> changes_;
};

}  // namespace platform
