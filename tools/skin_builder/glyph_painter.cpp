#include "tools/skin_builder/glyph_painter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <stdexcept>

namespace skin_builder {
namespace {

void Blit(Canvas& canvas, const FT_Bitmap& bitmap, int x, int y, Rgb colour) {
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    for (unsigned col = 0; col < bitmap.width; ++col) {
      const unsigned value = bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + col];
      canvas.Blend(x + static_cast<int>(col), y + static_cast<int>(row), colour, value / 255.0);
    }
  }
}

}  // namespace

std::optional<std::u32string> DecodeUtf8(std::string_view text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || lead > 0xF4 || text.size() - i <= static_cast<std::size_t>(extra)) {
      return std::nullopt;
    }
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    out.push_back(c);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

GlyphPainter::GlyphPainter(const std::string& path, int faceIndex) {
  if (FT_Init_FreeType(&library_) != 0) throw std::runtime_error("FreeType does not start");
  if (FT_New_Face(library_, path.c_str(), faceIndex, &face_) != 0) {
    FT_Done_FreeType(library_);
    throw std::runtime_error("cannot open font " + path + " face " + std::to_string(faceIndex));
  }
}

GlyphPainter::~GlyphPainter() {
  FT_Done_Face(face_);
  FT_Done_FreeType(library_);
}

std::optional<char32_t> GlyphPainter::FindMissingGlyph(std::u32string_view text) const {
  for (char32_t c : text) {
    if (FT_Get_Char_Index(face_, c) == 0) return c;
  }
  return std::nullopt;
}

void GlyphPainter::SetPixels(int pixels) {
  FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixels));
}

template <typename Draw>
int GlyphPainter::Walk(std::u32string_view text, int pixels, Draw draw) {
  SetPixels(pixels);
  FT_Pos pen = 0;
  for (char32_t c : text) {
    if (FT_Load_Char(face_, c, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) continue;
    const FT_GlyphSlot slot = face_->glyph;
    draw(slot->bitmap, static_cast<int>(pen >> 6) + slot->bitmap_left, -slot->bitmap_top);
    pen += slot->advance.x;
  }
  return static_cast<int>((pen + 32) >> 6);
}

void GlyphPainter::DrawCentred(Canvas& canvas, std::u32string_view text, int pixels, Rgb colour,
                               const Box& box) {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  Walk(text, pixels, [&](const FT_Bitmap& bitmap, int x, int y) {
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      for (unsigned col = 0; col < bitmap.width; ++col) {
        if (bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + col] == 0) continue;
        left = std::min(left, x + static_cast<int>(col));
        right = std::max(right, x + static_cast<int>(col) + 1);
        top = std::min(top, y + static_cast<int>(row));
        bottom = std::max(bottom, y + static_cast<int>(row) + 1);
      }
    }
  });
  if (left > right) return;
  const int dx = box.x + (box.w - (right - left)) / 2 - left;
  const int dy = box.y + (box.h - (bottom - top)) / 2 - top;
  Walk(text, pixels, [&](const FT_Bitmap& bitmap, int x, int y) {
    Blit(canvas, bitmap, dx + x, dy + y, colour);
  });
}

int GlyphPainter::DrawLine(Canvas& canvas, int x, int top, std::u32string_view text, int pixels,
                           Rgb colour) {
  // The line box is one em tall, as it is for the candidate font of the windows, with the
  // baseline where the face's ascent and descent put it in that em.
  const FT_Pos ascent = face_->ascender;
  const FT_Pos depth = face_->ascender - face_->descender;
  const int baseline = top + static_cast<int>((ascent * pixels + depth / 2) / depth);
  return Walk(text, pixels, [&](const FT_Bitmap& bitmap, int gx, int gy) {
    Blit(canvas, bitmap, x + gx, baseline + gy, colour);
  });
}

int GlyphPainter::Measure(std::u32string_view text, int pixels) {
  return Walk(text, pixels, [](const FT_Bitmap&, int, int) {});
}

}  // namespace skin_builder
