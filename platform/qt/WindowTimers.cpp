#include "platform/qt/WindowTimers.h"

namespace platform {

bool WindowTimers::Set(std::uintptr_t id, unsigned milliseconds) {
    Kill(id);
    const int qtId = owner_.startTimer(static_cast<int>(milliseconds), Qt::PreciseTimer);
    if (qtId == 0) return false;
    timers_[id] = qtId;
    return true;
}

bool WindowTimers::Kill(std::uintptr_t id) {
    const auto found = timers_.find(id);
    if (found == timers_.end()) return false;
    owner_.killTimer(found->second);
    timers_.erase(found);
    return true;
}

void WindowTimers::KillAll() {
    for (const auto& [id, qtId] : timers_) owner_.killTimer(qtId);
    timers_.clear();
}

std::optional<std::uintptr_t> WindowTimers::Find(int qtTimerId) const {
    for (const auto& [id, qtId] : timers_)
        if (qtId == qtTimerId) return id;
    return std::nullopt;
}

}  // namespace platform
