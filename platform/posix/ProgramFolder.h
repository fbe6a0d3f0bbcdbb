#pragma once

#include <filesystem>

// The folder that holds the running program, links resolved: where the logger finds the
// viewer, and where both programs keep their files when they can (logfiles::filesFolder).
// Asked before any window or application object exists, so --help can name the files.
std::filesystem::path runningProgramFolder(const char* argv0);
