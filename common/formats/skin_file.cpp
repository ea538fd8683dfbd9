#include "common/formats/skin_file.h"

#include <algorithm>
#include <array>

#include "common/formats/byte_io.h"

namespace formats {
namespace {

SkinRect LoadRect(std::span<const std::uint8_t> bytes, std::size_t at) {
  return {static_cast<std::int16_t>(LoadU16(bytes, at)),
          static_cast<std::int16_t>(LoadU16(bytes, at + 2)),
          static_cast<std::int16_t>(LoadU16(bytes, at + 4)),
          static_cast<std::int16_t>(LoadU16(bytes, at + 6))};
}

void AppendRect(std::vector<std::uint8_t>& out, const SkinRect& r) {
  for (std::int16_t v : {r.left, r.top, r.right, r.bottom}) {
    AppendU16(out, static_cast<std::uint16_t>(v));
  }
}

// Both layouts are nothing but rectangles, stored in this order.
constexpr std::array<SkinRect ModeLayout::*, 13> kModeFields = {
    &ModeLayout::bgRect,   &ModeLayout::sepRect1, &ModeLayout::sepRect2, &ModeLayout::compRect,
    &ModeLayout::pageRect, &ModeLayout::charRect, &ModeLayout::wordRect, &ModeLayout::prevRect,
    &ModeLayout::nextRect, &ModeLayout::prevPic,  &ModeLayout::nextPic,  &ModeLayout::splitX,
    &ModeLayout::splitY};
constexpr std::array<SkinRect WindowLayout::*, 14> kWindowFields = {
    &WindowLayout::statusBg,       &WindowLayout::button1,        &WindowLayout::button1Pressed,
    &WindowLayout::button2,        &WindowLayout::button2Pressed, &WindowLayout::button3,
    &WindowLayout::button3Pressed, &WindowLayout::button4,        &WindowLayout::button4Pressed,
    &WindowLayout::button5,        &WindowLayout::button6,        &WindowLayout::button7,
    &WindowLayout::button7Pressed, &WindowLayout::button8};
static_assert(kModeFields.size() * 8 == kModeLayoutSize);
static_assert(kWindowFields.size() * 8 == kWindowLayoutSize);

template <typename Layout, std::size_t N>
Layout DecodeLayout(std::span<const std::uint8_t> block,
                    const std::array<SkinRect Layout::*, N>& fields) {
  Layout layout;
  for (std::size_t i = 0; i < N; ++i) layout.*fields[i] = LoadRect(block, i * 8);
  return layout;
}

template <typename Layout, std::size_t N>
void AppendLayout(std::vector<std::uint8_t>& out, const Layout& layout,
                  const std::array<SkinRect Layout::*, N>& fields) {
  for (auto field : fields) AppendRect(out, layout.*field);
}

}  // namespace

bool HasSkinMagic(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= kSkinMagic.size() &&
         std::equal(kSkinMagic.begin(), kSkinMagic.end(), bytes.begin());
}

std::optional<SkinFile> ParseSkin(std::span<const std::uint8_t> bytes) {
  if (!HasSkinMagic(bytes) || bytes.size() < kSkinHeaderSize) return std::nullopt;
  const std::uint32_t pictureSize = LoadU32(bytes, kSkinPictureSizeOffset);
  if (pictureSize > bytes.size() - kSkinHeaderSize) return std::nullopt;
  SkinFile skin;
  skin.horizontal = DecodeLayout(bytes.subspan(kSkinHorizontalOffset), kModeFields);
  skin.vertical = DecodeLayout(bytes.subspan(kSkinVerticalOffset), kModeFields);
  skin.window = DecodeLayout(bytes.subspan(kSkinWindowOffset), kWindowFields);
  skin.color = LoadU32(bytes, kSkinColorOffset);
  skin.color2 = LoadU32(bytes, kSkinColor2Offset);
  skin.picture = bytes.subspan(kSkinHeaderSize, pictureSize);
  return skin;
}

std::vector<std::uint8_t> WriteSkin(const ModeLayout& horizontal, const ModeLayout& vertical,
                                    const WindowLayout& window, std::uint32_t color,
                                    std::uint32_t color2, std::span<const std::uint8_t> picture) {
  std::vector<std::uint8_t> out(kSkinMagic.begin(), kSkinMagic.end());
  out.reserve(kSkinHeaderSize + picture.size());
  AppendU32(out, static_cast<std::uint32_t>(picture.size()));
  AppendLayout(out, horizontal, kModeFields);
  AppendLayout(out, vertical, kModeFields);
  AppendLayout(out, window, kWindowFields);
  AppendU32(out, color);
  AppendU32(out, color2);
  out.insert(out.end(), picture.begin(), picture.end());
  return out;
}

}  // namespace formats
