#include "platform/LastError.h"

#include <cstring>

namespace platform {

namespace {
thread_local SystemError lastError;
}

void SetLastError(int code, std::string_view message) {
    lastError.code = code;
    lastError.message.assign(message);
}

void SetLastErrorFromErrno(int errnoValue) {
    SetLastError(errnoValue, std::strerror(errnoValue));
}

const SystemError& GetLastError() {
    return lastError;
}

}  // namespace platform
