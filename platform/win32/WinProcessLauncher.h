#pragma once

#include "platform/ProcessLauncher.h"

// Starts the program minimised and lets it take the focus, so the user sees it on the taskbar
// and can bring it up at once.
class WinProcessLauncher : public ProcessLauncher {
public:
    std::string startDetached(const std::filesystem::path& program) override;
};
