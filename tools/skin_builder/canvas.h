#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace skin_builder {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A pixel box: left, top, width, height.
struct Box {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

struct Point {
  double x = 0;
  double y = 0;
};

// Corner radii in the order top-left, top-right, bottom-right, bottom-left.
using CornerRadii = std::array<double, 4>;

// An RGB picture with the few drawing operations a skin needs. Everything clips to the picture,
// and shapes are anti-aliased by supersampling unless asked to be hard-edged, which matters for
// art whose outer edge decides a window region and so must not blend into the transparent colour.
class Canvas {
 public:
  Canvas(int width, int height, Rgb background);

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb At(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, Rgb colour);
  // Mixes colour into the pixel with the given opacity (0 to 1).
  void Blend(int x, int y, Rgb colour, double alpha);

  void Fill(const Box& box, Rgb colour);
  // Top row in `top`, bottom row in `bottom`, rows between mixed linearly.
  void FillGradient(const Box& box, Rgb top, Rgb bottom);
  void FillRounded(const Box& box, const CornerRadii& radii, Rgb top, Rgb bottom, bool hard);
  void FillPolygon(std::span<const Point> points, Rgb colour);
  // Copies a part of this picture elsewhere in it; the two parts may overlap.
  void CopyWithin(int fromX, int fromY, const Box& to);
  // Nearest-neighbour copy of `from` in `source` onto `to` in this picture.
  void DrawStretched(const Canvas& source, const Box& from, const Box& to);

  Canvas ScaledUp(int factor) const;
  // Rows top-down, three bytes R, G, B per pixel, no padding.
  std::vector<std::uint8_t> RgbBytes() const;

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // Paints the pixels of `box` covered by a shape, given a test of single sample points.
  template <typename Inside, typename ColourAt>
  void FillCoverage(const Box& box, bool hard, Inside inside, ColourAt colourAt);

  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

Rgb Mix(Rgb from, Rgb to, double t);

}  // namespace skin_builder
