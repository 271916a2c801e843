#include "platform/linux/ProgramFolders.h"

#include <cstdio>
#include <system_error>

namespace platform {

ProgramFolders FindProgramFolders(const std::filesystem::path& programFolder,
                                  const std::filesystem::path& libraryFromProgram,
                                  const std::filesystem::path& dataFromProgram) {
    std::error_code error;
    const auto data = (programFolder / dataFromProgram).lexically_normal();
    if (!dataFromProgram.empty() && std::filesystem::is_directory(data, error))
        return {(programFolder / libraryFromProgram).lexically_normal(), data};
    return {programFolder, programFolder};
}

ProgramFolders RunningProgramFolders() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return FindProgramFolders(program.parent_path(), DECKFALL_LIBRARY_FROM_PROGRAM,
                              DECKFALL_DATA_FROM_PROGRAM);
}

void EnterDataFolder(const ProgramFolders& folders) {
    std::error_code error;
    if (folders.data.empty())
        std::fprintf(stderr,
                     "deckfall: the program's folder is unknown; songs and help are looked for here\n");
    else if (std::filesystem::current_path(folders.data, error); error)
        std::fprintf(stderr, "deckfall: cannot enter %s: %s\n", folders.data.c_str(),
                     error.message().c_str());
}

}  // namespace platform
