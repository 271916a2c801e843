#pragma once
// The program on the headless desktop over the settings store it is given and the fake
// card library, started as main starts it: what the fuzz targets and their seeds run.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/CMainWindow.h"
#include "app/GameOptions.h"
#include "platform/headless/HeadlessPlatform.h"

class HeadlessProgram {
public:
    // A row of the high-score list as shown: the name, the score.
    using Row = std::pair<std::string, std::string>;

    // What the player meets at start: the options, where the window opens, the high-score list.
    struct Start {
        GameOptionsRecord options;
        platform::ShowCommand shown = platform::ShowCommand::Hide;
        platform::Rect normal;
        std::vector<Row> highScores;
        bool operator==(const Start&) const = default;
    };

    explicit HeadlessProgram(platform::SettingsStore& store);

    // CMainWindow::Create, then the high-score list from the menu, closed with Cancel.
    Start StartUp();
    // Opens the high-score list: from the menu without winnings, else as the end of a game with
    // them opens it. The player types into the row open for typing, if any, and presses the
    // button. The rows as the list showed them when it opened.
    std::vector<Row> HighScores(std::optional<std::int32_t> winnings, int button,
                                std::string_view typed = {});
    // The close box, which saves the options and the placement.
    void Close();

    platform::HeadlessPlatform headless;
    CMainWindow app;
};
