#pragma once
// The timers of one window: the game's identifiers mapped to Qt's precise timers.

#include <QObject>
#include <cstdint>
#include <map>
#include <optional>

namespace platform {

class WindowTimers {
public:
    explicit WindowTimers(QObject& owner) : owner_(owner) {}

    // Setting an identifier that runs restarts it with the new period.
    bool Set(std::uintptr_t id, unsigned milliseconds);
    bool Kill(std::uintptr_t id);
    void KillAll();
    // The game's identifier of a Qt timer event, if it is one of ours.
    std::optional<std::uintptr_t> Find(int qtTimerId) const;

private:
    QObject& owner_;
    std::map<std::uintptr_t, int> timers_;  // game identifier → Qt timer identifier
};

}  // namespace platform
