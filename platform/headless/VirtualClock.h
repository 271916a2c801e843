#pragma once

#include <cstdint>

#include "platform/Clock.h"

namespace platform {

// Time that passes only when the program sleeps: a sleep advances it at once.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(std::int64_t startSeconds = 1'000'000'000) : startSeconds_(startSeconds) {}

    void Sleep(unsigned milliseconds) override { elapsedMs_ += milliseconds; }
    std::int64_t Time() const override { return startSeconds_ + elapsedMs_ / 1000; }

    void Advance(std::uint64_t milliseconds) { elapsedMs_ += milliseconds; }
    std::uint64_t ElapsedMs() const { return elapsedMs_; }

private:
    std::int64_t startSeconds_;
    std::uint64_t elapsedMs_ = 0;
};

}  // namespace platform
