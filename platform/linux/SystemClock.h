#pragma once

#include "platform/Clock.h"

namespace platform {

// Real time: sleeps block the thread.
class SystemClock final : public Clock {
public:
    void Sleep(unsigned milliseconds) override;
    std::int64_t Time() const override;
};

}  // namespace platform
