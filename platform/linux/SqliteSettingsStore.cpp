#include "platform/linux/SqliteSettingsStore.h"

#include <fcntl.h>
#include <pwd.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/LastError.h"

namespace platform {

namespace {

namespace fs = std::filesystem;

// Marks the file as ours in its header, so that a database of another program is
// recognised and left alone. "DkFl".
constexpr int kApplicationId = 0x446B466C;
constexpr int kSchemaVersion = 1;
// Long enough for the other copy's write to finish, short enough not to hang the game.
constexpr int kBusyTimeoutMs = 5000;
// A batch saves the game while the player closes the window, so the whole of it waits
// no longer than this for another copy's lock; the copy may hold it for good.
constexpr std::chrono::milliseconds kBatchPatience{2000};
// Value types carry the registry's numbers, so the file reads naturally beside it.
constexpr int kTypeText = 1;    // REG_SZ
constexpr int kTypeNumber = 4;  // REG_DWORD

// A key's path keeps the spelling of its first writer; NOCASE makes every lookup,
// uniqueness and replacement ignore ASCII case, as the registry does. A file marked with
// kSchemaVersion must hold these statements word for word, so changing a word of them
// makes a new version; white space may change.
constexpr const char* kSchema = R"sql(
CREATE TABLE registry_key (
    id     INTEGER PRIMARY KEY,
    parent INTEGER REFERENCES registry_key (id),
    path   TEXT NOT NULL UNIQUE COLLATE NOCASE
);
CREATE INDEX registry_key_parent ON registry_key (parent);
CREATE TABLE registry_value (
    key  INTEGER NOT NULL REFERENCES registry_key (id),
    name TEXT NOT NULL COLLATE NOCASE,
    type INTEGER NOT NULL CHECK (type IN (1, 4)),
    data NOT NULL,
    PRIMARY KEY (key, name)
) WITHOUT ROWID;
)sql";

// A prepared statement, finalized when it goes out of scope. A statement that
// failed to prepare makes every step fail with the connection's error.
class Statement {
public:
    Statement(sqlite3* db, std::string_view sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK) {
            sqlite3_finalize(stmt_);
            stmt_ = nullptr;
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& BindText(int index, std::string_view text) {
        if (stmt_) {
            // A null pointer would bind NULL, not an empty text.
            sqlite3_bind_text(stmt_, index, text.empty() ? "" : text.data(), static_cast<int>(text.size()),
                              SQLITE_TRANSIENT);
        }
        return *this;
    }
    Statement& BindBytes(int index, std::string_view bytes) {
        if (stmt_) {
            sqlite3_bind_blob(stmt_, index, bytes.empty() ? "" : bytes.data(), static_cast<int>(bytes.size()),
                              SQLITE_TRANSIENT);
        }
        return *this;
    }
    Statement& BindInt(int index, std::int64_t number) {
        if (stmt_) {
            sqlite3_bind_int64(stmt_, index, number);
        }
        return *this;
    }

    // SQLITE_ROW, SQLITE_DONE or the primary error code.
    int Step() {
        if (!stmt_) {
            const int code = sqlite3_errcode(db_);
            return code == SQLITE_OK ? SQLITE_ERROR : code & 0xFF;
        }
        return sqlite3_step(stmt_) & 0xFF;
    }

    int ColumnType(int column) const { return sqlite3_column_type(stmt_, column); }
    std::int64_t Int(int column) const { return sqlite3_column_int64(stmt_, column); }
    std::string Bytes(int column) const {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
        const int size = sqlite3_column_bytes(stmt_, column);
        return data ? std::string(data, static_cast<std::size_t>(size)) : std::string();
    }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

bool Execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// A write transaction that rolls back unless committed. It takes the write lock
// at once, so two writers queue on the busy timeout instead of failing midway.
class WriteTransaction {
public:
    explicit WriteTransaction(sqlite3* db) : db_(db), begun_(Execute(db, "BEGIN IMMEDIATE")) {}
    ~WriteTransaction() {
        if (begun_ && !sqlite3_get_autocommit(db_)) {
            Execute(db_, "ROLLBACK");
        }
    }
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    bool Begun() const { return begun_; }
    bool Commit() { return begun_ && Execute(db_, "COMMIT"); }

private:
    sqlite3* db_;
    bool begun_;
};

// Waits for another connection's lock until a deadline rather than for so long at every
// statement, then puts the usual wait back.
class BusyDeadline {
public:
    BusyDeadline(sqlite3* db, std::chrono::milliseconds patience)
        : db_(db), deadline_(std::chrono::steady_clock::now() + patience) {
        sqlite3_busy_handler(db, &BusyDeadline::Wait, this);
    }
    ~BusyDeadline() { sqlite3_busy_timeout(db_, kBusyTimeoutMs); }
    BusyDeadline(const BusyDeadline&) = delete;
    BusyDeadline& operator=(const BusyDeadline&) = delete;

private:
    static int Wait(void* self, int) {
        using namespace std::chrono;
        constexpr milliseconds kPause{10};
        const auto left = static_cast<BusyDeadline*>(self)->deadline_ - steady_clock::now();
        if (left <= steady_clock::duration::zero()) {
            return 0;
        }
        sqlite3_sleep(static_cast<int>(std::min(kPause, ceil<milliseconds>(left)).count()));
        return 1;
    }

    sqlite3* db_;
    std::chrono::steady_clock::time_point deadline_;
};

// Registry paths are backslash-separated names; an empty name anywhere (a leading,
// trailing or doubled backslash) names no key.
bool IsKeyPath(std::string_view path) {
    return !path.empty() && path.front() != '\\' && path.back() != '\\' &&
           path.find("\\\\") == std::string_view::npos;
}

std::optional<std::int64_t> FindKey(sqlite3* db, std::string_view path) {
    Statement find(db, "SELECT id FROM registry_key WHERE path = ?1");
    find.BindText(1, path);
    if (find.Step() != SQLITE_ROW) {
        return std::nullopt;
    }
    return find.Int(0);
}

// The key's id, creating it and every missing key above it. Inside a write transaction.
std::optional<std::int64_t> CreateKey(sqlite3* db, std::string_view path) {
    std::optional<std::int64_t> parent;
    for (std::size_t end = 0;; ++end) {
        end = path.find('\\', end);
        const std::string_view prefix = path.substr(0, end);
        std::optional<std::int64_t> id = FindKey(db, prefix);
        if (!id) {
            Statement insert(db, "INSERT INTO registry_key (parent, path) VALUES (?1, ?2)");
            if (parent) {
                insert.BindInt(1, *parent);
            }
            if (insert.BindText(2, prefix).Step() != SQLITE_DONE) {
                return std::nullopt;
            }
            id = sqlite3_last_insert_rowid(db);
        }
        if (end == std::string_view::npos) {
            return id;
        }
        parent = id;
    }
}

// Sets the value, creating its key when needed. Inside a write transaction.
bool PutValue(sqlite3* db, std::string_view keyPath, std::string_view name, const SettingsValue& value) {
    const std::optional<std::int64_t> key = CreateKey(db, keyPath);
    if (!key) {
        return false;
    }
    Statement write(db,
                    "INSERT INTO registry_value (key, name, type, data) VALUES (?1, ?2, ?3, ?4)"
                    " ON CONFLICT (key, name) DO UPDATE SET type = excluded.type,"
                    " data = excluded.data");
    write.BindInt(1, *key).BindText(2, name);
    if (const auto* number = std::get_if<std::uint32_t>(&value)) {
        write.BindInt(3, kTypeNumber).BindInt(4, *number);
    } else {
        write.BindInt(3, kTypeText).BindBytes(4, std::get<std::string>(value));
    }
    return write.Step() == SQLITE_DONE;
}

bool NotAKeyPath(std::string_view path) {
    SetLastError(EINVAL, "\"" + std::string(path) + "\" is not a key path");
    return false;
}

// A statement with every run of white space made one blank and none at its ends.
std::string Words(std::string_view sql) {
    std::string words;
    for (const char c : sql) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            words += c;
        } else if (!words.empty() && words.back() != ' ') {
            words += ' ';
        }
    }
    if (!words.empty() && words.back() == ' ') {
        words.pop_back();
    }
    return words;
}

// Whether the file's tables and indexes are those kSchema makes. A file can pass every
// check of its pages with the text of a table changed (a column renamed, a constraint
// that refuses every number), and then nothing could ever be read or saved in it.
std::optional<bool> HoldsOurSchema(sqlite3* db, int& error) {
    static const std::vector<std::string> ours = [] {
        std::vector<std::string> statements;
        std::string_view rest = kSchema;
        for (std::size_t end; (end = rest.find(';')) != std::string_view::npos; rest.remove_prefix(end + 1)) {
            statements.push_back(Words(rest.substr(0, end)));
        }
        std::sort(statements.begin(), statements.end());
        return statements;
    }();
    Statement query(db, "SELECT sql FROM sqlite_schema WHERE sql IS NOT NULL");
    std::vector<std::string> found;
    while ((error = query.Step()) == SQLITE_ROW) {
        found.push_back(Words(query.Bytes(0)));
    }
    if (error != SQLITE_DONE) {
        return std::nullopt;
    }
    std::sort(found.begin(), found.end());
    return found == ours;
}

// Later: ours, in a schema this version does not know. Altered: marked as ours and of this
// version, with other tables.
enum class Contents { Empty, Ours, Later, Altered, Foreign };

// What the file holds, judged by its header marks and its tables.
std::optional<Contents> ReadContents(sqlite3* db, int& error) {
    Statement query(db,
                    "SELECT (SELECT application_id FROM pragma_application_id),"
                    " (SELECT user_version FROM pragma_user_version),"
                    " (SELECT count(*) FROM sqlite_schema)");
    error = query.Step();
    if (error != SQLITE_ROW) {
        return std::nullopt;
    }
    if (query.Int(0) == 0 && query.Int(1) == 0 && query.Int(2) == 0) {
        return Contents::Empty;
    }
    if (query.Int(0) == kApplicationId && query.Int(1) == kSchemaVersion) {
        const std::optional<bool> ours = HoldsOurSchema(db, error);
        if (!ours) {
            return std::nullopt;
        }
        return *ours ? Contents::Ours : Contents::Altered;
    }
    if (query.Int(0) == kApplicationId && query.Int(1) > kSchemaVersion) {
        return Contents::Later;
    }
    return Contents::Foreign;
}

bool CreateSchema(sqlite3* db) {
    WriteTransaction transaction(db);
    int error = SQLITE_OK;
    // Another copy may have made the store while this one waited for the lock.
    const std::optional<Contents> contents = ReadContents(db, error);
    if (contents == Contents::Ours) {
        return true;
    }
    const std::string marks = "PRAGMA application_id = " + std::to_string(kApplicationId) +
                              "; PRAGMA user_version = " + std::to_string(kSchemaVersion) + ";";
    return contents == Contents::Empty && Execute(db, kSchema) && Execute(db, marks.c_str()) &&
           transaction.Commit();
}

bool IsDamage(int code) {
    return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}

// A reason goes into a single line of the diagnostics; SQLite's may span several.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return text;
}

std::string ErrorText(sqlite3* db) {
    return OneLine(db ? sqlite3_errmsg(db) : "out of memory");
}

// How an opened file was judged: healthy, damaged (with why), or unusable (with why).
struct Verdict {
    enum { Healthy, Damaged, Unusable } kind;
    std::string reason;
};

// Changing the journal mode needs the file to itself for a moment, and SQLite
// answers "busy" without waiting when another copy is opening it at the same time.
bool SwitchToWal(sqlite3* db) {
    constexpr int kPauseMs = 10;
    for (int waited = 0;; waited += kPauseMs) {
        const int code = sqlite3_exec(db, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
        if ((code & 0xFF) != SQLITE_BUSY || waited >= kBusyTimeoutMs) {
            return code == SQLITE_OK;
        }
        sqlite3_sleep(kPauseMs);
    }
}

// "ok", the first problem found, or nothing with the error in `code`. The full check: the
// quick one passes rows out of their order or against a constraint, on which saves then
// fail at every start. On a file of a few pages it costs no more.
std::optional<std::string> IntegrityCheck(sqlite3* db, int& code) {
    Statement check(db, "PRAGMA integrity_check(1)");
    code = check.Step();
    return code == SQLITE_ROW ? std::optional(check.Bytes(0)) : std::nullopt;
}

Verdict Examine(sqlite3* db) {
    int step = SQLITE_OK;
    const std::optional<std::string> check = IntegrityCheck(db, step);
    if (!check) {
        return {IsDamage(step) ? Verdict::Damaged : Verdict::Unusable, ErrorText(db)};
    }
    if (*check != "ok") {
        return {Verdict::Damaged, "integrity check: " + OneLine(*check)};
    }
    int error = SQLITE_OK;
    const std::optional<Contents> contents = ReadContents(db, error);
    if (!contents) {
        return {IsDamage(error) ? Verdict::Damaged : Verdict::Unusable, ErrorText(db)};
    }
    if (contents == Contents::Foreign) {
        return {Verdict::Damaged, "it is not a Deckfall settings file"};
    }
    if (contents == Contents::Altered) {
        return {Verdict::Damaged, "its tables are not the ones Deckfall makes"};
    }
    // Kept for the version that wrote it: not moved, not written, not even switched to WAL.
    if (contents == Contents::Later) {
        return {Verdict::Unusable, "it was written by a later version of Deckfall"};
    }
    if (sqlite3_db_readonly(db, "main") == 1) {
        return {Verdict::Unusable, "the file is read-only"};
    }
    // WAL is switched on only now, as it writes to the file's header.
    if (!SwitchToWal(db) || !Execute(db, "PRAGMA synchronous = FULL") ||
        (contents == Contents::Empty && !CreateSchema(db))) {
        return {Verdict::Unusable, ErrorText(db)};
    }
    return {Verdict::Healthy, {}};
}

SqliteSettingsStore::Connection Connect(const std::string& name, int& error) {
    sqlite3* raw = nullptr;
    error = sqlite3_open_v2(name.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    SqliteSettingsStore::Connection db(raw);
    if (db) {
        sqlite3_busy_timeout(db.get(), kBusyTimeoutMs);
    }
    return db;
}

// Identifies the file behind a name, to notice when another copy moved it meanwhile.
std::optional<std::pair<dev_t, ino_t>> FileIdentity(const fs::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return std::make_pair(info.st_dev, info.st_ino);
}

// Never throws: a name that cannot be looked at counts as absent.
bool Exists(const fs::path& path) {
    std::error_code ignored;
    return fs::exists(path, ignored);
}

bool IsFolder(const fs::path& path) {
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

bool MakeFolders(const fs::path& folder, std::error_code& error) {
    fs::path partial;
    for (const fs::path& part : folder) {
        partial /= part;
        if (!part.empty() && !IsFolder(partial) && ::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
            error.assign(errno, std::system_category());
            return false;
        }
    }
    if (!folder.empty() && !fs::is_directory(folder, error)) {
        if (!error) {
            error = std::make_error_code(std::errc::not_a_directory);
        }
        return false;
    }
    return true;
}

// The files SQLite keeps beside a database; they belong to it and move with it.
constexpr const char* kCompanions[] = {"-wal", "-shm", "-journal"};

fs::path WithSuffix(const fs::path& file, std::string_view suffix) {
    fs::path result = file;
    result += suffix;
    return result;
}

// Moves the file and its companions to the first free "<file>.damaged-<stamp>[-n]".
std::optional<fs::path> MoveAside(const fs::path& file, std::error_code& error) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);

    for (int attempt = 1; attempt < 1000; ++attempt) {
        fs::path target = WithSuffix(file, std::string(".damaged-") + stamp);
        if (attempt > 1) {
            target += "-" + std::to_string(attempt);
        }
        bool taken = Exists(target);
        for (const char* companion : kCompanions) {
            taken = taken || Exists(WithSuffix(target, companion));
        }
        if (taken) {
            continue;
        }
        if (::renameat2(AT_FDCWD, file.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) != 0) {
            if (errno == EEXIST) {
                continue;
            }
            // Some file systems cannot refuse to replace; the target was free a moment ago.
            if ((errno != EINVAL && errno != ENOSYS) || ::rename(file.c_str(), target.c_str()) != 0) {
                error.assign(errno, std::system_category());
                return std::nullopt;
            }
        }
        for (const char* companion : kCompanions) {
            const fs::path from = WithSuffix(file, companion);
            // A companion left behind would be read into the new store.
            if (Exists(from) && ::rename(from.c_str(), WithSuffix(target, companion).c_str()) != 0) {
                error.assign(errno, std::system_category());
                return std::nullopt;
            }
        }
        return target;
    }
    error = std::make_error_code(std::errc::file_exists);
    return std::nullopt;
}

}  // namespace

void SqliteSettingsStore::ConnectionCloser::operator()(sqlite3* db) const {
    sqlite3_close_v2(db);
}

SqliteSettingsStore::SqliteSettingsStore(Token, Connection db, std::string unusable)
    : db_(std::move(db)), unusable_(std::move(unusable)) {}

bool SqliteSettingsStore::Unusable() const {
    SetLastError(EIO, unusable_.empty() ? "there is no settings file" : unusable_);
    return false;
}

bool SqliteSettingsStore::Failed() const {
    SetLastError(sqlite3_extended_errcode(db_.get()), ErrorText(db_.get()));
    return false;
}

std::unique_ptr<SqliteSettingsStore> SqliteSettingsStore::Open(const fs::path& file,
                                                               std::ostream& diagnostics) {
    const auto unusable = [&](std::string_view why) {
        diagnostics << "Deckfall: cannot use the settings file " << file << " (" << why
                    << "); settings will not be saved" << std::endl;
        return std::make_unique<SqliteSettingsStore>(
            Token{}, nullptr, "the settings file cannot be used (" + std::string(why) + ")");
    };

    std::error_code error;
    if (!MakeFolders(file.parent_path(), error)) {
        return unusable("cannot create its folder: " + error.message());
    }
    // A second round only follows a move aside, or another copy moving the file first.
    for (int round = 0; round < 3; ++round) {
        int code = SQLITE_OK;
        Connection db = Connect(file.string(), code);
        if (code != SQLITE_OK) {
            return unusable(ErrorText(db.get()));
        }
        const auto identity = FileIdentity(file);
        // Until the file is known to be sound, closing must not fold its log into it.
        sqlite3_db_config(db.get(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
        const Verdict verdict = Examine(db.get());
        if (verdict.kind == Verdict::Healthy) {
            sqlite3_db_config(db.get(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
            return std::make_unique<SqliteSettingsStore>(Token{}, std::move(db));
        }
        if (verdict.kind == Verdict::Unusable) {
            return unusable(verdict.reason);
        }
        db.reset();
        if (FileIdentity(file) != identity) {
            continue;
        }
        const std::optional<fs::path> aside = MoveAside(file, error);
        if (!aside) {
            return unusable("damaged (" + verdict.reason + ") and cannot be moved aside: " + error.message());
        }
        diagnostics << "Deckfall: the settings file " << file << " cannot be read (" << verdict.reason
                    << "); it was moved to " << *aside << " and the default settings are used" << std::endl;
    }
    return unusable("it keeps changing while being opened");
}

std::unique_ptr<SqliteSettingsStore> SqliteSettingsStore::InMemory() {
    int code = SQLITE_OK;
    Connection db = Connect(":memory:", code);
    if (code != SQLITE_OK || !CreateSchema(db.get())) {
        db.reset();
    }
    return std::make_unique<SqliteSettingsStore>(Token{}, std::move(db));
}

fs::path SqliteSettingsStore::DefaultPath() {
    fs::path base;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config && fs::path(config).is_absolute()) {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) {
            const passwd* user = ::getpwuid(::getuid());
            home = user ? user->pw_dir : "";
        }
        base = fs::path(home) / ".config";
    }
    return base / "Quillmoor" / "Deckfall" / "settings.db";
}

std::optional<SettingsValue> SqliteSettingsStore::ReadValue(std::string_view keyPath, std::string_view name) {
    if (!db_ || !IsKeyPath(keyPath)) {
        return std::nullopt;
    }
    Statement read(db_.get(),
                   "SELECT v.type, v.data FROM registry_value v"
                   " JOIN registry_key k ON k.id = v.key WHERE k.path = ?1 AND v.name = ?2");
    read.BindText(1, keyPath).BindText(2, name);
    if (read.Step() != SQLITE_ROW) {
        return std::nullopt;
    }
    if (read.Int(0) == kTypeNumber && read.ColumnType(1) == SQLITE_INTEGER) {
        return static_cast<std::uint32_t>(read.Int(1));
    }
    if (read.Int(0) == kTypeText && read.ColumnType(1) != SQLITE_INTEGER) {
        return read.Bytes(1);
    }
    return std::nullopt;
}

bool SqliteSettingsStore::WriteValue(std::string_view keyPath, std::string_view name,
                                     const SettingsValue& value) {
    if (!db_) {
        return Unusable();
    }
    if (!IsKeyPath(keyPath)) {
        return NotAKeyPath(keyPath);
    }
    WriteTransaction transaction(db_.get());
    // The error is taken before the transaction rolls back, which would replace it.
    return (transaction.Begun() && PutValue(db_.get(), keyPath, name, value) && transaction.Commit()) ||
           Failed();
}

bool SqliteSettingsStore::WriteValues(std::span<const SettingsWrite> writes) {
    if (!db_) {
        return Unusable();
    }
    const BusyDeadline patience(db_.get(), kBatchPatience);
    WriteTransaction transaction(db_.get());
    if (!transaction.Begun()) {
        return Failed();
    }
    // Any failure rolls back the values written before it.
    for (const SettingsWrite& write : writes) {
        if (!IsKeyPath(write.keyPath)) {
            return NotAKeyPath(write.keyPath);
        }
        if (!PutValue(db_.get(), write.keyPath, write.name, write.value)) {
            return Failed();
        }
    }
    return transaction.Commit() || Failed();
}

bool SqliteSettingsStore::DeleteKey(std::string_view keyPath) {
    if (!db_ || !IsKeyPath(keyPath)) {
        return false;
    }
    WriteTransaction transaction(db_.get());
    const std::optional<std::int64_t> key = transaction.Begun() ? FindKey(db_.get(), keyPath) : std::nullopt;
    if (!key) {
        return false;
    }
    Statement subkeys(db_.get(), "SELECT 1 FROM registry_key WHERE parent = ?1 LIMIT 1");
    if (subkeys.BindInt(1, *key).Step() != SQLITE_DONE) {
        return false;
    }
    Statement values(db_.get(), "DELETE FROM registry_value WHERE key = ?1");
    Statement self(db_.get(), "DELETE FROM registry_key WHERE id = ?1");
    return values.BindInt(1, *key).Step() == SQLITE_DONE && self.BindInt(1, *key).Step() == SQLITE_DONE &&
           transaction.Commit();
}

}  // namespace platform
