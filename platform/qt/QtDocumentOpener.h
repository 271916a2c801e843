#pragma once
// Opens a document with the desktop's program for it (QDesktopServices).

#include "platform/DocumentOpener.h"

namespace platform {

class QtDocumentOpener final : public DocumentOpener {
public:
    bool Open(std::string_view path) override;
};

}  // namespace platform
