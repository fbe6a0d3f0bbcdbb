#pragma once

#include <string>
#include <string_view>

namespace registry {

// The text with each %NAME% of a defined environment variable replaced by its value. A
// reference to an undefined variable stays as it is.
std::string expandEnvironment(std::string_view text);

} // namespace registry
