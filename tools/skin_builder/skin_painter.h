#pragma once

#include <map>
#include <memory>
#include <string>

#include "common/formats/skin_file.h"
#include "tools/skin_builder/canvas.h"
#include "tools/skin_builder/glyph_painter.h"
#include "tools/skin_builder/skin_description.h"

namespace skin_builder {

// The status window's region as the window builds it: pixels of `statusBg` whose colour differs
// from its top-left pixel, gathered column by column in runs.
struct StatusRegion {
  int pixels = 0;
  int runs = 0;
  int columns = 0;  // columns that hold any of the region
};
StatusRegion MeasureStatusRegion(const Canvas& picture, const formats::SkinRect& statusBg);

// Carries out a description's drawing in order and checks what the windows will make of it.
class SkinPainter {
 public:
  explicit SkinPainter(const SkinDescription& description);

  // Throws DescriptionError, at the line of the operation or check that failed.
  Canvas Paint();
  // The description's fonts, opened on first use.
  GlyphPainter& Font(const std::string& name, int line);

 private:
  void CheckStatusRegion(const Canvas& picture) const;

  const SkinDescription& description_;
  std::map<std::string, std::unique_ptr<GlyphPainter>> fonts_;
};

}  // namespace skin_builder
