#include "platform/linux/DlModuleLoader.h"

#include <dlfcn.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/LastError.h"

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

}  // namespace

std::unique_ptr<Module> DlModuleLoader::LoadLibrary(std::string_view name) {
    std::string path(name);
    if (path.find('/') == std::string::npos) {
        const auto folder = ProgramFolder();
        std::error_code error;
        if (!folder.empty() && std::filesystem::exists(folder / path, error)) {
            path = (folder / path).string();
        }
    }
    errno = 0;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const int code = errno != 0 ? errno : ENOEXEC;
        const char* reason = dlerror();
        SetLastError(code, reason ? reason : path + ": cannot be loaded");
        return nullptr;
    }
    return std::make_unique<DlModule>(handle);
}

}  // namespace platform
