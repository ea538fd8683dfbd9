#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace platform {

// A decoded picture, held in whatever form the platform draws from.
class Picture {
 public:
  virtual ~Picture() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Colour of one pixel as 0x00BBGGRR; (0, 0) is the top-left corner.
  virtual std::uint32_t PixelAt(int x, int y) const = 0;
};

class ImageDecoder {
 public:
  virtual ~ImageDecoder() = default;
  // Empty when the bytes are no image the decoder understands.
  virtual std::unique_ptr<Picture> Decode(std::span<const std::uint8_t> encoded) const = 0;
};

}  // namespace platform
