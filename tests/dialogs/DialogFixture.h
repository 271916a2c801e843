#pragma once
// The game's dialogs on the headless platform, opened as their commands open them,
// with a player acting on the open dialog.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

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
    // The dialog's result; a dialog the player leaves open ends as Esc ends it.
    std::intptr_t Open(int templateId, platform::DialogProc procedure,
                       const std::function<void(HeadlessWindow&)>& player = {}) {
        headless.desktop.dialogHandler = [&](HeadlessWindow& dialog, const platform::DialogTemplate&) {
            if (player) player(dialog);
        };
        return headless.desktop.DialogBoxParam(*FindDialogTemplate(templateId), nullptr, procedure, 0);
    }
    static HeadlessWindow& Control(HeadlessWindow& dialog, int id) {
        return *static_cast<HeadlessWindow*>(dialog.GetDlgItem(id));
    }

    std::unique_ptr<platform::SettingsStore> store;
    platform::HeadlessPlatform headless{*store};
    CMainWindow app;  // never created: the dialogs only read its hand-over fields
};

class DialogFixture : public testing::Test, public DialogSession {};

}  // namespace dialogtest
