#pragma once
// The game's dialogs on the headless platform, opened by themselves as their
// commands open them, with a player acting on the open dialog.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CMainWindow.h"
#include "app/GameOptions.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/linux/SqliteSettingsStore.h"
#include "resources/DialogTemplates.h"

namespace dialogtest {

using platform::HeadlessWindow;

struct DialogSession {
    explicit DialogSession(
        std::unique_ptr<platform::SettingsStore> settings = platform::SqliteSettingsStore::InMemory())
        : store(std::move(settings)) {
        GameOptions = {};
    }

    // Runs the dialog to its end and returns its result. Without a player, or when the
    // player leaves it open, it ends as Esc ends it.
    std::intptr_t Open(int templateId, platform::DialogProc procedure,
                       const std::function<void(HeadlessWindow&)>& player = {}) {
        headless.desktop.dialogHandler = [&](HeadlessWindow& dialog, const platform::DialogTemplate&) {
            if (player) player(dialog);
        };
        return headless.desktop.DialogBoxParam(*FindDialogTemplate(templateId), nullptr, procedure, 0);
    }

    static std::string Text(HeadlessWindow& dialog, int id) { return dialog.GetDlgItem(id)->GetWindowText(); }
    static HeadlessWindow& Control(HeadlessWindow& dialog, int id) {
        return *static_cast<HeadlessWindow*>(dialog.GetDlgItem(id));
    }

    std::unique_ptr<platform::SettingsStore> store;
    platform::HeadlessPlatform headless{*store};
    // Never created: the dialogs only read its hand-over fields.
    CMainWindow app;
};

class DialogFixture : public testing::Test, public DialogSession {};

}  // namespace dialogtest
