#pragma once
// Modules made of in-process functions, registered by name, for tests that
// must not load a real shared library.

#include <map>
#include <string>

#include "platform/ModuleLoader.h"

namespace platform {

class HeadlessModuleLoader final : public ModuleLoader {
public:
    using Exports = std::map<std::string, void*>;

    void Register(std::string name, Exports exports) { modules_[std::move(name)] = std::move(exports); }
    std::unique_ptr<Module> LoadLibrary(std::string_view name) override;
    std::string Folder() const override { return "/opt/deckfall"; }
    int LoadCount() const { return loads_; }

private:
    std::map<std::string, Exports, std::less<>> modules_;
    int loads_ = 0;
};

}  // namespace platform
