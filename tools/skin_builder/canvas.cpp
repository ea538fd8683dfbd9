#include "tools/skin_builder/canvas.h"

#include <algorithm>
#include <cmath>

namespace skin_builder {
namespace {

// 8 x 8 samples give 64 coverage levels, plenty for edges a few pixels long.
constexpr int kSamples = 8;

std::uint8_t MixChannel(std::uint8_t from, std::uint8_t to, double t) {
  return static_cast<std::uint8_t>(std::lround(from + (to - from) * t));
}

bool InsideRounded(const Box& box, const CornerRadii& radii, double px, double py) {
  const double left = box.x;
  const double top = box.y;
  const double right = box.x + box.w;
  const double bottom = box.y + box.h;
  if (px < left || px > right || py < top || py > bottom) return false;
  // The corner a point falls in depends on which quarter of the box it lies in.
  const bool onLeft = px < left + box.w / 2.0;
  const bool onTop = py < top + box.h / 2.0;
  const double r = radii[onTop ? (onLeft ? 0 : 1) : (onLeft ? 3 : 2)];
  const double cx = onLeft ? left + r : right - r;
  const double cy = onTop ? top + r : bottom - r;
  const bool beyondX = onLeft ? px < cx : px > cx;
  const bool beyondY = onTop ? py < cy : py > cy;
  if (!beyondX || !beyondY) return true;
  return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r;
}

// Even-odd rule, so that a star-shaped outline needs no winding care.
bool InsidePolygon(std::span<const Point> points, double px, double py) {
  bool inside = false;
  for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
    const Point& a = points[i];
    const Point& b = points[j];
    if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x) {
      inside = !inside;
    }
  }
  return inside;
}

}  // namespace

Rgb Mix(Rgb from, Rgb to, double t) {
  return {MixChannel(from.r, to.r, t), MixChannel(from.g, to.g, t), MixChannel(from.b, to.b, t)};
}

Canvas::Canvas(int width, int height, Rgb background)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background) {}

void Canvas::Set(int x, int y, Rgb colour) {
  if (Contains(x, y)) pixels_[Index(x, y)] = colour;
}

void Canvas::Blend(int x, int y, Rgb colour, double alpha) {
  if (!Contains(x, y) || alpha <= 0) return;
  Rgb& pixel = pixels_[Index(x, y)];
  pixel = Mix(pixel, colour, std::min(alpha, 1.0));
}

void Canvas::Fill(const Box& box, Rgb colour) {
  FillGradient(box, colour, colour);
}

void Canvas::FillGradient(const Box& box, Rgb top, Rgb bottom) {
  for (int y = box.y; y < box.y + box.h; ++y) {
    const double t = box.h > 1 ? static_cast<double>(y - box.y) / (box.h - 1) : 0.0;
    const Rgb colour = Mix(top, bottom, t);
    for (int x = box.x; x < box.x + box.w; ++x) Set(x, y, colour);
  }
}

template <typename Inside, typename ColourAt>
void Canvas::FillCoverage(const Box& box, bool hard, Inside inside, ColourAt colourAt) {
  for (int y = box.y; y < box.y + box.h; ++y) {
    for (int x = box.x; x < box.x + box.w; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          hits += inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples) ? 1 : 0;
        }
      }
      const double coverage = static_cast<double>(hits) / (kSamples * kSamples);
      if (hard) {
        if (coverage >= 0.5) Set(x, y, colourAt(y));
      } else {
        Blend(x, y, colourAt(y), coverage);
      }
    }
  }
}

void Canvas::FillRounded(const Box& box, const CornerRadii& radii, Rgb top, Rgb bottom, bool hard) {
  FillCoverage(
      box, hard, [&](double px, double py) { return InsideRounded(box, radii, px, py); },
      [&](int y) {
        return Mix(top, bottom, box.h > 1 ? static_cast<double>(y - box.y) / (box.h - 1) : 0.0);
      });
}

void Canvas::FillPolygon(std::span<const Point> points, Rgb colour) {
  if (points.size() < 3) return;
  double minX = points[0].x, maxX = points[0].x, minY = points[0].y, maxY = points[0].y;
  for (const Point& p : points) {
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  const int left = static_cast<int>(std::floor(minX));
  const int top = static_cast<int>(std::floor(minY));
  const Box bounds{left, top, static_cast<int>(std::ceil(maxX)) - left,
                   static_cast<int>(std::ceil(maxY)) - top};
  FillCoverage(
      bounds, false, [&](double px, double py) { return InsidePolygon(points, px, py); },
      [&](int) { return colour; });
}

void Canvas::CopyWithin(int fromX, int fromY, const Box& to) {
  const Canvas snapshot = *this;
  DrawStretched(snapshot, {fromX, fromY, to.w, to.h}, to);
}

void Canvas::DrawStretched(const Canvas& source, const Box& from, const Box& to) {
  if (from.w <= 0 || from.h <= 0) return;
  for (int y = 0; y < to.h; ++y) {
    const int sy = from.y + y * from.h / to.h;
    for (int x = 0; x < to.w; ++x) {
      const int sx = from.x + x * from.w / to.w;
      if (source.Contains(sx, sy)) Set(to.x + x, to.y + y, source.At(sx, sy));
    }
  }
}

Canvas Canvas::ScaledUp(int factor) const {
  Canvas scaled(width_ * factor, height_ * factor, {});
  scaled.DrawStretched(*this, {0, 0, width_, height_}, {0, 0, scaled.width_, scaled.height_});
  return scaled;
}

std::vector<std::uint8_t> Canvas::RgbBytes() const {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(pixels_.size() * 3);
  for (const Rgb& p : pixels_) bytes.insert(bytes.end(), {p.r, p.g, p.b});
  return bytes;
}

}  // namespace skin_builder
