#pragma once
// Where the program's own files are. The build tree keeps the shipped data files in
// "resources" beside the binaries; a package puts them in "share/talver" beside its "bin"
// folder. Both programs look in both places, so that the same binaries run from the build
// folder, from an unpacked package under any prefix and from /usr.
#include <filesystem>

namespace talver {

// The folder of the running executable, symbolic links resolved; empty when the system does
// not say.
std::filesystem::path ExecutableFolder();

// The folder of the shipped data files for a program in `programFolder`: its "resources"
// folder when there is one, else "../share/talver" when there is that. With neither, the
// "resources" folder (where nothing is found).
std::filesystem::path ShippedDataFolder(const std::filesystem::path& programFolder);

}  // namespace talver
