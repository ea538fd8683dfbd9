#pragma once

#include <string>
#include <vector>

#include "common/formats/skin_file.h"
#include "tools/skin_builder/canvas.h"
#include "tools/skin_builder/glyph_painter.h"

namespace skin_builder {

// Composes the candidate and status windows from a skin the way the windows cut, stretch and
// fill it, with sample text, so that a person can judge the art at work: whether the stretched
// strips are seamless, whether text is legible on its areas, and how the shaped status window
// sits on a backdrop. It is a preview, not the windows' layout code: it follows their arithmetic
// for the one case of characters and words shown together.
class SkinMock {
 public:
  SkinMock(const formats::SkinFile& skin, const Canvas& picture, GlyphPainter& font, int pixels);

  Canvas Compose();

 private:
  struct Page {
    std::u32string code;
    std::vector<std::u32string> chars;
    std::vector<std::u32string> words;
    int pageNo = 1;
    int pages = 1;
  };
  struct Fit {
    double scale = 1;
    int overflow = 0;
    int width = 0;
    int height = 0;
  };

  Box CandidateSize(const Page& page, bool horizontal);
  void DrawCandidates(Canvas& scene, int x, int y, const formats::ModeLayout& layout,
                      const Page& page, bool horizontal);
  Fit FitWindow(const formats::ModeLayout& layout, int wc, int hc, int ww, int hw,
                bool horizontal) const;
  void DrawNineTiles(Canvas& scene, int x, int y, const formats::ModeLayout& layout,
                     const Fit& fit) const;
  // Draws one candidate run onto a bitmap filled from `area`, placed at (x, y) in the scene.
  void DrawItems(Canvas& scene, int x, int y, int w, int h, const formats::SkinRect& area,
                 const formats::ModeLayout& layout, const std::vector<std::u32string>& items,
                 int firstLabel, bool horizontal);
  void DrawStatus(Canvas& scene, int x, int y, bool pressed) const;

  const formats::SkinFile& skin_;
  const Canvas& picture_;
  GlyphPainter& font_;
  int pixels_;
};

}  // namespace skin_builder
