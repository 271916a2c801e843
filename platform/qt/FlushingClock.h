#pragma once
// The program's clock on the Qt host: before the thread blocks, whatever the
// game has drawn so far goes to the screen, so animations paced by sleeps and
// tones are seen step by step.

#include "platform/Clock.h"

namespace platform {

class FlushingClock final : public Clock {
public:
    explicit FlushingClock(Clock& inner) : inner_(inner) {}
    void Sleep(unsigned milliseconds) override;
    std::int64_t Time() const override { return inner_.Time(); }

private:
    Clock& inner_;
};

}  // namespace platform
