#include "platform/linux/SharedObjectDamage.h"

#include <elf.h>
#include <link.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <system_error>
#include <vector>

namespace platform {

namespace {

// Whether count entries of size bytes from offset lie within a file of fileSize bytes,
// without overflowing on the way.
bool Within(std::uint64_t offset, std::uint64_t count, std::uint64_t size, std::uint64_t fileSize) {
    if (offset > fileSize) return false;
    if (size != 0 && count > (fileSize - offset) / size) return false;
    return true;
}

#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr unsigned char kNativeData = ELFDATA2LSB;
#else
constexpr unsigned char kNativeData = ELFDATA2MSB;
#endif
constexpr unsigned char kNativeClass = sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32;

}  // namespace

std::optional<std::string> SharedObjectDamage(const std::filesystem::path& file) {
    std::error_code error;
    const std::uint64_t fileSize = std::filesystem::file_size(file, error);
    if (error) return "cannot be read: " + error.message();
    std::ifstream in(file, std::ios::binary);
    ElfW(Ehdr) header{};
    if (!in.read(reinterpret_cast<char*>(&header), sizeof header)) return "too short for a library";
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0) return "not a library (no ELF header)";
    if (header.e_ident[EI_CLASS] != kNativeClass || header.e_ident[EI_DATA] != kNativeData)
        return "a library for another kind of machine";
    if (header.e_type != ET_DYN) return "not a shared library";
    if (header.e_phentsize != sizeof(ElfW(Phdr)) || header.e_phnum == 0 ||
        !Within(header.e_phoff, header.e_phnum, sizeof(ElfW(Phdr)), fileSize))
        return "damaged: its program headers lie beyond its end";
    // The section headers come last in the file: a cut anywhere before them shows here.
    if (header.e_shnum != 0 && (header.e_shentsize != sizeof(ElfW(Shdr)) ||
                                !Within(header.e_shoff, header.e_shnum, sizeof(ElfW(Shdr)), fileSize)))
        return "damaged: it ends before its section headers";

    std::vector<ElfW(Phdr)> segments(header.e_phnum);
    in.seekg(static_cast<std::streamoff>(header.e_phoff));
    if (!in.read(reinterpret_cast<char*>(segments.data()),
                 static_cast<std::streamsize>(segments.size() * sizeof(ElfW(Phdr)))))
        return "damaged: its program headers cannot be read";
    for (const ElfW(Phdr) & segment : segments) {
        if (!Within(segment.p_offset, 1, segment.p_filesz, fileSize))
            return "damaged: it ends before the parts it is loaded from";
    }
    return std::nullopt;
}

}  // namespace platform
