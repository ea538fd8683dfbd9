#include "ime/resources/builtin_resources.h"

#include <array>
#include <cstddef>

extern const unsigned char velmo_confile[];
extern const std::size_t velmo_confile_size;

namespace ime {
namespace {

// U+3000, then the full-width forms U+FF01 to U+FF5E: entry i is the full-width form of the
// character 0x20 + i, as little-endian UTF-16.
constexpr std::array<std::uint8_t, 190> MakeFullWidthTable() {
  std::array<std::uint8_t, 190> bytes{};
  for (std::size_t i = 0; i < 95; ++i) {
    const char16_t unit = i == 0 ? u'\u3000' : static_cast<char16_t>(0xFF00 + i);
    bytes[2 * i] = static_cast<std::uint8_t>(unit & 0xFF);
    bytes[2 * i + 1] = static_cast<std::uint8_t>(unit >> 8);
  }
  return bytes;
}
constexpr std::array<std::uint8_t, 190> kFullWidthTable = MakeFullWidthTable();

constexpr char16_t kDefaultSettings[] =
    u"[BaseConfig]\nASSIO=0\nMAXZI=5\nMAXCI=5\nKEYMODE=1\nSHOWMODE=1\nFONTSIZE=16\n"
    u"SKINNAME=bb.data\n";

class EmbeddedResources final : public platform::Resources {
 public:
  std::span<const std::uint8_t> RawData(std::string_view name) const override {
    if (name == kFullWidthResource) return kFullWidthTable;
    if (name == kBuiltinSkinResource) return {velmo_confile, velmo_confile_size};
    return {};
  }
  std::u16string String(int id) const override {
    return id == kDefaultSettingsString ? std::u16string(kDefaultSettings) : std::u16string();
  }
};

}  // namespace

const platform::Resources& BuiltinResources() {
  static const EmbeddedResources resources;
  return resources;
}

}  // namespace ime
