// The fuzz input as the high-score list in the settings store, one value a line: first the
// winnings of the game that just ended (not a number: the list is opened from the menu),
// then Name0, Score0, Name1, … Score9. A missing line leaves its value out; a line that
// starts with '#' stores the number after it, not a text. The list is opened and OK
// pressed, then opened again from the menu. What must hold besides running clean: OK
// stores the ten rows as the list showed them, and the list opened again shows them as
// before, so that a list once saved is read back whole.

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/Registry.h"
#include "dialogs/CHighScoreDlg.h"
#include "platform/linux/SqliteSettingsStore.h"
#include "tests/fuzz/HeadlessProgram.h"
#include "tests/fuzz/Require.h"

namespace {

constexpr int kRows = 10;

std::vector<std::string_view> Lines(std::string_view input) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start <= input.size();) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        lines.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::optional<std::int32_t> Winnings(std::string_view line) {
    std::int32_t winnings = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), winnings);
    return error == std::errc() && end == line.data() + line.size() ? std::optional(winnings) : std::nullopt;
}

void Store(const std::string& name, std::string_view line) {
    if (line.starts_with('#')) {
        const std::string digits(line.substr(1));
        WriteRegDword(HKEY_CURRENT_USER, HighScoresKey, name,
                      static_cast<std::uint32_t>(std::strtoul(digits.c_str(), nullptr, 10)));
    } else {
        WriteRegString(HKEY_CURRENT_USER, HighScoresKey, name, line);
    }
}

// The rows the store holds, every one of the ten; a value that cannot be read shows as "?".
std::vector<HeadlessProgram::Row> Stored() {
    std::vector<HeadlessProgram::Row> rows(kRows);
    for (int i = 0; i < kRows; ++i) {
        auto& [name, score] = rows[static_cast<std::size_t>(i)];
        const std::string index = std::to_string(i);
        if (!ReadRegString(HKEY_CURRENT_USER, HighScoresKey, "Name" + index, name, 1 << 20)) name = "?";
        if (!ReadRegString(HKEY_CURRENT_USER, HighScoresKey, "Score" + index, score, 1 << 20)) score = "?";
    }
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> lines = Lines({reinterpret_cast<const char*>(data), size});
    const auto store = platform::SqliteSettingsStore::InMemory();
    HeadlessProgram program(*store);
    for (std::size_t line = 1; line < lines.size() && line <= 2 * kRows; ++line)
        Store((line % 2 ? "Name" : "Score") + std::to_string((line - 1) / 2), lines[line]);

    const auto shown = program.HighScores(Winnings(lines[0]), platform::IDOK);
    Require(Stored() == shown, "OK stores the rows as the list showed them");
    Require(program.HighScores(std::nullopt, platform::IDCANCEL) == shown, "a saved list reads back whole");
    return 0;
}
