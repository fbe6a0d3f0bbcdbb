#pragma once

#include "Backend.h"

#include <memory>
#include <string>

namespace registry {

// The registry of the system the program runs on: Windows' own, or elsewhere the user's own
// in $XDG_CONFIG_HOME (~/.config when unset), with the Run key as XDG autostart entries.
std::unique_ptr<Backend> systemRegistry(const std::string& programName);

} // namespace registry
