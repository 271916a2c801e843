#pragma once
// Documents "opened" on the headless platform: recorded, and successful unless
// the test scripts a failure with the system's code and text.

#include <deque>
#include <string>
#include <vector>

#include "platform/DocumentOpener.h"
#include "platform/LastError.h"

namespace platform {

class HeadlessDocumentOpener final : public DocumentOpener {
public:
    bool Open(std::string_view path) override {
        opened_.emplace_back(path);
        if (failures_.empty()) return true;
        const SystemError failure = failures_.front();
        failures_.pop_front();
        SetLastError(failure.code, failure.message);
        return false;
    }

    // The next opening fails with this error.
    void QueueFailure(SystemError failure) { failures_.push_back(std::move(failure)); }
    const std::vector<std::string>& Opened() const { return opened_; }

private:
    std::deque<SystemError> failures_;
    std::vector<std::string> opened_;
};

}  // namespace platform
