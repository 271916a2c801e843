#pragma once
// The application and its one main window: start-up, the window's messages,
// painting, the minimum size, closing and destruction. There is exactly one
// CMainWindow at a time; other parts of the game reach it through theMainWindow.

#include <cstdint>
#include <memory>
#include <string>

#include "cardlib/CCardLibrary.h"
#include "cards/GameOverReason.h"
#include "platform/Desktop.h"
#include "platform/DrawingContext.h"
#include "platform/Messages.h"
#include "platform/Window.h"

class CPlayfield;

class CMainWindow {
public:
    CMainWindow();
    ~CMainWindow();
    CMainWindow(const CMainWindow&) = delete;
    CMainWindow& operator=(const CMainWindow&) = delete;

    // Creates and shows the window and brings up the game; false ends the program.
    bool Create(platform::ShowCommand showCommand);
    platform::LRESULT HandleMessage(platform::Window* window, platform::Msg message, platform::WPARAM wParam,
                                    platform::LPARAM lParam);

    platform::Window* GetWindow() const { return window_; }

    // The life of a game: pausing, new games and the end of a game.
    void SetPaused(platform::Window* window, bool pause);
    void TogglePause(platform::Window* window);
    bool IsPaused() const { return paused != 0; }
    bool IsGameOver() const { return gameOver != 0; }
    void NewGame(platform::Window* window);
    void GameOver(platform::Window* window, GameOverReason reason);

    // The player's doors into the game: keys, the fall timer and commands.
    bool OnKeyDown(platform::Window* window, platform::WPARAM key);
    bool OnTimer(platform::Window* window, platform::WPARAM id);
    bool OnCommand(platform::Window* window, int id);

    // Music: the numbered songs, one after another, while the Music option is on.
    void StopMusic();
    void PlayNextSong(platform::Window* window);
    // 0, or the player's error code when the song cannot be opened or played.
    std::uint32_t OpenAndPlay(platform::Window* window, const std::string& name);

    // Fields, in the order the design gives them.
    CCardLibrary cardLibrary;
    std::int32_t cardWidth = 0;
    std::int32_t cardHeight = 0;
    // The window's normal (restored) outer rectangle, and 2 when it was maximised at close.
    std::int32_t Top = 0;
    std::int32_t Left = 0;
    std::int32_t Width = 629;
    std::int32_t Height = 455;
    std::int32_t MinMax = 0;
    // The two halves of the empty-slot marker, bitmaps 169 and 170.
    std::unique_ptr<platform::Bitmap> slotRingBitmap;
    std::unique_ptr<platform::Bitmap> slotFrameBitmap;
    std::int32_t highScorePending = 0;
    std::int32_t pendingScore = 0;
    std::int32_t paused = 1;
    std::int32_t gameOver = 0;
    std::int32_t started = 0;
    std::int32_t ignoreMusicNotify = 0;
    std::int32_t songNumber = 0;
    std::uint32_t musicDevice = 0;
    std::unique_ptr<CPlayfield> playfield;

private:
    void OnPaint(platform::Window* window);
    bool OnEraseBackground(platform::Window* window, platform::DrawingContext* dc);
    void OnSizing(platform::WPARAM edge, platform::Rect* rect);
    void OnClose(platform::Window* window);
    void OnMusicNotify(platform::Window* window, platform::LPARAM device);
    void Shutdown();
    bool Running() const;
    bool Resumable() const;
    void KeepPlacementOnScreen();

    platform::Window* window_ = nullptr;
};

// The one main window, while it exists.
extern CMainWindow* theMainWindow;

// The title, string 103, and the window class name, string 109.
extern std::string AppTitle;
extern std::string WindowClassName;
// 1 on the NT platform: tones go to the system's tone call rather than the PC speaker.
extern std::int32_t PlatformIsNT;

// The window procedure registered for the main window: every message goes to theMainWindow.
platform::LRESULT MainWndProc(platform::Window* window, platform::Msg message, platform::WPARAM wParam,
                              platform::LPARAM lParam);
// RegisterClassEx of the main window's class.
int RegisterWindowClass();
// The entry point: start-up, then the message loop; returns the exit code.
int WinMain(platform::ShowCommand showCommand);
