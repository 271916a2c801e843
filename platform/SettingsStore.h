#pragma once
// The per-user settings store behind the registry operations: keys named by
// paths ("Software\Quillmoor\Deckfall\HighScores"), each holding named values
// that are either a 32-bit number or a text. Key paths and value names match
// without regard to case.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace platform {

using SettingsValue = std::variant<std::uint32_t, std::string>;

// One value of a batch: its key, its name and what it becomes.
struct SettingsWrite {
    std::string_view keyPath;
    std::string_view name;
    SettingsValue value;
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The value, or nothing when the key or the value does not exist or the store cannot be read.
    virtual std::optional<SettingsValue> ReadValue(std::string_view keyPath, std::string_view name) = 0;
    // Creates the key (and the keys above it) when needed and replaces any value of
    // that name, whatever its type. One committed transaction; false when not stored,
    // with the reason in platform::GetLastError().
    virtual bool WriteValue(std::string_view keyPath, std::string_view name, const SettingsValue& value) = 0;
    // Writes every value as WriteValue does, in one committed transaction: all of them
    // are stored, or none is and the values stored before stay as they were. Another
    // writer is waited on for about two seconds at most in all, as the player waits on
    // the batch that saves the game at close. False when nothing was stored, with the
    // reason in platform::GetLastError().
    virtual bool WriteValues(std::span<const SettingsWrite> writes) = 0;
};

}  // namespace platform
