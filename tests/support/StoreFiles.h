#pragma once
// The settings file as other programs see it: its bytes, plain SQLite, and child
// processes that play another copy of the game or a player who is not root.

#include <grp.h>
#include <pwd.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

inline long Lines(const std::string& text) {
    return std::count(text.begin(), text.end(), '\n');
}

inline std::set<std::filesystem::path> FilesIn(const std::filesystem::path& dir) {
    return {std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()};
}

// The first column of the statement's last row, run by plain SQLite.
inline std::string Query(const std::filesystem::path& file, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    std::string result = "(error)";
    const auto keep = [](void* out, int, char** row, char**) {
        *static_cast<std::string*>(out) = row[0] ? row[0] : "";
        return 0;
    };
    sqlite3_exec(db, sql, keep, &result, nullptr);
    sqlite3_close(db);
    return result;
}

// The exit code of `part` run in a child process; -1 when it did not exit.
template <typename Part>
int InChild(Part&& part) {
    const pid_t pid = fork();
    if (pid == 0) _exit(part());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// In a child, gives up root for `player`; false when that fails.
inline bool BecomePlayer(const passwd& player) {
    return setgroups(0, nullptr) == 0 && setgid(player.pw_gid) == 0 && setuid(player.pw_uid) == 0;
}
