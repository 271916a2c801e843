#include "dialogs/CHighScoreDlg.h"

#include <array>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/CMainWindow.h"
#include "app/Registry.h"
#include "app/Utilities.h"
#include "platform/Desktop.h"
#include "platform/LastError.h"
#include "platform/Services.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int kRows = 10;
// A name or score of at most 255 characters, as the name field takes them.
constexpr int kMaxCharacters = 255;
// Characters are UTF-16 units, as the field counts them; none takes more than three
// bytes of UTF-8 (a pair of them takes four), so this holds any text the field takes.
constexpr std::size_t kTextBytes = 3 * (kMaxCharacters + 1);

constexpr const char* kDefaultNames[kRows] = {
    "Vessa's Massive High Score", "Vessa the Conqueror", "Vessa Kicks Butt",    "Vessa Wins Big Time",
    "Vessa Takes It All",         "Vessa Wins Again",    "Vessa on a Slow Day", "Vessa Does Better",
    "Vessa the Almighty",         "Vessa's First Try"};

std::unique_ptr<CHighScoreDlg> highScoreDlg;

std::string ValueName(const char* stem, int entry) {
    return stem + std::to_string(entry);
}

std::size_t Utf16Units(const std::string& utf8) {
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) ++units;
        if (byte >= 0xF0) ++units;
    }
    return units;
}

// A stored text of entry i; false when it is missing, not a text, or longer than a field takes.
bool ReadEntry(const char* stem, int entry, std::string& text) {
    return ReadRegString(HKEY_CURRENT_USER, HighScoresKey, ValueName(stem, entry), text, kTextBytes) &&
           Utf16Units(text) <= kMaxCharacters;
}

// The number after a score's first character, whatever that character is.
std::int32_t ScoreOf(const std::string& text) {
    return text.empty() ? 0 : std::atoi(text.c_str() + 1);
}

}  // namespace

std::string ScoreText(std::int32_t score) {
    return "$" + std::to_string(score);
}

bool CHighScoreDlg::Init(platform::Window* dialog) {
    CenterOnParent(dialog);
    hasNewScore = theMainWindow ? theMainWindow->highScorePending : 0;
    newScore = theMainWindow ? theMainWindow->pendingScore : 0;
    newRow = -1;
    FillDefaults(dialog);
    LoadStored(dialog);
    // After a Reset the new entry may move: the row it left is closed again.
    for (int k = 0; k < kRows; ++k)
        if (platform::Window* name = dialog->GetDlgItem(IDC_NAME0 + k)) name->SetReadOnly(true);
    if (!hasNewScore || newRow < 0) return true;
    SetItemText(dialog, IDC_SCORE0 + newRow, ScoreText(newScore));
    if (platform::Window* name = dialog->GetDlgItem(IDC_NAME0 + newRow)) {
        name->SetReadOnly(false);
        name->LimitText(kMaxCharacters);
        name->SetFocus();
    }
    return false;
}

void CHighScoreDlg::FillDefaults(platform::Window* dialog) {
    for (int k = 0; k < kRows; ++k) SetItemText(dialog, IDC_NAME0 + k, kDefaultNames[k]);
    for (int r = 1; r <= kRows; ++r) SetItemText(dialog, IDC_SCORE0 + kRows - r, ScoreText(DefaultScore(r)));
}

void CHighScoreDlg::LoadStored(platform::Window* dialog) {
    bool placed = false;
    bool failed = false;
    int row = 0;
    for (int i = 0; row < kRows && !failed; ++i, ++row) {
        std::string name;
        std::string score;
        if (!ReadEntry("Name", i, name) || !ReadEntry("Score", i, score)) {
            failed = true;
            break;
        }
        // Below every stored entry with the same score.
        if (!placed && hasNewScore && ScoreOf(score) < newScore) {
            SetItemText(dialog, IDC_NAME0 + row, "");
            SetItemText(dialog, IDC_SCORE0 + row, "");
            newRow = row;
            placed = true;
            ++row;
        }
        if (row < kRows) {
            SetItemText(dialog, IDC_NAME0 + row, name);
            SetItemText(dialog, IDC_SCORE0 + row, score);
        }
    }
    if (placed || !failed || !hasNewScore || newScore < 1) return;
    // The rows from here on show their defaults: the new entry takes the first of them
    // that it beats, in place of its default. The rows above show stored entries and
    // keep them.
    for (int k = row; k < kRows; ++k)
        if (DefaultScore(kRows - k) < newScore) {
            newRow = k;
            SetItemText(dialog, IDC_NAME0 + k, "");
            SetItemText(dialog, IDC_SCORE0 + k, "");
            return;
        }
}

void CHighScoreDlg::SaveAll(platform::Window* dialog) {
    // Names and texts of every row first, as the batch only refers to them.
    std::array<std::string, 2 * kRows> names;
    std::array<std::string, 2 * kRows> texts;
    std::array<RegString, 2 * kRows> values;
    for (int i = 0; i < kRows; ++i) {
        for (int column = 0; column < 2; ++column) {
            const auto k = static_cast<std::size_t>(2 * i + column);
            names[k] = ValueName(column == 0 ? "Name" : "Score", i);
            GetItemText(dialog, (column == 0 ? IDC_NAME0 : IDC_SCORE0) + i, texts[k], kTextBytes);
            values[k] = {names[k], texts[k]};
        }
    }
    // One batch: a save cut short leaves the list that was stored before, never half of each.
    if (!WriteRegStrings(HKEY_CURRENT_USER, HighScoresKey, values))
        std::cerr << "deckfall: the high scores were not saved: " << platform::GetLastError().message
                  << std::endl;
}

bool CHighScoreDlg::OnCommand(platform::Window* dialog, int id) {
    switch (id) {
        case platform::IDOK:
            SaveAll(dialog);
            dialog->EndDialog(platform::IDOK);
            return true;
        case platform::IDCANCEL:
            dialog->EndDialog(platform::IDCANCEL);
            return true;
        case IDC_RESET:
            if (platform::Current().desktop->MessageBox(
                    dialog, "Are you sure you want to erase all high scores?", "Reset Scores",
                    platform::MB_YESNO) == platform::IDYES) {
                DeleteRegKey(HKEY_CURRENT_USER, HighScoresKey);
                Init(dialog);
            }
            return false;
        default:
            return false;
    }
}

std::intptr_t HighScoreDlgProc(platform::Window* dialog, platform::Msg message, platform::WPARAM wParam,
                               platform::LPARAM) {
    switch (message) {
        case platform::Msg::InitDialog:
            if (!highScoreDlg) highScoreDlg = std::make_unique<CHighScoreDlg>();
            return highScoreDlg->Init(dialog) ? 1 : 0;
        case platform::Msg::Command:
            return highScoreDlg && highScoreDlg->OnCommand(dialog, platform::LoWord(wParam)) ? 1 : 0;
        default:
            return 0;
    }
}
