#include "resources/DialogTemplates.h"

#include <utility>

#include "platform/LastError.h"

namespace {

constexpr int kResourceNotFound = 1814;

platform::DialogTemplate MakeLevelDialog() {
    platform::DialogTemplate dialog;
    dialog.id = IDD_NEXT_LEVEL;
    dialog.place = {0, 0, 186, 34};
    dialog.caption = false;
    dialog.font = "MS Sans Serif";
    dialog.pointSize = 8;
    platform::DialogControl text;
    text.kind = platform::DialogControl::Kind::Static;
    text.text = "You have advanced to the next level";
    text.place = {7, 12, 7 + 172, 12 + 8};
    text.centred = true;
    dialog.controls.push_back(std::move(text));
    return dialog;
}

}  // namespace

const platform::DialogTemplate* FindDialogTemplate(int id) {
    static const platform::DialogTemplate levelDialog = MakeLevelDialog();
    switch (id) {
        case IDD_NEXT_LEVEL:
            return &levelDialog;
        default:
            platform::SetLastError(kResourceNotFound,
                                   "The specified resource name cannot be found in the image file.");
            return nullptr;
    }
}
