#include "app/Utilities.h"

#include <cmath>

#include "app/Random.h"
#include "platform/LastError.h"
#include "platform/Services.h"

void ShowLastError() {
    const platform::SystemError& error = platform::GetLastError();
    const std::string text =
        error.message.empty() ? std::string("The operation completed successfully.") : error.message;
    platform::Current().desktop->MessageBox(nullptr, text, "Deckfall",
                                            platform::MB_OK | platform::MB_ICONINFORMATION);
}

void CenterOnParent(platform::Window* window) {
    const platform::Rect rect = window->GetWindowRect();
    const platform::Window* parent = window->GetParent();
    if (!parent) return;
    const platform::Rect outer = parent->GetWindowRect();
    window->MoveTo((outer.left + outer.right) / 2 - rect.Width() / 2,
                   (outer.top + outer.bottom) / 2 - rect.Height() / 2);
}

std::int32_t RandomInt(std::uint32_t high, std::int32_t low) {
    const int r = NextRandom();
    const double scaled =
        r / static_cast<double>(kRandomMax) * (static_cast<double>(high) - static_cast<double>(low)) + low;
    const auto result = static_cast<std::int32_t>(std::trunc(scaled));
    return static_cast<std::int64_t>(result) == static_cast<std::int64_t>(high) ? low : result;
}

void GetItemText(platform::Window* dialog, int id, std::string& buffer, std::size_t bufferSize) {
    buffer.clear();
    platform::Window* control = dialog->GetDlgItem(id);
    if (!control || bufferSize == 0) return;
    buffer = control->GetWindowText();
    if (buffer.size() >= bufferSize) buffer.resize(bufferSize - 1);
}

void SetItemText(platform::Window* dialog, int id, std::string_view text) {
    if (platform::Window* control = dialog->GetDlgItem(id)) control->SetWindowText(text);
}

bool EndDialogOnOkOrCancel(platform::Window* dialog, platform::WPARAM wParam) {
    const int id = platform::LoWord(wParam);
    if (id != platform::IDOK && id != platform::IDCANCEL) return false;
    dialog->EndDialog(id);
    return true;
}
