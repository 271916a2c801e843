#include "platform/headless/HeadlessModuleLoader.h"

#include "platform/LastError.h"

namespace platform {

namespace {

class HeadlessModule final : public Module {
public:
    explicit HeadlessModule(const HeadlessModuleLoader::Exports& exports) : exports_(exports) {}
    void* GetProcAddress(std::string_view name) const override {
        const auto found = exports_.find(std::string(name));
        return found == exports_.end() ? nullptr : found->second;
    }

private:
    HeadlessModuleLoader::Exports exports_;
};

}  // namespace

std::unique_ptr<Module> HeadlessModuleLoader::LoadLibrary(std::string_view name) {
    const auto found = modules_.find(name);
    if (found == modules_.end()) {
        SetLastError(2, std::string(name) + ": cannot open shared object file: No such file or directory");
        return nullptr;
    }
    ++loads_;
    return std::make_unique<HeadlessModule>(found->second);
}

}  // namespace platform
