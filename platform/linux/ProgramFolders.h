#pragma once

#include <filesystem>

namespace platform {

// Where the program's card library and its data (songs, help) lie. In the build tree
// both are the program's own folder. Installed, they are folders of the install prefix,
// found from the program's folder by the relative paths the build was configured with,
// so an installed tree can be moved or run from a staging folder as it is.
struct ProgramFolders {
    std::filesystem::path library;
    std::filesystem::path data;
};

// programFolder is the folder of the executable; libraryFromProgram and dataFromProgram are
// relative paths from it. The installed layout is taken when its data folder exists.
ProgramFolders FindProgramFolders(const std::filesystem::path& programFolder,
                                  const std::filesystem::path& libraryFromProgram,
                                  const std::filesystem::path& dataFromProgram);

// The folders of the running program, as installed by this build; empty when
// /proc/self/exe cannot be read.
ProgramFolders RunningProgramFolders();

// Makes the data folder the current folder, where the songs and the help are opened by
// their bare names. Says on stderr when it cannot, and the game goes on without them.
void EnterDataFolder(const ProgramFolders& folders);

}  // namespace platform
