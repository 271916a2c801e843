#include "platform/linux/DlModuleLoader.h"

#include <dlfcn.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include "platform/LastError.h"
#include "platform/linux/SharedObjectDamage.h"

namespace platform {

namespace {

class DlModule final : public Module {
public:
    explicit DlModule(void* handle) : handle_(handle) {}
    ~DlModule() override { dlclose(handle_); }
    DlModule(const DlModule&) = delete;
    DlModule& operator=(const DlModule&) = delete;

    void* GetProcAddress(std::string_view name) const override {
        return dlsym(handle_, std::string(name).c_str());
    }

private:
    void* handle_;
};

// The folder of the running program, empty when it cannot be told.
std::filesystem::path ProgramFolder() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

std::unique_ptr<Module> Fail(int code, const std::string& reason) {
    std::fprintf(stderr, "deckfall: %s\n", reason.c_str());
    SetLastError(code, reason);
    return nullptr;
}

}  // namespace

DlModuleLoader::DlModuleLoader() : folder_(ProgramFolder()) {}

std::unique_ptr<Module> DlModuleLoader::LoadLibrary(std::string_view name) {
    std::string path(name);
    if (path.find('/') == std::string::npos && !folder_.empty()) {
        std::error_code error;
        if (std::filesystem::exists(folder_ / path, error)) path = (folder_ / path).string();
    }
    // The linker maps what the file's headers promise; a file cut short would fault in there.
    if (path.find('/') != std::string::npos) {
        if (const auto damage = SharedObjectDamage(path)) return Fail(ENOEXEC, path + ": " + *damage);
    }
    errno = 0;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const int code = errno != 0 ? errno : ENOEXEC;
        const char* reason = dlerror();
        return Fail(code, reason ? reason : path + ": cannot be loaded");
    }
    return std::make_unique<DlModule>(handle);
}

}  // namespace platform
