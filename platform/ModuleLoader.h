#pragma once
// Run-time loading of a shared library by name and lookup of its exports.

#include <memory>
#include <string>
#include <string_view>

namespace platform {

class Module {
public:
    virtual ~Module() = default;  // unloads the library
    // The address of an export with C linkage, or null.
    virtual void* GetProcAddress(std::string_view name) const = 0;
};

class ModuleLoader {
public:
    virtual ~ModuleLoader() = default;
    // Null when the library cannot be loaded (with the last error set).
    virtual std::unique_ptr<Module> LoadLibrary(std::string_view name) = 0;
    // The folder a library named without a folder is looked for in first, as the player
    // would be told to put it there.
    virtual std::string Folder() const = 0;
};

}  // namespace platform
