#pragma once
// The high-score list: the ten best results of this user, in the settings store
// under HighScoresKey, shown in dialog 133. Opened from the menu it only shows the
// list; opened at the end of a game whose winnings beat the tenth entry
// (CMainWindow's highScorePending and pendingScore), it places the new score in its
// row and opens that row's name field for typing. Rows with nothing stored show
// built-in defaults.
//
// Stored: twenty texts, "Name<i>" and "Score<i>" for entries i = 0 (best) to 9, the
// score as shown ("$" and the number). OK writes all ten rows; Reset deletes the key.

#include <cstdint>
#include <string>

#include "platform/DialogTemplate.h"
#include "platform/Window.h"

inline constexpr const char* HighScoresKey = "Software\\Quillmoor\\Deckfall\\HighScores";

// The default score of the row r places from the bottom (r = 1 … 10): 10 up to 9100.
constexpr std::int32_t DefaultScore(std::int32_t r) {
    return (1000 * r * r - 900 * r) / 10;
}

// A score as the list shows and stores it.
std::string ScoreText(std::int32_t score);

// The state of the dialog; the rows themselves live in its controls.
class CHighScoreDlg {
public:
    virtual ~CHighScoreDlg() = default;

    // WM_INITDIALOG, and again after a Reset: false when it has put the focus on the new entry's name.
    bool Init(platform::Window* dialog);
    void FillDefaults(platform::Window* dialog);
    // Merges the stored list with the new entry, if one is being entered.
    void LoadStored(platform::Window* dialog);
    void SaveAll(platform::Window* dialog);
    bool OnCommand(platform::Window* dialog, int id);

    std::int32_t newRow = -1;  // the row of the new entry; −1 when it has none
    std::int32_t newScore = 0;
    std::int32_t hasNewScore = 0;
};

std::intptr_t HighScoreDlgProc(platform::Window* dialog, platform::Msg message, platform::WPARAM wParam,
                               platform::LPARAM lParam);
