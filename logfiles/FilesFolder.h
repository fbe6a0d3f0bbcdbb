#pragma once

#include <filesystem>

namespace logfiles {

// The folder that holds the logs folder and loggersettings.txt, the same for both programs
// so that the viewer always finds the logger's logs. It is the program's own folder where
// that folder can be written (a portable folder, a build), so a copied folder takes its logs
// along. The installed programs cannot write theirs: they use the user's data folder
// instead. Writes nothing (on Windows, where permissions can only be tried, a probe file
// comes and goes).
std::filesystem::path filesFolder(const std::filesystem::path& programFolder);

// The user's data folder for the programs: $XDG_DATA_HOME/kelvo, else ~/.local/share/kelvo
// (%LOCALAPPDATA%\kelvo on Windows); empty when the environment names neither.
std::filesystem::path userFilesFolder();

} // namespace logfiles
