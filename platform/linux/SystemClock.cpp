#include "platform/linux/SystemClock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace platform {

void SystemClock::Sleep(unsigned milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::int64_t SystemClock::Time() const {
    return static_cast<std::int64_t>(std::time(nullptr));
}

}  // namespace platform
