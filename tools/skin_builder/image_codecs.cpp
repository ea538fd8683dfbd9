#include "tools/skin_builder/image_codecs.h"

#include <memory>

#include "common/formats/byte_io.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#include <stb/stb_image.h>

namespace skin_builder {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
// 72 dots per inch, the resolution image editors assume when a bitmap names none.
constexpr std::uint32_t kPixelsPerMetre = 2835;

void AppendStbBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(context);
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const Canvas& picture) {
  const auto width = static_cast<std::uint32_t>(picture.width());
  const auto height = static_cast<std::uint32_t>(picture.height());
  const std::uint32_t stride = (width * 3 + 3) / 4 * 4;
  const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize;
  std::vector<std::uint8_t> out = {'B', 'M'};
  out.reserve(pixelOffset + stride * height);
  formats::AppendU32(out, pixelOffset + stride * height);
  formats::AppendU32(out, 0);  // reserved
  formats::AppendU32(out, pixelOffset);
  formats::AppendU32(out, kInfoHeaderSize);
  formats::AppendU32(out, width);
  formats::AppendU32(out, height);  // positive: the last row comes first
  formats::AppendU16(out, 1);       // planes
  formats::AppendU16(out, 24);      // bits per pixel
  formats::AppendU32(out, 0);       // no compression
  formats::AppendU32(out, stride * height);
  formats::AppendU32(out, kPixelsPerMetre);
  formats::AppendU32(out, kPixelsPerMetre);
  formats::AppendU32(out, 0);  // no palette
  formats::AppendU32(out, 0);
  for (int y = picture.height() - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width(); ++x) {
      const Rgb p = picture.At(x, y);
      out.insert(out.end(), {p.b, p.g, p.r});
    }
    out.resize(out.size() + (stride - width * 3), 0);
  }
  return out;
}

std::vector<std::uint8_t> EncodePng(const Canvas& picture) {
  const std::vector<std::uint8_t> rgb = picture.RgbBytes();
  std::vector<std::uint8_t> out;
  stbi_write_png_to_func(AppendStbBytes, &out, picture.width(), picture.height(), 3, rgb.data(),
                         picture.width() * 3);
  return out;
}

std::optional<Canvas> DecodeImage(std::span<const std::uint8_t> bytes) {
  int width = 0;
  int height = 0;
  int channels = 0;
  const std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> data(
      stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height,
                            &channels, 3),
      &stbi_image_free);
  if (!data) return std::nullopt;
  Canvas picture(width, height, {});
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const stbi_uc* p = data.get() + (static_cast<std::size_t>(y) * width + x) * 3;
      picture.Set(x, y, {p[0], p[1], p[2]});
    }
  }
  return picture;
}

}  // namespace skin_builder
