#include "tests/fuzz/HeadlessProgram.h"

#include "dialogs/CHighScoreDlg.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "tests/support/FakeCards.h"

HeadlessProgram::HeadlessProgram(platform::SettingsStore& store) : headless(store) {
    // Each run begins with the options of a fresh process: they are one record for all of it.
    GameOptions = {};
    AppTitle = LoadResourceString(IDS_APP_TITLE, 100);
    WindowClassName = LoadResourceString(IDS_WINDOW_CLASS, 100);
    // A small screen: a first start maximises the window, and its pixels take most of a run.
    headless.desktop.SetScreenSize(700, 520);
    headless.modules.Register("libcards32.so", FakeCardExports());
    RegisterWindowClass();
}

HeadlessProgram::Start HeadlessProgram::StartUp() {
    Start start;
    if (!app.Create(platform::ShowCommand::Normal)) return start;
    start.options = GameOptions;
    const platform::WindowPlacement placement = app.GetWindow()->GetWindowPlacement();
    start.shown = placement.showCommand;
    start.normal = placement.normalRect;
    start.highScores = HighScores(std::nullopt, platform::IDCANCEL);
    return start;
}

std::vector<HeadlessProgram::Row> HeadlessProgram::HighScores(std::optional<std::int32_t> winnings,
                                                              int button, std::string_view typed) {
    constexpr int kRows = 10;
    std::vector<Row> rows;
    headless.desktop.dialogHandler = [&](platform::HeadlessWindow& dialog, const platform::DialogTemplate&) {
        for (int k = 0; k < kRows; ++k)
            rows.emplace_back(dialog.GetDlgItem(IDC_NAME0 + k)->GetWindowText(),
                              dialog.GetDlgItem(IDC_SCORE0 + k)->GetWindowText());
        // Only the row open for typing takes it.
        for (int k = 0; k < kRows; ++k) dialog.Type(IDC_NAME0 + k, typed);
        dialog.Click(button);
    };
    platform::Window* window = app.GetWindow();
    if (!winnings && window) {
        window->SendMessage(platform::Msg::Command, ID_HIGH_SCORES, 0);
    } else {
        app.highScorePending = winnings.has_value();
        app.pendingScore = winnings.value_or(0);
        headless.desktop.DialogBoxParam(*FindDialogTemplate(IDD_HIGH_SCORES), window, HighScoreDlgProc, 0);
        app.highScorePending = 0;
        app.pendingScore = 0;
    }
    headless.desktop.dialogHandler = nullptr;
    return rows;
}

void HeadlessProgram::Close() {
    if (platform::Window* window = app.GetWindow()) window->SendMessage(platform::Msg::Close, 0, 0);
}
