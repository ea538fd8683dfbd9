#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// The resources linked into the module itself.
class Resources {
 public:
  virtual ~Resources() = default;
  // The bytes of a raw-data resource; empty when the module has none of that name.
  virtual std::span<const std::uint8_t> RawData(std::string_view name) const = 0;
  // An entry of the string table; empty when there is none.
  virtual std::u16string String(int id) const = 0;
};

}  // namespace platform
