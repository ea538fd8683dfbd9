#include "tools/skin_builder/skin_mock.h"

#include <algorithm>
#include <array>

namespace skin_builder {
namespace {

using formats::ModeLayout;
using formats::SkinRect;

// Colours the candidate window uses besides the skin's own two.
constexpr Rgb kLabelColour{0, 0, 255};
constexpr Rgb kGrey{100, 100, 100};
constexpr Rgb kDesktopTop{233, 237, 242};
constexpr Rgb kDesktopBottom{211, 218, 227};
constexpr Rgb kDarkBackdrop{72, 80, 92};
constexpr int kMargin = 16;

Rgb FromColourRef(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16)};
}

int Width(const SkinRect& r) {
  return r.right - r.left;
}
int Height(const SkinRect& r) {
  return r.bottom - r.top;
}
int Trunc(float value) {
  return static_cast<int>(value);
}

std::u32string Label(int digit) {
  return {static_cast<char32_t>(U'0' + digit), U'.'};
}

std::u32string Number(int value) {
  std::u32string text;
  for (char c : std::to_string(value)) text.push_back(static_cast<char32_t>(c));
  return text;
}

}  // namespace

SkinMock::SkinMock(const formats::SkinFile& skin, const Canvas& picture, GlyphPainter& font,
                   int pixels)
    : skin_(skin), picture_(picture), font_(font), pixels_(pixels) {}

SkinMock::Fit SkinMock::FitWindow(const ModeLayout& layout, int wc, int hc, int ww, int hw,
                                  bool horizontal) const {
  // Single precision, as the windows compute it, so that the mock lands on the same pixels.
  const float charW = static_cast<float>(Width(layout.charRect));
  const float charH = static_cast<float>(Height(layout.charRect));
  const float wordW = static_cast<float>(Width(layout.wordRect));
  const float wordH = static_cast<float>(Height(layout.wordRect));
  float scale = 1.0f;
  if (static_cast<float>(hc) > charH) scale = static_cast<float>(hc) / charH;
  if (static_cast<float>(hw) > wordH && static_cast<float>(hw) / wordH > scale) {
    scale = static_cast<float>(hw) / wordH;
  }
  float overflow = 0;
  if (static_cast<float>(wc) > charW * scale) overflow = static_cast<float>(wc) - charW * scale;
  if (horizontal) {
    overflow = std::max(overflow, static_cast<float>(ww) - wordW * scale);
  } else if (static_cast<float>(ww) > wordW * scale) {
    overflow += static_cast<float>(ww) - wordW * scale;
  }
  Fit fit;
  fit.scale = scale;
  fit.overflow = Trunc(overflow + 0.99999f);
  fit.width =
      Trunc(static_cast<float>(Width(layout.bgRect)) * scale + static_cast<float>(fit.overflow));
  fit.height = Trunc(scale * static_cast<float>(Height(layout.bgRect)));
  return fit;
}

void SkinMock::DrawNineTiles(Canvas& scene, int x, int y, const ModeLayout& layout,
                             const Fit& fit) const {
  const int x0 = layout.bgRect.left, y0 = layout.bgRect.top;
  const int w = Width(layout.bgRect), h = Height(layout.bgRect);
  const int x1 = layout.splitX.left, x2 = layout.splitX.right;
  const int y1 = layout.splitY.top, y2 = layout.splitY.bottom;
  const auto s = static_cast<float>(fit.scale);
  const int wm = Trunc((s - 1) * static_cast<float>(w) + static_cast<float>(fit.overflow) + 1);
  const int hm = Trunc(static_cast<float>(h) * (s - 1) + 1);
  // Columns and rows as (destination start, destination size, source start, source size).
  const std::array<std::array<int, 4>, 3> columns = {
      {{0, x1, 0, x1}, {x1, wm, x1, x2 - x1}, {x1 + wm, w - x2, x2, w - x2}}};
  const std::array<std::array<int, 4>, 3> rows = {
      {{0, y1, 0, y1}, {y1, hm, y1, y2 - y1}, {y1 + hm, h - y2, y2, h - y2}}};
  for (const auto& row : rows) {
    for (const auto& column : columns) {
      scene.DrawStretched(picture_, {x0 + column[2], y0 + row[2], column[3], row[3]},
                          {x + column[0], y + row[0], column[1], row[1]});
    }
  }
}

void SkinMock::DrawItems(Canvas& scene, int x, int y, int w, int h, const SkinRect& area,
                         const ModeLayout& layout, const std::vector<std::u32string>& items,
                         int firstLabel, bool horizontal) {
  Canvas bitmap(w, h, {});
  bitmap.DrawStretched(
      picture_,
      {layout.bgRect.left + area.left, layout.bgRect.top + area.top, Width(area), Height(area)},
      {0, 0, w, h});
  const Rgb text = FromColourRef(skin_.color);
  int pen = 0;
  for (std::size_t k = 0; k < items.size(); ++k) {
    const int left = horizontal ? pen : 0;
    const int top = horizontal ? 0 : pen;
    int advance = font_.DrawLine(bitmap, left, top, Label(firstLabel + static_cast<int>(k)),
                                 pixels_, kLabelColour);
    advance += font_.DrawLine(bitmap, left + advance, top, items[k], pixels_, text);
    pen += horizontal ? advance + font_.Measure(U" ", pixels_) : pixels_ + 1;
  }
  scene.DrawStretched(bitmap, {0, 0, w, h}, {x, y, w, h});
}

void SkinMock::DrawCandidates(Canvas& scene, int x, int y, const ModeLayout& layout,
                              const Page& page, bool horizontal) {
  const Box size = CandidateSize(page, horizontal);
  const int wc = size.x, hc = size.y, ww = size.w, hw = size.h;
  const Fit fit = FitWindow(layout, wc, hc, ww, hw, horizontal);
  const auto s = static_cast<float>(fit.scale);
  const int o = fit.overflow;
  auto at = [s](int v) { return Trunc(s * static_cast<float>(v)); };
  DrawNineTiles(scene, x, y, layout, fit);

  // Separators keep their one-pixel thickness and only grow along their length.
  const Rgb separator = FromColourRef(skin_.color2);
  const SkinRect& across = horizontal ? layout.sepRect1 : layout.sepRect2;
  scene.Fill({x + at(across.left), y + at(across.top), at(across.right) + o - at(across.left),
              Height(across)},
             separator);
  const SkinRect& down = horizontal ? layout.sepRect2 : layout.sepRect1;
  const float charWidth = s * static_cast<float>(Width(layout.charRect));
  const int shift = !horizontal && static_cast<float>(wc) > charWidth
                        ? Trunc(static_cast<float>(wc) - charWidth)
                        : 0;
  scene.Fill(
      {x + at(down.left) + shift, y + at(down.top), Width(down), at(down.bottom) - at(down.top)},
      separator);

  const int codeWidth = font_.Measure(page.code, pixels_);
  Canvas code(codeWidth, pixels_, {});
  code.DrawStretched(
      picture_,
      {layout.bgRect.left + layout.compRect.left, layout.bgRect.top + layout.compRect.top,
       Width(layout.compRect), Height(layout.compRect)},
      {0, 0, codeWidth, pixels_});
  font_.DrawLine(code, 0, 0, page.code, pixels_, FromColourRef(skin_.color));
  scene.DrawStretched(
      code, {0, 0, codeWidth, pixels_},
      {x + at(layout.compRect.left), y + at(layout.compRect.top), codeWidth, pixels_});

  // With characters and words shown together the horizontal window has no page indicator.
  if (!horizontal) {
    const std::u32string pageText = Number(page.pageNo) + U"/" + Number(page.pages);
    const int wp = font_.Measure(pageText, pixels_);
    Canvas pageBitmap(wp, pixels_, {});
    pageBitmap.DrawStretched(
        picture_,
        {layout.bgRect.left + layout.pageRect.left, layout.bgRect.top + layout.pageRect.top,
         Width(layout.pageRect), Height(layout.pageRect)},
        {0, 0, wp, pixels_});
    font_.DrawLine(pageBitmap, 0, 0, pageText, pixels_, kGrey);
    scene.DrawStretched(pageBitmap, {0, 0, wp, pixels_},
                        {x + at(Width(layout.pageRect)) - wp + at(layout.pageRect.left) + o,
                         y + at(layout.pageRect.top), wp, pixels_});
  }

  DrawItems(scene, x + at(layout.charRect.left), y + at(layout.charRect.top), wc, hc,
            layout.charRect, layout, page.chars, 0, horizontal);
  DrawItems(scene, x + at(layout.wordRect.left) + shift, y + at(layout.wordRect.top), ww, hw,
            layout.wordRect, layout, page.words, static_cast<int>(page.chars.size()), horizontal);

  auto button = [&](const SkinRect& place, const SkinRect& image) {
    scene.DrawStretched(
        picture_, {image.left, image.top, Width(image), Height(image)},
        {x + at(place.left) + o, y + at(place.top), at(Width(place)), at(Height(place))});
  };
  if (page.pageNo > 1) button(layout.prevRect, layout.prevPic);
  if (page.pageNo < page.pages) button(layout.nextRect, layout.nextPic);
}

// Sizes of the two candidate bitmaps: (x, y) = characters, (w, h) = words.
Box SkinMock::CandidateSize(const Page& page, bool horizontal) {
  if (!horizontal) {
    // Without code hints every character takes one cell, and words take at least six.
    const int m = font_.Measure(U"中", pixels_);
    std::size_t longest = 6;
    for (const auto& word : page.words) longest = std::max(longest, word.size());
    return {2 * m, 10 * m + 9, m * static_cast<int>(longest + 1), 10 * m + 9};
  }
  auto lineWidth = [&](const std::vector<std::u32string>& items, int firstLabel) {
    std::u32string line;
    for (std::size_t k = 0; k < items.size(); ++k) {
      line += Label(firstLabel + static_cast<int>(k)) + items[k] + U" ";
    }
    return font_.Measure(line, pixels_);
  };
  return {lineWidth(page.chars, 0), pixels_,
          lineWidth(page.words, static_cast<int>(page.chars.size())), pixels_};
}

void SkinMock::DrawStatus(Canvas& scene, int x, int y, bool pressed) const {
  const formats::WindowLayout& w = skin_.window;
  const SkinRect& bg = w.statusBg;
  const int width = bg.right - bg.left + 1;
  const int height = bg.bottom - bg.top + 1;
  Canvas window(width, height, {});
  window.DrawStretched(picture_, {bg.left, bg.top, width, height}, {0, 0, width, height});
  if (pressed) {
    for (const auto& [place, image] :
         {std::pair{w.button1, w.button1Pressed}, std::pair{w.button7, w.button7Pressed},
          std::pair{w.button2, w.button2Pressed}, std::pair{w.button3, w.button3Pressed},
          std::pair{w.button4, w.button4Pressed}}) {
      const int bw = place.right - place.left + 1;
      const int bh = place.bottom - place.top + 1;
      window.DrawStretched(picture_, {image.left, image.top, bw, bh},
                           {place.left, place.top, bw, bh});
    }
  }
  // The region comes from the background alone, whatever the buttons draw.
  const Rgb transparent = picture_.At(bg.left, bg.top);
  for (int wy = 0; wy < height; ++wy) {
    for (int wx = 0; wx < width; ++wx) {
      if (picture_.At(bg.left + wx, bg.top + wy) != transparent) {
        scene.Set(x + wx, y + wy, window.At(wx, wy));
      }
    }
  }
}

Canvas SkinMock::Compose() {
  const Page first{U"5012",
                   {U"中", U"種", U"鐘", U"終", U"忠"},
                   {U"中國", U"中文", U"終於", U"種類", U"鐘錶"},
                   1,
                   3};
  const Page wide{U"50121",
                  {U"盅", U"衷", U"塚"},
                  {U"中華民國", U"終身大事", U"鐘鼎文", U"忠孝東路", U"種瓜得瓜"},
                  2,
                  3};
  const Page column{U"501",
                    {U"中", U"種", U"鐘", U"終", U"忠"},
                    {U"中國", U"中文字", U"終於", U"種類", U"鐘錶"},
                    2,
                    4};

  const ModeLayout& h = skin_.horizontal;
  const ModeLayout& v = skin_.vertical;
  auto fitOf = [&](const ModeLayout& layout, const Page& page, bool horizontal) {
    const Box size = CandidateSize(page, horizontal);
    return FitWindow(layout, size.x, size.y, size.w, size.h, horizontal);
  };
  const Fit firstFit = fitOf(h, first, true);
  const Fit wideFit = fitOf(h, wide, true);
  const Fit columnFit = fitOf(v, column, false);
  const int statusHeight = skin_.window.statusBg.bottom - skin_.window.statusBg.top + 1;
  const int statusWidth = skin_.window.statusBg.right - skin_.window.statusBg.left + 1;

  const int leftWidth = std::max({firstFit.width, wideFit.width, 2 * statusWidth + kMargin * 3});
  const int wideTop = kMargin * 2 + firstFit.height;
  const int stripTop = wideTop + wideFit.height + kMargin;
  const int stripHeight = statusHeight + 2 * kMargin;
  const int sceneWidth = kMargin * 3 + leftWidth + columnFit.width;
  const int sceneHeight =
      std::max(stripTop + stripHeight, kMargin * 2 + columnFit.height) + kMargin;

  Canvas scene(sceneWidth, sceneHeight, {});
  scene.FillGradient({0, 0, sceneWidth, sceneHeight}, kDesktopTop, kDesktopBottom);
  DrawCandidates(scene, kMargin, kMargin, h, first, true);
  DrawCandidates(scene, kMargin, wideTop, h, wide, true);
  DrawCandidates(scene, kMargin * 2 + leftWidth, kMargin, v, column, false);
  scene.Fill({kMargin, stripTop, leftWidth, stripHeight}, kDarkBackdrop);
  DrawStatus(scene, kMargin * 2, stripTop + kMargin, false);
  DrawStatus(scene, kMargin * 3 + statusWidth, stripTop + kMargin, true);
  return scene;
}

}  // namespace skin_builder
