#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "tools/skin_builder/canvas.h"

namespace skin_builder {

// A Windows bitmap file: 24 bits per pixel, uncompressed, rows bottom-up and padded to four
// bytes, which is the form every bitmap decoder accepts.
std::vector<std::uint8_t> EncodeBmp24(const Canvas& picture);

std::vector<std::uint8_t> EncodePng(const Canvas& picture);

// Decodes any image the preview needs to read back; empty when the bytes are not an image.
std::optional<Canvas> DecodeImage(std::span<const std::uint8_t> bytes);

}  // namespace skin_builder
