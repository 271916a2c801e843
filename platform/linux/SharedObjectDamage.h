#pragma once
// A look at a shared library before the dynamic linker maps it. The linker trusts the
// file's headers: a file cut short inside what it maps faults (SIGBUS) inside dlopen.

#include <filesystem>
#include <optional>
#include <string>

namespace platform {

// What is wrong with the file as a shared library of this machine's word size, or nothing
// when its header is sane and every part its headers point to lies within the file.
std::optional<std::string> SharedObjectDamage(const std::filesystem::path& file);

}  // namespace platform
