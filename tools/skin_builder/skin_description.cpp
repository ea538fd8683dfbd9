#include "tools/skin_builder/skin_description.h"

#include <array>
#include <charconv>
#include <filesystem>
#include <limits>
#include <utility>

#include "tools/skin_builder/glyph_painter.h"

namespace skin_builder {
namespace {

using formats::ModeLayout;
using formats::SkinRect;
using formats::WindowLayout;

template <typename Layout>
struct Field {
  std::string_view name;
  SkinRect Layout::*member;
};

constexpr std::array<Field<ModeLayout>, 13> kModeFields = {{
    {"bgRect", &ModeLayout::bgRect},
    {"sepRect1", &ModeLayout::sepRect1},
    {"sepRect2", &ModeLayout::sepRect2},
    {"compRect", &ModeLayout::compRect},
    {"pageRect", &ModeLayout::pageRect},
    {"charRect", &ModeLayout::charRect},
    {"wordRect", &ModeLayout::wordRect},
    {"prevRect", &ModeLayout::prevRect},
    {"nextRect", &ModeLayout::nextRect},
    {"prevPic", &ModeLayout::prevPic},
    {"nextPic", &ModeLayout::nextPic},
    {"splitX", &ModeLayout::splitX},
    {"splitY", &ModeLayout::splitY},
}};

constexpr std::array<Field<WindowLayout>, 14> kWindowFields = {{
    {"statusBg", &WindowLayout::statusBg},
    {"button1", &WindowLayout::button1},
    {"button1Pressed", &WindowLayout::button1Pressed},
    {"button2", &WindowLayout::button2},
    {"button2Pressed", &WindowLayout::button2Pressed},
    {"button3", &WindowLayout::button3},
    {"button3Pressed", &WindowLayout::button3Pressed},
    {"button4", &WindowLayout::button4},
    {"button4Pressed", &WindowLayout::button4Pressed},
    {"button5", &WindowLayout::button5},
    {"button6", &WindowLayout::button6},
    {"button7", &WindowLayout::button7},
    {"button7Pressed", &WindowLayout::button7Pressed},
    {"button8", &WindowLayout::button8},
}};

// A pressed image is as large as its button, whose rectangle is inclusive.
constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kPressedImages = {{
    {"button1Pressed", "button1"},
    {"button2Pressed", "button2"},
    {"button3Pressed", "button3"},
    {"button4Pressed", "button4"},
    {"button7Pressed", "button7"},
}};

std::vector<std::string_view> SplitWords(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (true) {
    i = line.find_first_not_of(" \t\r", i);
    if (i == std::string_view::npos) break;
    const std::size_t end = std::min(line.find_first_of(" \t\r", i), line.size());
    words.push_back(line.substr(i, end - i));
    i = end;
  }
  return words;
}

class Parser {
 public:
  Parser(std::string_view text, const std::string& file) : text_(text) { skin_.file = file; }

  SkinDescription Run() {
    std::size_t start = 0;
    while (start <= text_.size()) {
      const std::size_t end = std::min(text_.find('\n', start), text_.size());
      ++line_;
      words_ = SplitWords(text_.substr(start, end - start));
      if (!words_.empty() && words_[0][0] != '#') Statement();
      start = end + 1;
    }
    line_ = 0;
    CheckComplete();
    return std::move(skin_);
  }

 private:
  [[noreturn]] void Fail(const std::string& message) const {
    throw DescriptionError(skin_.file, line_, message);
  }

  void Expect(std::size_t count, std::string_view usage) const {
    if (words_.size() != count) Fail("expected: " + std::string(usage));
  }

  int Int(std::size_t at) const {
    int value = 0;
    const std::string_view w = words_.at(at);
    const auto [end, error] = std::from_chars(w.data(), w.data() + w.size(), value);
    if (error != std::errc() || end != w.data() + w.size()) {
      Fail("'" + std::string(w) + "' is not a whole number");
    }
    return value;
  }

  double Real(std::string_view w) const {
    double value = 0;
    const auto [end, error] = std::from_chars(w.data(), w.data() + w.size(), value);
    if (error != std::errc() || end != w.data() + w.size()) {
      Fail("'" + std::string(w) + "' is not a number");
    }
    return value;
  }

  Rgb Colour(std::size_t at) const {
    const std::string_view w = words_.at(at);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(w.data() + 1, w.data() + w.size(), value, 16);
    if (w.size() != 7 || w[0] != '#' || error != std::errc() || end != w.data() + w.size()) {
      Fail("'" + std::string(w) + "' is not a colour #RRGGBB");
    }
    return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value)};
  }

  // Drawing happens in the coordinates of the latest `origin` and must stay on the picture,
  // because art drawn off the picture is always a slip in the description.
  Box PictureBox(std::size_t at) const {
    const Box box{origin_.x + Int(at), origin_.y + Int(at + 1), Int(at + 2), Int(at + 3)};
    if (box.w <= 0 || box.h <= 0) Fail("a box needs a positive width and height");
    RequirePicture();
    if (box.x < 0 || box.y < 0 || box.x + box.w > skin_.width || box.y + box.h > skin_.height) {
      Fail("box reaches outside the " + std::to_string(skin_.width) + "x" +
           std::to_string(skin_.height) + " picture");
    }
    return box;
  }

  void RequirePicture() const {
    if (skin_.width == 0) Fail("'picture' must come before any drawing");
  }

  void Statement() {
    const std::string_view keyword = words_[0];
    if (keyword == "picture") {
      Expect(4, "picture <width> <height> <colour>");
      if (skin_.width != 0) Fail("'picture' is given twice");
      skin_.width = Int(1);
      skin_.height = Int(2);
      if (skin_.width <= 0 || skin_.height <= 0) Fail("the picture needs a positive size");
      skin_.background = Colour(3);
    } else if (keyword == "text-colour" || keyword == "separator-colour") {
      Expect(2, std::string(keyword) + " <colour>");
      const bool text = keyword == "text-colour";
      std::optional<std::uint32_t>& seen = text ? textColour_ : separatorColour_;
      if (seen) Fail("'" + std::string(keyword) + "' is given twice");
      const Rgb c = Colour(1);
      seen = static_cast<std::uint32_t>(c.r) | (static_cast<std::uint32_t>(c.g) << 8) |
             (static_cast<std::uint32_t>(c.b) << 16);
      (text ? skin_.textColour : skin_.separatorColour) = *seen;
    } else if (keyword == "horizontal") {
      LayoutField(skin_.horizontal, kModeFields);
    } else if (keyword == "vertical") {
      LayoutField(skin_.vertical, kModeFields);
    } else if (keyword == "window") {
      LayoutField(skin_.window, kWindowFields);
    } else if (keyword == "font") {
      Font();
    } else if (keyword == "status-region") {
      Expect(2, "status-region <pixels>");
      skin_.statusRegion = Int(1);
      skin_.statusRegionLine = line_;
    } else if (keyword == "preview-font") {
      Expect(3, "preview-font <font> <pixels>");
      skin_.previewFont = std::string(KnownFont(1));
      skin_.previewPixels = Int(2);
    } else if (keyword == "origin") {
      Expect(3, "origin <x> <y>");
      origin_ = {Int(1), Int(2), 0, 0};
    } else {
      Draw(keyword);
    }
  }

  void Draw(std::string_view keyword) {
    DrawOp op{line_, {}};
    if (keyword == "fill") {
      Expect(6, "fill <x> <y> <w> <h> <colour>");
      op.what = FillOp{PictureBox(1), Colour(5)};
    } else if (keyword == "gradient") {
      Expect(7, "gradient <x> <y> <w> <h> <top colour> <bottom colour>");
      op.what = GradientOp{PictureBox(1), Colour(5), Colour(6)};
    } else if (keyword == "round") {
      op.what = Round();
    } else if (keyword == "polygon") {
      op.what = Polygon();
    } else if (keyword == "text") {
      Expect(9, "text <font> <pixels> <colour> <x> <y> <w> <h> <text>");
      std::optional<std::u32string> text = DecodeUtf8(words_[8]);
      if (!text) Fail("the text is not UTF-8");
      op.what = TextOp{std::string(KnownFont(1)), Int(2), Colour(3), PictureBox(4), *text};
    } else if (keyword == "copy") {
      Expect(7, "copy <from x> <from y> <w> <h> <to x> <to y>");
      const Box from = PictureBox(1);
      const Box to{origin_.x + Int(5), origin_.y + Int(6), from.w, from.h};
      if (to.x < 0 || to.y < 0 || to.x + to.w > skin_.width || to.y + to.h > skin_.height) {
        Fail("the copy reaches outside the picture");
      }
      op.what = CopyOp{from.x, from.y, to};
    } else {
      Fail("unknown statement '" + std::string(keyword) + "'");
    }
    skin_.ops.push_back(std::move(op));
  }

  RoundOp Round() const {
    const std::string_view usage =
        "round <x> <y> <w> <h> <radius>[,<radius> x3] <colour> [<bottom colour>] [hard]";
    if (words_.size() < 7 || words_.size() > 9) Fail("expected: " + std::string(usage));
    RoundOp op;
    op.box = PictureBox(1);
    std::vector<std::string_view> radii;
    for (std::string_view rest = words_[5];;) {
      const std::size_t comma = rest.find(',');
      radii.push_back(rest.substr(0, comma));
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
    if (radii.size() != 1 && radii.size() != 4) Fail("give one corner radius or four");
    for (std::size_t i = 0; i < 4; ++i) {
      op.radii[i] = Real(radii[radii.size() == 1 ? 0 : i]);
      if (op.radii[i] < 0 || op.radii[i] * 2 > std::min(op.box.w, op.box.h)) {
        Fail("a corner radius must lie between 0 and half the box");
      }
    }
    op.top = op.bottom = Colour(6);
    std::size_t next = 7;
    if (words_.size() > next && words_[next] != "hard") op.bottom = Colour(next++);
    if (words_.size() > next) {
      if (words_[next] != "hard") Fail("expected: " + std::string(usage));
      op.hard = true;
      ++next;
    }
    if (next != words_.size()) Fail("expected: " + std::string(usage));
    return op;
  }

  PolygonOp Polygon() const {
    if (words_.size() < 8 || words_.size() % 2 != 0) {
      Fail("expected: polygon <colour> <x> <y> <x> <y> <x> <y> [<x> <y> ...]");
    }
    RequirePicture();
    PolygonOp op{{}, Colour(1)};
    for (std::size_t i = 2; i < words_.size(); i += 2) {
      const Point p{origin_.x + Real(words_[i]), origin_.y + Real(words_[i + 1])};
      if (p.x < 0 || p.y < 0 || p.x > skin_.width || p.y > skin_.height) {
        Fail("polygon point lies outside the picture");
      }
      op.points.push_back(p);
    }
    return op;
  }

  void Font() {
    if (words_.size() != 3 && words_.size() != 4) {
      Fail("expected: font <name> <path> [<face index>]");
    }
    std::filesystem::path path(words_[2]);
    if (path.is_relative()) path = std::filesystem::path(skin_.file).parent_path() / path;
    if (!skin_.fonts.emplace(std::string(words_[1]), FontSpec{path.string(), 0}).second) {
      Fail("font '" + std::string(words_[1]) + "' is defined twice");
    }
    if (words_.size() == 4) skin_.fonts[std::string(words_[1])].faceIndex = Int(3);
  }

  std::string_view KnownFont(std::size_t at) const {
    if (!skin_.fonts.contains(std::string(words_[at]))) {
      Fail("font '" + std::string(words_[at]) + "' is not defined above");
    }
    return words_[at];
  }

  template <typename Layout, std::size_t N>
  void LayoutField(Layout& layout, const std::array<Field<Layout>, N>& fields) {
    Expect(6, std::string(words_[0]) + " <field> <left> <top> <right> <bottom>");
    for (const Field<Layout>& field : fields) {
      if (field.name != words_[1]) continue;
      const std::string key = std::string(words_[0]) + " " + std::string(field.name);
      if (!fieldLines_.emplace(key, line_).second) Fail("'" + key + "' is given twice");
      std::array<std::int16_t, 4> v{};
      for (std::size_t i = 0; i < 4; ++i) {
        const int n = Int(2 + i);
        if (n < std::numeric_limits<std::int16_t>::min() ||
            n > std::numeric_limits<std::int16_t>::max()) {
          Fail("coordinate " + std::to_string(n) + " does not fit 16 bits");
        }
        v[i] = static_cast<std::int16_t>(n);
      }
      layout.*field.member = {v[0], v[1], v[2], v[3]};
      return;
    }
    Fail("'" + std::string(words_[1]) + "' is no field of the " + std::string(words_[0]) +
         " layout");
  }

  template <typename Layout, std::size_t N>
  void RequireFields(std::string_view block, const std::array<Field<Layout>, N>& fields) const {
    for (const Field<Layout>& field : fields) {
      const std::string key = std::string(block) + " " + std::string(field.name);
      if (!fieldLines_.contains(key)) Fail("'" + key + "' is not given");
    }
  }

  // Picture rectangles decide what the windows cut out, so one that misses the picture would
  // leave a window blank; catch it here at the line that gave it.
  void RequireOnPicture(const std::string& key, int left, int top, int right, int bottom) {
    if (left < 0 || top < 0 || right > skin_.width || bottom > skin_.height || left >= right ||
        top >= bottom) {
      line_ = fieldLines_.at(key);
      Fail("'" + key + "' does not lie on the picture");
    }
  }

  void CheckComplete() {
    if (skin_.width == 0) Fail("'picture' is not given");
    if (!textColour_) Fail("'text-colour' is not given");
    if (!separatorColour_) Fail("'separator-colour' is not given");
    RequireFields("horizontal", kModeFields);
    RequireFields("vertical", kModeFields);
    RequireFields("window", kWindowFields);
    for (const auto& [block, layout] :
         {std::pair{"horizontal", &skin_.horizontal}, std::pair{"vertical", &skin_.vertical}}) {
      for (const auto& [name, rect] :
           {std::pair{"bgRect", layout->bgRect}, std::pair{"prevPic", layout->prevPic},
            std::pair{"nextPic", layout->nextPic}}) {
        RequireOnPicture(std::string(block) + " " + name, rect.left, rect.top, rect.right,
                         rect.bottom);
      }
    }
    const SkinRect& bg = skin_.window.statusBg;
    RequireOnPicture("window statusBg", bg.left, bg.top, bg.right + 1, bg.bottom + 1);
    for (const auto& [pressed, button] : kPressedImages) {
      const SkinRect& image = skin_.window.*FindWindowField(pressed);
      const SkinRect& size = skin_.window.*FindWindowField(button);
      RequireOnPicture("window " + std::string(pressed), image.left, image.top,
                       image.left + size.right - size.left + 1,
                       image.top + size.bottom - size.top + 1);
    }
  }

  static SkinRect WindowLayout::*FindWindowField(std::string_view name) {
    for (const Field<WindowLayout>& field : kWindowFields) {
      if (field.name == name) return field.member;
    }
    return nullptr;
  }

  std::string_view text_;
  SkinDescription skin_;
  int line_ = 0;
  std::vector<std::string_view> words_;
  Box origin_;
  std::optional<std::uint32_t> textColour_;
  std::optional<std::uint32_t> separatorColour_;
  std::map<std::string, int> fieldLines_;
};

std::string Located(const std::string& file, int line, const std::string& message) {
  return file + (line > 0 ? ":" + std::to_string(line) : "") + ": " + message;
}

}  // namespace

DescriptionError::DescriptionError(const std::string& file, int line, const std::string& message)
    : std::runtime_error(Located(file, line, message)), line_(line) {}

SkinDescription ParseSkinDescription(std::string_view text, const std::string& file) {
  return Parser(text, file).Run();
}

}  // namespace skin_builder
