#include "platform/headless/HeadlessWindow.h"

#include <algorithm>
#include <utility>

#include "platform/headless/HeadlessDesktop.h"

namespace platform {

HeadlessWindow::HeadlessWindow(HeadlessDesktop& desktop, WindowProc procedure, std::string title,
                               const Rect& outer, HeadlessWindow* parent, bool framed)
    : desktop_(desktop),
      procedure_(procedure),
      title_(std::move(title)),
      outer_(outer),
      normal_(outer),
      parent_(parent),
      framed_(framed) {
    ResizeBuffer();
}

HeadlessWindow::~HeadlessWindow() {
    desktop_.Forget(this);
}

Rect HeadlessWindow::GetClientRect() const {
    if (!framed_) return {0, 0, outer_.Width(), outer_.Height()};
    return {0, 0, std::max(0, outer_.Width() - 2 * kFrameX),
            std::max(0, outer_.Height() - kFrameTop - kFrameBottom)};
}

void HeadlessWindow::ResizeBuffer() {
    const Rect client = GetClientRect();
    if (client.Width() == pixels_.Width() && client.Height() == pixels_.Height()) return;
    pixels_ = Image(client.Width(), client.Height());
    // A resized window is redrawn whole, background first.
    invalid_ = true;
    eraseWanted_ = true;
}

bool HeadlessWindow::MoveTo(int x, int y) {
    return MoveWindow({x, y, x + outer_.Width(), y + outer_.Height()}, true);
}

bool HeadlessWindow::MoveWindow(const Rect& outer, bool) {
    outer_ = outer;
    if (showState_ == ShowCommand::Normal) normal_ = outer;
    ResizeBuffer();
    return true;
}

bool HeadlessWindow::ShowWindow(ShowCommand command) {
    const ShowCommand previous = showState_;
    switch (command) {
        case ShowCommand::Maximized:
            showState_ = ShowCommand::Maximized;
            outer_ = {0, 0, desktop_.GetSystemMetric(SystemMetric::ScreenWidth),
                      desktop_.GetSystemMetric(SystemMetric::ScreenHeight)};
            break;
        case ShowCommand::Minimized:
            showState_ = ShowCommand::Minimized;
            break;
        case ShowCommand::Normal:
            showState_ = ShowCommand::Normal;
            outer_ = normal_;
            break;
        case ShowCommand::Show:
        case ShowCommand::Hide:
            break;
    }
    ResizeBuffer();
    return previous != ShowCommand::Hide;
}

WindowPlacement HeadlessWindow::GetWindowPlacement() const {
    return {showState_, normal_};
}

bool HeadlessWindow::SetWindowText(std::string_view text) {
    title_.assign(text);
    titles_.push_back(title_);
    return true;
}

HeadlessWindow& HeadlessWindow::AddControl(const DialogControl& control) {
    auto added =
        std::make_unique<HeadlessWindow>(desktop_, nullptr, control.text, Rect{0, 0, 10, 10}, this, false);
    added->kind_ = control.kind;
    added->readOnly_ = control.readOnly;
    HeadlessWindow& result = *added;
    controls_[control.id] = std::move(added);
    return result;
}

void HeadlessWindow::Click(int id) {
    auto found = controls_.find(id);
    if (found == controls_.end() || !found->second->enabled_) return;
    HeadlessWindow& control = *found->second;
    if (control.kind_ == DialogControl::Kind::CheckBox) control.check_ = control.check_ ? 0 : 1;
    if (control.kind_ == DialogControl::Kind::RadioButton) {
        for (auto& [otherId, other] : controls_)
            if (other->kind_ == DialogControl::Kind::RadioButton) other->check_ = 0;
        control.check_ = 1;
    }
    SendMessage(Msg::Command, static_cast<WPARAM>(id), 0);
}

namespace {

// Characters as an edit counts them: UTF-16 units.
std::size_t Utf16Units(std::string_view utf8) {
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) ++units;
        if (byte >= 0xF0) ++units;  // outside the basic plane: a surrogate pair
    }
    return units;
}

}  // namespace

void HeadlessWindow::Type(int id, std::string_view text) {
    auto found = controls_.find(id);
    if (found == controls_.end()) return;
    HeadlessWindow& edit = *found->second;
    if (edit.kind_ != DialogControl::Kind::Edit || edit.readOnly_ || !edit.enabled_) return;
    // A key per character: one that would pass the limit is refused, a shorter one may still fit.
    for (std::size_t i = 0; i < text.size();) {
        std::size_t next = i + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) ++next;
        const std::string_view character = text.substr(i, next - i);
        if (edit.textLimit_ <= 0 ||
            Utf16Units(edit.title_) + Utf16Units(character) <= static_cast<std::size_t>(edit.textLimit_))
            edit.title_.append(character);
        i = next;
    }
}

Window* HeadlessWindow::GetDlgItem(int id) {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second.get();
}

bool HeadlessWindow::EnableWindow(bool enable) {
    const bool wasDisabled = !enabled_;
    enabled_ = enable;
    return wasDisabled;
}

bool HeadlessWindow::SetFocus() {
    // One focus per dialog: taking it clears it on the siblings.
    if (parent_)
        for (auto& [id, control] : parent_->controls_) control->focused_ = false;
    focused_ = true;
    return true;
}

HeadlessWindow* HeadlessWindow::FocusedControl() {
    for (auto& [id, control] : controls_)
        if (control->focused_) return control.get();
    return nullptr;
}

bool HeadlessWindow::SetCheck(int state) {
    check_ = state;
    return true;
}

bool HeadlessWindow::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    return true;
}

bool HeadlessWindow::LimitText(int characters) {
    textLimit_ = characters;
    return true;
}

bool HeadlessWindow::EndDialog(std::intptr_t result) {
    dialogEnded_ = true;
    dialogResult_ = result;
    return true;
}

std::unique_ptr<DrawingContext> HeadlessWindow::GetDC() {
    auto dc = std::make_unique<RasterContext>(pixels_, recording_ ? &drawCalls_ : nullptr,
                                              [this](const Rect& changed) {
                                                  if (recording_ && !changed.IsEmpty())
                                                      pushes_.push_back(changed);
                                              });
    dc->SetRasterising(rasterise_);
    dc->CountOutside(&outsideDraws_);
    return dc;
}

std::unique_ptr<DrawingContext> HeadlessWindow::BeginPaint() {
    invalid_ = false;
    return GetDC();
}

bool HeadlessWindow::InvalidateRect(const Rect*, bool erase) {
    invalid_ = true;
    eraseWanted_ = eraseWanted_ || erase;
    return true;
}

bool HeadlessWindow::UpdateWindow() {
    if (!invalid_ || destroyed_) return true;
    if (std::exchange(eraseWanted_, false)) {
        auto dc = GetDC();
        SendMessage(Msg::EraseBackground, reinterpret_cast<WPARAM>(dc.get()), 0);
    }
    SendMessage(Msg::Paint, 0, 0);
    invalid_ = false;  // a procedure that did not call BeginPaint still counts as painted
    return true;
}

bool HeadlessWindow::SetTimer(std::uintptr_t id, unsigned milliseconds) {
    timers_[id] = milliseconds;
    timerDue_[id] = desktop_.Clock().ElapsedMs() + milliseconds;
    return true;
}

bool HeadlessWindow::KillTimer(std::uintptr_t id) {
    timerDue_.erase(id);
    return timers_.erase(id) > 0;
}

LRESULT HeadlessWindow::SendMessage(Msg message, WPARAM wParam, LPARAM lParam) {
    if (destroyed_ && message != Msg::Destroy) return 0;
    return procedure_ ? procedure_(this, message, wParam, lParam) : DefWindowProc(message, wParam, lParam);
}

bool HeadlessWindow::PostMessage(Msg message, WPARAM wParam, LPARAM lParam) {
    if (destroyed_) return false;
    desktop_.Post(this, message, wParam, lParam);
    return true;
}

LRESULT HeadlessWindow::DefWindowProc(Msg message, WPARAM, LPARAM) {
    if (message == Msg::Close) DestroyWindow();
    return 0;
}

bool HeadlessWindow::DestroyWindow() {
    if (destroyed_) return false;
    destroyed_ = true;
    timers_.clear();
    timerDue_.clear();
    if (procedure_) procedure_(this, Msg::Destroy, 0, 0);
    return true;
}

}  // namespace platform
