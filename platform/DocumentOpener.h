#pragma once
// Opens a document in whatever program the desktop has for it, as the shell's
// "open" verb does.

#include <string_view>

namespace platform {

class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    // path is relative to the current directory. False, with the last error set,
    // when the document is missing or nothing can open it.
    virtual bool Open(std::string_view path) = 0;
};

}  // namespace platform
