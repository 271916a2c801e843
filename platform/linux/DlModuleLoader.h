#pragma once

#include "platform/ModuleLoader.h"

namespace platform {

// Shared libraries through dlopen. A bare name is looked for beside the running
// program first, then where the dynamic linker looks.
class DlModuleLoader final : public ModuleLoader {
public:
    std::unique_ptr<Module> LoadLibrary(std::string_view name) override;
};

}  // namespace platform
