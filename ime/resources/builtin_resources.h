#pragma once

#include "platform/ports/resources.h"

namespace ime {

// Names and ids of the resources the module carries.
inline constexpr std::string_view kFullWidthResource = "FULLABC";
inline constexpr std::string_view kBuiltinSkinResource = "CONFILE";
inline constexpr int kDefaultSettingsString = 2007;

// The module's own resources, compiled into it.
const platform::Resources& BuiltinResources();

}  // namespace ime
