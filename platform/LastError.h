#pragma once
// The last error of a failed platform call on this thread, with the text the
// system gives for it, as GetLastError and FormatMessage report them on Windows.

#include <string>
#include <string_view>

namespace platform {

struct SystemError {
    int code = 0;  // an errno value where one applies
    std::string message;
};

void SetLastError(int code, std::string_view message);
// Sets the error from an errno value with the system's text for it.
void SetLastErrorFromErrno(int errnoValue);
const SystemError& GetLastError();

}  // namespace platform
