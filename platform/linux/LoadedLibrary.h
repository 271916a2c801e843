#pragma once
// A shared library the program opens at run time, and its entry points looked up by name.

#include <dlfcn.h>

#include <memory>

namespace platform {

struct LibraryCloser {
    void operator()(void* handle) const { dlclose(handle); }
};
using LibraryHandle = std::unique_ptr<void, LibraryCloser>;

// Sets function to the library's entry point of that name; false when it has none.
template <typename Function>
bool Resolve(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

}  // namespace platform
