#pragma once

#include <cstdint>

namespace platform {

// Conversion-mode bits of an input context, as the platform defines them.
constexpr std::uint32_t kConversionNative = 0x01;
constexpr std::uint32_t kConversionCharCode = 0x20;

// The input context the engine is currently working for.
class InputContextHost {
 public:
  virtual ~InputContextHost() = default;
  virtual std::uint32_t ConversionMode() const = 0;
  // Changes the conversion mode and leaves the sentence mode as it is; the platform reports the
  // change back to the module.
  virtual void SetConversionMode(std::uint32_t mode) = 0;
};

}  // namespace platform
