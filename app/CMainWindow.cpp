#include "app/CMainWindow.h"

#include <cassert>

#include "app/GameOptions.h"
#include "app/MenuCommands.h"
#include "app/Random.h"
#include "app/Registry.h"
#include "app/Settings.h"
#include "app/Utilities.h"
#include "diag/Diagnostics.h"
#include "dialogs/AboutDlgProc.h"
#include "dialogs/CHighScoreDlg.h"
#include "dialogs/WelcomeDlgProc.h"
#include "engine/CPlayfield.h"
#include "engine/PlayEvents.h"
#include "platform/Services.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"

using platform::LPARAM;
using platform::LRESULT;
using platform::Msg;
using platform::WPARAM;

CMainWindow* theMainWindow = nullptr;
std::string AppTitle;
std::string WindowClassName;
std::int32_t PlatformIsNT = 0;

namespace {

constexpr std::size_t kStringBufferSize = 100;
constexpr int kMinimumWidth = 629;
constexpr int kMinimumHeight = 455;
constexpr std::uintptr_t kFallTimer = 1;

platform::Desktop& Desktop() {
    return *platform::Current().desktop;
}

platform::MusicPlayer& Music() {
    return *platform::Current().music;
}

}  // namespace

CMainWindow::CMainWindow() {
    assert(!theMainWindow && "there is only one main window");
    theMainWindow = this;
}

CMainWindow::~CMainWindow() {
    playfield.reset();
    if (theMainWindow == this) theMainWindow = nullptr;
}

LRESULT MainWndProc(platform::Window* window, Msg message, WPARAM wParam, LPARAM lParam) {
    return theMainWindow->HandleMessage(window, message, wParam, lParam);
}

int RegisterWindowClass() {
    platform::WindowClass windowClass;
    windowClass.name = WindowClassName;
    windowClass.procedure = MainWndProc;
    windowClass.menuBar = LoadMenuResource(IDC_DECKFALL);
    windowClass.largeIcon = IDI_DECKFALL;
    windowClass.smallIcon = IDI_SMALL;
    return Desktop().RegisterWindowClass(windowClass);
}

int WinMain(platform::ShowCommand showCommand) {
    InitDiagnostics();
    AppTitle = LoadResourceString(IDS_APP_TITLE, kStringBufferSize);
    WindowClassName = LoadResourceString(IDS_WINDOW_CLASS, kStringBufferSize);
    RegisterWindowClass();
    PlatformIsNT = 0;
    if (!theMainWindow->Create(showCommand)) return 0;
    auto accelerators = LoadAcceleratorResource(IDC_DECKFALL);
    if (!accelerators) {
        ShowLastError();
        accelerators.emplace();
    }
    return Desktop().RunMessageLoop(*accelerators);
}

void CMainWindow::KeepPlacementOnScreen() {
    const int screenWidth = Desktop().GetSystemMetric(platform::SystemMetric::ScreenWidth);
    const int screenHeight = Desktop().GetSystemMetric(platform::SystemMetric::ScreenHeight);
    const int iconWidth = Desktop().GetSystemMetric(platform::SystemMetric::IconWidth);
    const int iconHeight = Desktop().GetSystemMetric(platform::SystemMetric::IconHeight);
    if (Left < 0 || Left > screenWidth - iconWidth) Left = 0;
    if (Top < 0 || Top > screenHeight - iconHeight) Top = 0;
    if (Width > screenWidth) Width = 640;
    if (Height > screenHeight) Height = 500;
    // Not the minimums themselves: a window that small would open cramped.
    if (Width < kMinimumWidth) Width = 638;
    if (Height < kMinimumHeight) Height = 498;
}

bool CMainWindow::Create(platform::ShowCommand showCommand) {
    LoadSettings(*this);
    KeepPlacementOnScreen();

    window_ = Desktop().CreateMainWindow(WindowClassName, AppTitle, {Left, Top, Left + Width, Top + Height});
    if (!window_) {
        ShowLastError();
        return false;
    }
    window_->ShowWindow(showCommand);
    window_->UpdateWindow();
    if (MinMax == 2 || IsFirstBoot())
        window_->ShowWindow(platform::ShowCommand::Maximized);
    else
        window_->ShowWindow(platform::ShowCommand::Normal);
    if (!window_->UpdateWindow()) ShowLastError();

    // Linux answers as the NT platform does: tones go to the tone generator.
    PlatformIsNT = 1;

    if (!cardLibrary.Load(window_)) return false;
    SeedRandom(static_cast<std::uint32_t>(platform::Current().clock->Time()));
    slotRingBitmap = Desktop().CreateBitmap(LoadBitmapResource(IDB_SLOT_RING));
    slotFrameBitmap = Desktop().CreateBitmap(LoadBitmapResource(IDB_SLOT_FRAME));
    cardWidth = cardLibrary.GetCardWidth();
    cardHeight = cardLibrary.GetCardHeight();

    NewGame(window_);
    if (GameOptions.ShowNagDlg) window_->SendMessage(Msg::Command, ID_INTRODUCTION, 0);
    PlayNextSong(window_);
    started = 1;
    return true;
}

bool CMainWindow::Running() const {
    return playfield && !paused;
}

bool CMainWindow::Resumable() const {
    return playfield && paused && !gameOver;
}

LRESULT CMainWindow::HandleMessage(platform::Window* window, Msg message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case Msg::Destroy:
            Shutdown();
            Desktop().PostQuitMessage(0);
            return 0;
        case Msg::Close:
        case Msg::EndSession:
            OnClose(window);
            return window->DefWindowProc(message, wParam, lParam);
        case Msg::Paint:
            OnPaint(window);
            return 0;
        case Msg::EraseBackground:
            return OnEraseBackground(window, reinterpret_cast<platform::DrawingContext*>(wParam)) ? 1 : 0;
        case Msg::Sizing:
            OnSizing(wParam, reinterpret_cast<platform::Rect*>(lParam));
            return 0;
        case Msg::SetFocus:
            if (Resumable()) SetPaused(window, false);
            return 0;
        case Msg::KillFocus:
        case Msg::InitMenu:
            if (Running()) SetPaused(window, true);
            return 0;
        case Msg::MenuSelect:
            if (platform::HiWord(wParam) == 0xFFFF && lParam == 0) {
                if (Resumable()) SetPaused(window, false);
                return 0;
            }
            return window->DefWindowProc(message, wParam, lParam);
        case Msg::KeyDown:
            if (OnKeyDown(window, wParam)) return 0;
            return window->DefWindowProc(message, wParam, lParam);
        case Msg::Command:
            if (OnCommand(window, platform::LoWord(wParam))) return 0;
            return window->DefWindowProc(message, wParam, lParam);
        case Msg::Timer:
            if (OnTimer(window, wParam)) return 0;
            return window->DefWindowProc(message, wParam, lParam);
        case Msg::MusicNotify:
            OnMusicNotify(window, lParam);
            return 0;
        default:
            return window->DefWindowProc(message, wParam, lParam);
    }
}

void CMainWindow::OnPaint(platform::Window* window) {
    auto dc = window->BeginPaint();
    if (playfield) playfield->Paint(*dc, window);
}

bool CMainWindow::OnEraseBackground(platform::Window* window, platform::DrawingContext* dc) {
    const platform::Rect client = window->GetClientRect();
    if (!dc || !dc->FillRect({0, 0, client.right - client.left, client.bottom - client.top},
                             static_cast<platform::ColorRef>(GameOptions.BackgroundColor))) {
        ShowLastError();
        return false;
    }
    return true;
}

void CMainWindow::OnSizing(WPARAM edge, platform::Rect* rect) {
    using namespace platform;
    if (!rect) return;
    const bool bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
    const bool top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
    const bool left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
    const bool right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
    if (bottom && rect->Height() < kMinimumHeight) rect->bottom = rect->top + kMinimumHeight;
    if (top && rect->Height() < kMinimumHeight) rect->top = rect->bottom - kMinimumHeight;
    if (left && rect->Width() < kMinimumWidth) rect->left = rect->right - kMinimumWidth;
    if (right && rect->Width() < kMinimumWidth) rect->right = rect->left + kMinimumWidth;
}

void CMainWindow::OnClose(platform::Window* window) {
    if (!paused) window->KillTimer(kFallTimer);
    const platform::WindowPlacement placement = window->GetWindowPlacement();
    Top = placement.normalRect.top;
    Left = placement.normalRect.left;
    Width = placement.normalRect.Width();
    Height = placement.normalRect.Height();
    MinMax = placement.showCommand == platform::ShowCommand::Maximized ? 2 : 0;
    SaveSettings(*this);
}

void CMainWindow::Shutdown() {
    cardLibrary.Unload();
    slotRingBitmap.reset();
    slotFrameBitmap.reset();
    playfield.reset();
}

void CMainWindow::SetPaused(platform::Window* window, bool pause) {
    if (pause) {
        window->SetWindowText(AppTitle + (gameOver ? " - Game Over" : " - Paused"));
        paused = 1;
        window->KillTimer(kFallTimer);
    } else {
        window->SetWindowText(AppTitle);
        paused = 0;
        // Without a game a tick would have nothing to drive.
        if (playfield) window->SetTimer(kFallTimer, static_cast<unsigned>(GameOptions.DropInterval));
    }
}

void CMainWindow::TogglePause(platform::Window* window) {
    if (!gameOver) SetPaused(window, !paused);
}

void CMainWindow::NewGame(platform::Window* window) {
    if (!paused) SetPaused(window, true);
    if (playfield) {
        if (!gameOver && Desktop().MessageBox(window, "Are you sure you want to quit the current game?",
                                              "New Game", platform::MB_YESNO) != platform::IDYES) {
            SetPaused(window, false);
            return;
        }
        if (!gameOver) GameOver(window, Abandoned);
        playfield.reset();
    }
    ReportPlayEvent({.kind = PlayEvent::Kind::Game});
    playfield = std::make_unique<CPlayfield>(window);
    gameOver = 0;
    window->InvalidateRect(nullptr, true);
    window->UpdateWindow();
    SetPaused(window, false);
    if (started) PlayNextSong(window);
}

void CMainWindow::GameOver(platform::Window* window, GameOverReason reason) {
    // First of all: while the boxes below run their loops, a repaint must neither draw
    // the falling card nor end the game again, and keys must do nothing.
    gameOver = 1;
    SetPaused(window, true);
    // Before any box opens: the report of the song cut short may arrive inside its loop.
    StopMusic();
    ignoreMusicNotify = 1;

    std::int32_t scoreToBeat = DefaultScore(1);
    std::string tenth;
    if (ReadRegString(HKEY_CURRENT_USER, HighScoresKey, "score9", tenth, 255))
        scoreToBeat = tenth.size() < 2 ? 0 : std::atoi(tenth.c_str() + 1);

    bool answered = false;
    switch (reason) {
        case DeckEmptied:
            Desktop().MessageBox(
                window,
                "You're out of cards!  When playing with the \"One Deck\" option, you only get 52 cards to "
                "play with. They're recycled back into the deck every time you collapse a stack, but once "
                "the "
                "deck is empty, the game is over.  And that's what just happened!",
                "Game Over", platform::MB_OK);
            answered = true;
            break;
        case PerpetualHand:
            Desktop().MessageBox(
                window,
                "Getting tired of this yet?  You've nearly emptied the deck, and it just so happens that the "
                "few remaining cards are a perfect match -- they will collapse on their own from now until "
                "eternity. So, you are hereby awarded 10,000 extra points for discovering this odd quirk of "
                "the "
                "rules, and the game is now over.  Hope you get a high score!",
                "Game Over", platform::MB_OK);
            playfield->AddWinnings(10000);
            answered = true;
            break;
        case Abandoned:
            answered = true;
            break;
        case NoRoom:
        default:
            break;
    }
    const std::int32_t winnings = playfield->GetWinnings();
    ReportPlayEvent({.kind = PlayEvent::Kind::Over, .reason = reason, .winnings = winnings});

    if (winnings > scoreToBeat) {
        pendingScore = winnings;
        highScorePending = 1;
        Desktop().MessageBox(window, "Congratulations!  You got a high score!", "Game Over", platform::MB_OK);
        if (const platform::DialogTemplate* list = FindDialogTemplate(IDD_HIGH_SCORES))
            Desktop().DialogBoxParam(*list, window, HighScoreDlgProc, 0);
        highScorePending = 0;
        pendingScore = 0;
        answered = true;
    }
    if (!answered && Desktop().MessageBox(window, "Do you want to play again?", "Game Over",
                                          platform::MB_YESNO) == platform::IDYES)
        // Posted, not sent: the new game starts once this game's operations have returned.
        window->PostMessage(Msg::Command, ID_NEW_GAME, 0);
}

bool CMainWindow::OnKeyDown(platform::Window* window, WPARAM key) {
    using namespace platform;
    if (!playfield || paused || gameOver || key < VK_SPACE || key > VK_NUMPAD8) return false;
    const bool stacksBelow = GameOptions.UpDown == 1;
    switch (key) {
        case VK_SPACE:
        case VK_NUMPAD5:
            playfield->Swap(window);
            return true;
        case VK_LEFT:
        case VK_NUMPAD4:
            playfield->MoveLeft(window);
            return true;
        case VK_RIGHT:
        case VK_NUMPAD6:
            playfield->MoveRight(window);
            return true;
        case VK_DOWN:
        case VK_NUMPAD2:
            stacksBelow ? playfield->Drop(window) : playfield->Swap(window);
            return true;
        case VK_UP:
        case VK_NUMPAD8:
            stacksBelow ? playfield->Swap(window) : playfield->Drop(window);
            return true;
        default:
            return false;
    }
}

bool CMainWindow::OnTimer(platform::Window* window, WPARAM id) {
    if (id != kFallTimer) return false;
    if (playfield) playfield->Tick(window);
    return true;
}

bool CMainWindow::OnCommand(platform::Window* window, int id) {
    switch (id) {
        case IDM_EXIT:
            ExitCommand(window);
            return true;
        case IDM_ABOUT:
            DialogCommand(*this, window, IDD_ABOUT, AboutDlgProc);
            return true;
        case ID_HIGH_SCORES:
            // Only shown: highScorePending is clear outside the end of a game.
            DialogCommand(*this, window, IDD_HIGH_SCORES, HighScoreDlgProc);
            return true;
        case ID_INTRODUCTION:
            DialogCommand(*this, window, IDD_WELCOME, WelcomeDlgProc);
            return true;
        case ID_OPTIONS:
            OptionsCommand(*this, window);
            return true;
        case ID_HELP_TOPICS:
            HelpCommand();
            return true;
        case ID_PAUSE:
            TogglePause(window);
            return true;
        case ID_NEW_GAME:
            NewGame(window);
            return true;
        case ID_NEXT_LEVEL:
            if (playfield) playfield->AdvanceLevel(window);
            return true;
        default:
            return false;
    }
}

void CMainWindow::StopMusic() {
    Music().Close(musicDevice);
    musicDevice = 0;
}

void CMainWindow::PlayNextSong(platform::Window* window) {
    if (!GameOptions.Music) return;
    ++songNumber;
    // Past song 999 no name is made; the empty one fails and the songs start over.
    const std::string name = songNumber < 1000 ? "song" + std::to_string(songNumber) + ".mid" : "";
    if (OpenAndPlay(window, name) != 0 && songNumber != 1) {
        songNumber = 0;
        PlayNextSong(window);
    }
}

std::uint32_t CMainWindow::OpenAndPlay(platform::Window* window, const std::string& name) {
    if (!GameOptions.Music) return 0;
    // A song still playing (the new game of a confirmed options dialog starts the next one
    // without a game over) is closed first: two songs would sound at once, and the first
    // one's end would cut the second short. Its late report names a device that is no
    // longer ours and is passed over.
    if (musicDevice != 0) StopMusic();
    platform::MusicDeviceId device = 0;
    if (const std::uint32_t error = Music().Open(name, device)) return error;
    musicDevice = device;
    if (const std::uint32_t error = Music().Play(device, window)) {
        StopMusic();
        return error;
    }
    return 0;
}

void CMainWindow::OnMusicNotify(platform::Window* window, LPARAM device) {
    // Only the song playing now moves the music on; a report of one closed since then is late.
    if (songNumber != 0 && !ignoreMusicNotify &&
        static_cast<platform::MusicDeviceId>(device) == musicDevice) {
        StopMusic();
        PlayNextSong(window);
    }
    ignoreMusicNotify = 0;
}
