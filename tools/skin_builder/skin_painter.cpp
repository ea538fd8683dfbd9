#include "tools/skin_builder/skin_painter.h"

#include <cstdio>

namespace skin_builder {
namespace {

std::string CodePoint(char32_t c) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
  return text;
}

}  // namespace

StatusRegion MeasureStatusRegion(const Canvas& picture, const formats::SkinRect& statusBg) {
  StatusRegion region;
  const Rgb transparent = picture.At(statusBg.left, statusBg.top);
  for (int x = statusBg.left; x <= statusBg.right; ++x) {
    bool inRun = false;
    int runs = 0;
    for (int y = statusBg.top; y <= statusBg.bottom; ++y) {
      const bool opaque = picture.At(x, y) != transparent;
      region.pixels += opaque ? 1 : 0;
      runs += opaque && !inRun ? 1 : 0;
      inRun = opaque;
    }
    region.runs += runs;
    region.columns += runs > 0 ? 1 : 0;
  }
  return region;
}

SkinPainter::SkinPainter(const SkinDescription& description) : description_(description) {}

GlyphPainter& SkinPainter::Font(const std::string& name, int line) {
  auto found = fonts_.find(name);
  if (found == fonts_.end()) {
    const FontSpec& font = description_.fonts.at(name);
    try {
      found = fonts_.emplace(name, std::make_unique<GlyphPainter>(font.path, font.faceIndex)).first;
    } catch (const std::runtime_error& error) {
      throw DescriptionError(description_.file, line, error.what());
    }
  }
  return *found->second;
}

Canvas SkinPainter::Paint() {
  Canvas picture(description_.width, description_.height, description_.background);
  for (const DrawOp& op : description_.ops) {
    if (const auto* fill = std::get_if<FillOp>(&op.what)) {
      picture.Fill(fill->box, fill->colour);
    } else if (const auto* gradient = std::get_if<GradientOp>(&op.what)) {
      picture.FillGradient(gradient->box, gradient->top, gradient->bottom);
    } else if (const auto* round = std::get_if<RoundOp>(&op.what)) {
      picture.FillRounded(round->box, round->radii, round->top, round->bottom, round->hard);
    } else if (const auto* polygon = std::get_if<PolygonOp>(&op.what)) {
      picture.FillPolygon(polygon->points, polygon->colour);
    } else if (const auto* text = std::get_if<TextOp>(&op.what)) {
      GlyphPainter& font = Font(text->font, op.line);
      if (const auto missing = font.FindMissingGlyph(text->text)) {
        throw DescriptionError(description_.file, op.line,
                               "font '" + text->font + "' has no glyph for " + CodePoint(*missing));
      }
      font.DrawCentred(picture, text->text, text->pixels, text->colour, text->box);
    } else if (const auto* copy = std::get_if<CopyOp>(&op.what)) {
      picture.CopyWithin(copy->fromX, copy->fromY, copy->to);
    }
  }
  CheckStatusRegion(picture);
  return picture;
}

void SkinPainter::CheckStatusRegion(const Canvas& picture) const {
  if (!description_.statusRegion) return;
  const StatusRegion region = MeasureStatusRegion(picture, description_.window.statusBg);
  if (region.pixels != *description_.statusRegion) {
    throw DescriptionError(description_.file, description_.statusRegionLine,
                           "the status window region has " + std::to_string(region.pixels) +
                               " pixels, not " + std::to_string(*description_.statusRegion));
  }
  // A column split in two runs means the transparent colour leaked into the art.
  if (region.runs != region.columns) {
    throw DescriptionError(description_.file, description_.statusRegionLine,
                           "the status window region has " + std::to_string(region.runs) +
                               " runs over " + std::to_string(region.columns) +
                               " columns; the transparent colour shows inside the art");
  }
}

}  // namespace skin_builder
