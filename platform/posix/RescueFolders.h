#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The user's folders, best first, that keep a program's files when its own folder cannot:
// its state folder, its data folder, then a folder of its own in the temporary folder.
std::vector<std::filesystem::path> rescueFolders(const std::string& programName);
