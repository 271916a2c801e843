#include "resources/Resources.h"

#include "platform/LastError.h"
#include "platform/Messages.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int kResourceNotFound = 1814;

void ReportMissing() {
    platform::SetLastError(kResourceNotFound,
                           "The specified resource name cannot be found in the image file.");
}

}  // namespace

std::string LoadResourceString(int id, std::size_t bufferSize) {
    std::string text;
    switch (id) {
        case IDS_APP_TITLE:
            text = "Deckfall";
            break;
        case IDS_WINDOW_CLASS:
            text = "DECKFALL";
            break;
        default:
            ReportMissing();
            return {};
    }
    if (bufferSize == 0) return {};
    if (text.size() >= bufferSize) text.resize(bufferSize - 1);
    return text;
}

std::vector<platform::Menu> LoadMenuResource(int id) {
    if (id != IDC_DECKFALL) {
        ReportMissing();
        return {};
    }
    return {
        {"&Game",
         {{"&New\tCtrl+N", ID_NEW_GAME},
          {"", 0},
          {"High Score List...", ID_HIGH_SCORES},
          {"&Options...", ID_OPTIONS},
          {"", 0},
          {"E&xit\tCtrl+X", IDM_EXIT}}},
        {"&Help",
         {{"&Help on Deckfall...", ID_HELP_TOPICS},
          {"", 0},
          {"&Introduction...", ID_INTRODUCTION},
          {"&About ...", IDM_ABOUT}}},
    };
}

std::optional<std::vector<platform::Accelerator>> LoadAcceleratorResource(int id) {
    if (id != IDC_DECKFALL) {
        ReportMissing();
        return std::nullopt;
    }
    using Kind = platform::Accelerator::Kind;
    return std::vector<platform::Accelerator>{
        {Kind::Character, '/', false, true, IDM_ABOUT},
        {Kind::Character, '?', false, true, IDM_ABOUT},
        {Kind::VirtualKey, 'N', true, false, ID_NEW_GAME},
        {Kind::VirtualKey, platform::VK_F2, false, false, ID_NEW_GAME},
        {Kind::VirtualKey, platform::VK_F3, false, false, ID_PAUSE},
        {Kind::VirtualKey, 'X', true, false, IDM_EXIT},
    };
}
