#pragma once
// The program on the headless desktop over the fake card library, and whole games
// driven through the main window's messages.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/CMainWindow.h"
#include "app/GameOptions.h"
#include "app/Random.h"
#include "app/Settings.h"
#include "app/Utilities.h"
#include "cards/CDeck.h"
#include "cards/HandCode.h"
#include "engine/CBoardLayout.h"
#include "engine/CPlayfield.h"
#include "engine/PlayEvents.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/linux/SqliteSettingsStore.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "tests/support/DeckTesting.h"
#include "tests/support/FakeCards.h"

namespace enginetest {

using platform::Msg;
using platform::Point;
using Kind = PlayEvent::Kind;

inline constexpr int kW = kCardW;
inline constexpr int kH = kCardH;
inline constexpr std::uint32_t kBackground = 0xFF400040u;

// The pixel a card's face is painted in.
constexpr std::uint32_t Face(int value) {
    return platform::ArgbOf(FaceRef(value));
}

// One run of the program: an in-memory settings store, the headless desktop, the main window.
struct Program {
    Program() {
        GameOptions = {};
        fakeCardTerms = 0;
        AppTitle = LoadResourceString(IDS_APP_TITLE, 100);
        WindowClassName = LoadResourceString(IDS_WINDOW_CLASS, 100);
    }
    void Put(const char* name, std::uint32_t value) { store->WriteValue(SettingsKey, name, value); }
    platform::HeadlessWindow& StartUp() {
        headless.modules.Register("libcards32.so", FakeCardExports());
        RegisterWindowClass();
        EXPECT_TRUE(app.Create(platform::ShowCommand::Normal));
        return *(window = headless.desktop.MainWindow());
    }

    std::unique_ptr<platform::SqliteSettingsStore> store = platform::SqliteSettingsStore::InMemory();
    platform::HeadlessPlatform headless{*store};
    CMainWindow app;
    platform::HeadlessWindow* window = nullptr;
};

class GameFixture : public testing::Test, protected Program {
protected:
    GameFixture() {
        previousSink = SetPlayEventSink([this](const PlayEvent& e) { events.push_back(e); });
        // A 700 × 500 client area, opened normally, quietly.
        for (auto [name, value] :
             {std::pair{"FirstBoot", 0}, {"Width", 708}, {"Height", 546}, {"ShowNagDlg", 0}, {"Music", 0}})
            Put(name, value);
    }
    ~GameFixture() override { SetPlayEventSink(previousSink); }

    CPlayfield& Game() { return *app.playfield; }
    int Falling() { return Game().GetDeck().Current()->GetValue(); }
    Point CardAt() { return {Game().GetDeck().GetX(), Game().GetDeck().GetY()}; }
    std::uint32_t Pixel(int x, int y) { return window->Pixels().Pixel(x, y); }
    void Key(platform::WPARAM key) { window->SendMessage(Msg::KeyDown, key, 0); }
    void Command(int id) { window->SendMessage(Msg::Command, static_cast<platform::WPARAM>(id), 0); }
    // The title, and whether the fall timer runs.
    std::string Now() { return window->GetWindowText() + (window->Timers().contains(1) ? " running" : ""); }
    // Gives the command; in its dialog the player clicks these. What the player saw there.
    std::string During(int command, const std::vector<int>& clicks = {}) {
        std::string seen;
        headless.desktop.dialogHandler = [&](platform::HeadlessWindow& dialog, const auto&) {
            seen = Now();
            for (int id : clicks) dialog.Click(id);
        };
        Command(command);
        headless.desktop.dialogHandler = nullptr;
        return seen;
    }
    void Tick(int times = 1) {
        for (int i = 0; i < times; ++i) window->SendMessage(Msg::Timer, 1, 0);
    }
    void Repaint() {
        window->DrawCalls().clear();
        window->InvalidateRect(nullptr, true);
        window->UpdateWindow();
    }

    // Steers the falling card over the column and drops it.
    void DropOn(int column) {
        for (int moves = 0; moves < 7 && Game().GetColumn() != column; ++moves)
            Key(Game().GetColumn() > column ? platform::VK_LEFT : platform::VK_RIGHT);
        Key(GameOptions.UpDown == 1 ? platform::VK_DOWN : platform::VK_UP);
    }
    // A column's card values, top first.
    std::vector<int> Cards(int column) {
        std::vector<int> values;
        const CCardStack& stack = *Game().GetStacks().GetStack(column);
        for (const CCardListNode* n = stack.Head(); n != stack.End(); n = n->next)
            values.push_back(n->card->GetValue());
        return values;
    }
    int Lowest() {
        int best = 0;
        for (int c = 1; c < 7; ++c)
            if (Cards(c).size() < Cards(best).size()) best = c;
        return best;
    }

    std::vector<PlayEvent> Events(Kind kind) const {
        std::vector<PlayEvent> found;
        std::copy_if(events.begin(), events.end(), std::back_inserter(found),
                     [kind](const PlayEvent& e) { return e.kind == kind; });
        return found;
    }
    // The texts drawn since the call log was last cleared, and where.
    std::vector<std::pair<Point, std::string>> Texts() {
        std::vector<std::pair<Point, std::string>> texts;
        for (const platform::DrawCall& call : window->DrawCalls())
            if (call.kind == platform::DrawCall::Kind::TextOut)
                texts.push_back({{call.rect.left, call.rect.top}, call.text});
        return texts;
    }
    bool Drawn(Point at, const std::string& text) {
        const auto texts = Texts();
        return std::find(texts.begin(), texts.end(), std::pair(at, text)) != texts.end();
    }
    std::vector<PlayEvent> events;
    PlayEventSink previousSink;
};

}  // namespace enginetest
