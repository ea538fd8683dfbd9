#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/ports/resources.h"

namespace platform {

// Resources given by the test or program that hosts the module.
class SimResources final : public Resources {
 public:
  void SetRawData(std::string name, std::span<const std::uint8_t> bytes) {
    raw_[std::move(name)].assign(bytes.begin(), bytes.end());
  }
  void SetString(int id, std::u16string text) { strings_[id] = std::move(text); }

  std::span<const std::uint8_t> RawData(std::string_view name) const override {
    const auto found = raw_.find(name);
    return found == raw_.end() ? std::span<const std::uint8_t>() : found->second;
  }
  std::u16string String(int id) const override {
    const auto found = strings_.find(id);
    return found == strings_.end() ? std::u16string() : found->second;
  }

 private:
  std::map<std::string, std::vector<std::uint8_t>, std::less<>> raw_;
  std::map<int, std::u16string> strings_;
};

}  // namespace platform
