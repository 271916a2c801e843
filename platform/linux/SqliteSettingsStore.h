#pragma once
// The settings store on Linux: one SQLite database per user. Every write is one
// committed transaction in WAL mode with synchronous=FULL, and connections wait
// for each other's locks, so a crash never loses a committed value and two
// running copies of the game never corrupt the file. A damaged file is moved
// aside and kept, never overwritten.

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "platform/SettingsStore.h"

struct sqlite3;

namespace platform {

class SqliteSettingsStore final : public SettingsStore {
    struct Token {};

public:
    // Opens the store at `file`, making its folder and the file when missing. Never
    // fails: a damaged file or one of another program is moved aside to
    // "<file>.damaged-<date>-<time>" and a new store begins; when no store can be
    // made at all, the object reads nothing and refuses every write. Either case
    // writes one line to `diagnostics`.
    static std::unique_ptr<SqliteSettingsStore> Open(const std::filesystem::path& file,
                                                     std::ostream& diagnostics = std::cerr);
    // An empty store that lives only as long as the object.
    static std::unique_ptr<SqliteSettingsStore> InMemory();
    // ${XDG_CONFIG_HOME:-$HOME/.config}/Quillmoor/Deckfall/settings.db
    static std::filesystem::path DefaultPath();

    struct ConnectionCloser {
        void operator()(sqlite3* db) const;
    };
    using Connection = std::unique_ptr<sqlite3, ConnectionCloser>;

    // Only for Open and InMemory; a null connection makes the store that holds nothing,
    // and `unusable` says why.
    SqliteSettingsStore(Token, Connection db, std::string unusable = {});

    std::optional<SettingsValue> ReadValue(std::string_view keyPath, std::string_view name) override;
    bool WriteValue(std::string_view keyPath, std::string_view name, const SettingsValue& value) override;
    bool WriteValues(std::span<const SettingsWrite> writes) override;

private:
    // Each sets the last error and returns false.
    bool Unusable() const;
    bool Failed() const;

    Connection db_;
    std::string unusable_;
};

}  // namespace platform
