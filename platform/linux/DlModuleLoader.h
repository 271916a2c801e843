#pragma once

#include <filesystem>

#include "platform/ModuleLoader.h"

namespace platform {

// Shared libraries through dlopen. A bare name is looked for in the folder, by
// default the running program's, first, then where the dynamic linker looks.
// Why a library cannot be loaded goes to stderr as well as into the last error.
class DlModuleLoader final : public ModuleLoader {
public:
    DlModuleLoader();
    explicit DlModuleLoader(std::filesystem::path folder) : folder_(std::move(folder)) {}

    std::unique_ptr<Module> LoadLibrary(std::string_view name) override;
    std::string Folder() const override { return folder_.string(); }

private:
    std::filesystem::path folder_;
};

}  // namespace platform
