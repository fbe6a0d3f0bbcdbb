#pragma once

#include "platform/ProcessLauncher.h"

class QtProcessLauncher : public ProcessLauncher {
public:
    std::string startDetached(const std::filesystem::path& program) override;
};
