#pragma once
// Time as the game sees it: blocking sleeps and the calendar time in seconds.
// Tests replace it with a virtual clock on which sleeps take no real time.

#include <cstdint>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual void Sleep(unsigned milliseconds) = 0;
    // Seconds since 1970, as time() gives them.
    virtual std::int64_t Time() const = 0;
};

}  // namespace platform
