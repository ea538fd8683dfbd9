#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/formats/skin_file.h"
#include "tools/skin_builder/canvas.h"

namespace skin_builder {

// A fault in a description, located as compilers do: "file:line: message" (no line when the
// fault is something missing from the whole file).
class DescriptionError : public std::runtime_error {
 public:
  DescriptionError(const std::string& file, int line, const std::string& message);
  int line() const { return line_; }

 private:
  int line_;
};

struct FillOp {
  Box box;
  Rgb colour;
};
struct GradientOp {
  Box box;
  Rgb top;
  Rgb bottom;
};
struct RoundOp {
  Box box;
  CornerRadii radii{};
  Rgb top;
  Rgb bottom;
  bool hard = false;
};
struct PolygonOp {
  std::vector<Point> points;
  Rgb colour;
};
struct TextOp {
  std::string font;
  int pixels = 0;
  Rgb colour;
  Box box;
  std::u32string text;
};
struct CopyOp {
  int fromX = 0;
  int fromY = 0;
  Box to;
};

struct DrawOp {
  int line = 0;
  std::variant<FillOp, GradientOp, RoundOp, PolygonOp, TextOp, CopyOp> what;
};

struct FontSpec {
  std::string path;
  int faceIndex = 0;
};

struct SkinDescription {
  std::string file;  // for error messages
  int width = 0;
  int height = 0;
  Rgb background;
  formats::ModeLayout horizontal;
  formats::ModeLayout vertical;
  formats::WindowLayout window;
  std::uint32_t textColour = 0;       // 0x00BBGGRR, as the skin file stores it
  std::uint32_t separatorColour = 0;  // 0x00BBGGRR
  std::map<std::string, FontSpec> fonts;
  std::vector<DrawOp> ops;
  // Opaque pixel count the status window region must come to, with the line that asked for it.
  std::optional<int> statusRegion;
  int statusRegionLine = 0;
  // Font name and pixel height for the composed preview's candidate text.
  std::optional<std::string> previewFont;
  int previewPixels = 0;
};

// Parses a description; `file` names it in errors and relative font paths start from its folder.
// Throws DescriptionError.
SkinDescription ParseSkinDescription(std::string_view text, const std::string& file);

}  // namespace skin_builder
