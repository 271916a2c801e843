#include "app/CMainWindow.h"

#include <cassert>

#include "app/GameOptions.h"
#include "app/Random.h"
#include "app/Settings.h"
#include "app/Utilities.h"
#include "diag/Diagnostics.h"
#include "platform/Services.h"
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

platform::Desktop& Desktop() { return *platform::Current().desktop; }

}  // namespace

CMainWindow::CMainWindow() {
    assert(!theMainWindow && "there is only one main window");
    theMainWindow = this;
}

CMainWindow::~CMainWindow() {
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

    window_ = Desktop().CreateMainWindow(WindowClassName, AppTitle,
                                         {Left, Top, Left + Width, Top + Height});
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

    if (GameOptions.ShowNagDlg) window_->SendMessage(Msg::Command, ID_INTRODUCTION, 0);
    started = 1;
    return true;
}

LRESULT CMainWindow::HandleMessage(platform::Window* window, Msg message, WPARAM wParam,
                                   LPARAM lParam) {
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
        case Msg::Command:
            if (OnCommand(window, platform::LoWord(wParam))) return 0;
            return window->DefWindowProc(message, wParam, lParam);
        default:
            return window->DefWindowProc(message, wParam, lParam);
    }
}

void CMainWindow::OnPaint(platform::Window* window) {
    // The board joins here once a game exists; the background is the erase's.
    auto dc = window->BeginPaint();
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
}

bool CMainWindow::OnCommand(platform::Window* window, int id) {
    switch (id) {
        case IDM_EXIT:
            // Leaving this way writes nothing to the settings store.
            window->DestroyWindow();
            return true;
        default:
            return false;
    }
}
