#include "platform/sim/stb_image_decoder.h"

#include <climits>
#include <vector>

#include "platform/sim/stb_image_impl.h"

namespace platform {
namespace {

class MemoryPicture final : public Picture {
 public:
  MemoryPicture(int width, int height, std::vector<std::uint32_t> pixels)
      : width_(width), height_(height), pixels_(std::move(pixels)) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  std::uint32_t PixelAt(int x, int y) const override {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
  }

 private:
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace

std::unique_ptr<Picture> StbImageDecoder::Decode(std::span<const std::uint8_t> encoded) const {
  if (encoded.empty() || encoded.size() > static_cast<std::size_t>(INT_MAX)) return nullptr;
  int width = 0;
  int height = 0;
  unsigned char* rgb = DecodeRgb(encoded.data(), static_cast<int>(encoded.size()), &width, &height);
  if (rgb == nullptr) return nullptr;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::vector<std::uint32_t> pixels(count);
  for (std::size_t i = 0; i < count; ++i) {
    pixels[i] = static_cast<std::uint32_t>(rgb[3 * i]) |
                (static_cast<std::uint32_t>(rgb[3 * i + 1]) << 8) |
                (static_cast<std::uint32_t>(rgb[3 * i + 2]) << 16);
  }
  FreeRgb(rgb);
  return std::make_unique<MemoryPicture>(width, height, std::move(pixels));
}

}  // namespace platform
