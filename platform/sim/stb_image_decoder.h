#pragma once

#include "platform/ports/image_decoder.h"

namespace platform {

// Decodes BMP, PNG, JPEG and GIF pictures into memory.
class StbImageDecoder final : public ImageDecoder {
 public:
  std::unique_ptr<Picture> Decode(std::span<const std::uint8_t> encoded) const override;
};

}  // namespace platform
