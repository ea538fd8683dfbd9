#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace formats {

// Four signed 16-bit coordinates in the order the file stores them.
struct SkinRect {
  std::int16_t left = 0;
  std::int16_t top = 0;
  std::int16_t right = 0;
  std::int16_t bottom = 0;
  friend bool operator==(const SkinRect&, const SkinRect&) = default;
};

// Candidate window layout; rectangles are half-open.
struct ModeLayout {
  SkinRect bgRect;
  SkinRect sepRect1;
  SkinRect sepRect2;
  SkinRect compRect;
  SkinRect pageRect;
  SkinRect charRect;
  SkinRect wordRect;
  SkinRect prevRect;
  SkinRect nextRect;
  SkinRect prevPic;
  SkinRect nextPic;
  SkinRect splitX;
  SkinRect splitY;
  friend bool operator==(const ModeLayout&, const ModeLayout&) = default;
};

// Status window layout; rectangles are inclusive. A pressed image uses only its left and top.
struct WindowLayout {
  SkinRect statusBg;
  SkinRect button1;
  SkinRect button1Pressed;
  SkinRect button2;
  SkinRect button2Pressed;
  SkinRect button3;
  SkinRect button3Pressed;
  SkinRect button4;
  SkinRect button4Pressed;
  SkinRect button5;
  SkinRect button6;
  SkinRect button7;
  SkinRect button7Pressed;
  SkinRect button8;
  friend bool operator==(const WindowLayout&, const WindowLayout&) = default;
};

inline constexpr std::size_t kModeLayoutSize = 104;
inline constexpr std::size_t kWindowLayoutSize = 112;
inline constexpr std::array<std::uint8_t, 3> kSkinMagic = {0x6B, 0x75, 0x7A};  // "kuz"

inline constexpr std::size_t kSkinPictureSizeOffset = 3;
inline constexpr std::size_t kSkinHorizontalOffset = 7;
inline constexpr std::size_t kSkinVerticalOffset = 111;
inline constexpr std::size_t kSkinWindowOffset = 215;
inline constexpr std::size_t kSkinColorOffset = 327;
inline constexpr std::size_t kSkinColor2Offset = 331;
inline constexpr std::size_t kSkinHeaderSize = 335;

struct SkinFile {
  ModeLayout horizontal;
  ModeLayout vertical;
  WindowLayout window;
  std::uint32_t color = 0;                // 0x00BBGGRR
  std::uint32_t color2 = 0;               // 0x00BBGGRR
  std::span<const std::uint8_t> picture;  // points into the parsed bytes
};

bool HasSkinMagic(std::span<const std::uint8_t> bytes);

// Parses a skin. Empty when the magic is wrong, the header is cut short or the picture size
// reaches past the end of the bytes, so that a damaged file is never half used.
std::optional<SkinFile> ParseSkin(std::span<const std::uint8_t> bytes);

// Writes a complete skin file: header, both layout blocks, colours and the encoded picture.
std::vector<std::uint8_t> WriteSkin(const ModeLayout& horizontal, const ModeLayout& vertical,
                                    const WindowLayout& window, std::uint32_t color,
                                    std::uint32_t color2, std::span<const std::uint8_t> picture);

}  // namespace formats
