#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tools/skin_builder/canvas.h"

// Keeps FreeType's types out of every other file.
struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace skin_builder {

// Decodes UTF-8; empty when the bytes are not well-formed.
std::optional<std::u32string> DecodeUtf8(std::string_view text);

// Draws text of one font face with FreeType's anti-aliased rendering.
class GlyphPainter {
 public:
  // Throws std::runtime_error when the font cannot be opened.
  GlyphPainter(const std::string& path, int faceIndex);
  ~GlyphPainter();
  GlyphPainter(const GlyphPainter&) = delete;
  GlyphPainter& operator=(const GlyphPainter&) = delete;

  // The first character the face has no glyph for.
  std::optional<char32_t> FindMissingGlyph(std::u32string_view text) const;

  // Centres the inked part of the text in the box, on whole pixels so that stems stay sharp.
  // Icons need this rather than the line box, whose empty ascent would push them down.
  void DrawCentred(Canvas& canvas, std::u32string_view text, int pixels, Rgb colour,
                   const Box& box);

  // Draws a line of text whose line box, `pixels` tall, has its top at `top`; returns its advance.
  int DrawLine(Canvas& canvas, int x, int top, std::u32string_view text, int pixels, Rgb colour);
  int Measure(std::u32string_view text, int pixels);

 private:
  // Calls draw(bitmap row access, left, top) for each glyph with the pen starting at (0, 0) on
  // the baseline, and returns the advance of the whole text.
  template <typename Draw>
  int Walk(std::u32string_view text, int pixels, Draw draw);
  void SetPixels(int pixels);

  FT_LibraryRec_* library_ = nullptr;
  FT_FaceRec_* face_ = nullptr;
};

}  // namespace skin_builder
