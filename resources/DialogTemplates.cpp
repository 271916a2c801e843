#include "resources/DialogTemplates.h"

#include <string>
#include <utility>

#include "platform/Desktop.h"
#include "platform/LastError.h"
#include "resources/ResourceIds.h"

namespace {

using platform::DialogControl;
using Kind = DialogControl::Kind;

constexpr int kResourceNotFound = 1814;

// A place as the templates give it: x, y, width, height in dialog units.
constexpr platform::Rect Units(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
}

DialogControl Control(Kind kind, int id, std::string text, platform::Rect place) {
    DialogControl control;
    control.kind = kind;
    control.id = id;
    control.text = std::move(text);
    control.place = place;
    return control;
}

DialogControl Text(std::string text, platform::Rect place) {
    return Control(Kind::Static, -1, std::move(text), place);
}

DialogControl Line(platform::Rect place) {
    return Control(Kind::EtchedLine, -1, "", place);
}

DialogControl Icon(int icon, platform::Rect place) {
    DialogControl control = Control(Kind::Icon, -1, "", place);
    control.icon = icon;
    return control;
}

DialogControl Button(Kind kind, int id, std::string text, platform::Rect place) {
    DialogControl control = Control(kind, id, std::move(text), place);
    control.tabStop = true;
    return control;
}

DialogControl CheckBox(int id, std::string text, platform::Rect place) {
    return Button(Kind::CheckBox, id, std::move(text), place);
}

// Radio buttons have no tab stop of their own.
DialogControl Radio(int id, std::string text, platform::Rect place) {
    return Control(Kind::RadioButton, id, std::move(text), place);
}

platform::DialogTemplate Dialog(int id, std::string title, platform::Rect place) {
    platform::DialogTemplate dialog;
    dialog.id = id;
    dialog.title = std::move(title);
    dialog.place = place;
    return dialog;
}

platform::DialogTemplate MakeAboutDialog() {
    platform::DialogTemplate dialog = Dialog(IDD_ABOUT, "About Deckfall", Units(22, 17, 191, 138));
    DialogControl version = Text("Deckfall version 2.4", Units(8, 12, 176, 8));
    version.centred = true;
    version.noPrefix = true;
    DialogControl ok = Button(Kind::PushButton, platform::IDOK, "OK", Units(71, 117, 50, 14));
    ok.group = true;
    dialog.controls = {version, Icon(IDI_DECKFALL, Units(85, 50, 20, 20)), ok};
    return dialog;
}

platform::DialogTemplate MakeOptionsDialog() {
    platform::DialogTemplate dialog = Dialog(IDD_OPTIONS, "Options", Units(0, 0, 239, 257));
    dialog.controls = {
        Button(Kind::DefaultPushButton, platform::IDOK, "OK", Units(128, 236, 50, 14)),
        Button(Kind::PushButton, platform::IDCANCEL, "Cancel", Units(182, 236, 50, 14)),
        CheckBox(IDC_LAST_STACK, "Deal next card &above last stack ", Units(19, 50, 213, 10)),
        CheckBox(IDC_UPSIDE_DOWN, "Play &upside down", Units(19, 39, 213, 10)),
        CheckBox(IDC_DECK52, "D&eal from a deck of 52 cards", Units(19, 163, 213, 10)),
        CheckBox(IDC_GET_FASTER, "Drop cards &faster as level gets higher", Units(19, 196, 213, 10)),
        Radio(IDC_DRAW_POKER, "&Draw Poker (lets you trade your card for another one)",
              Units(19, 120, 213, 8)),
        Radio(IDC_SEVEN_CARD_POKER, "7 &Card Poker (lets you look at two extra cards and choose one)",
              Units(19, 131, 213, 10)),
        Text("Swap Mode", Units(7, 97, 39, 8)),
        Line(Units(53, 101, 179, 1)),
        Text("Controls", Units(7, 7, 26, 8)),
        Line(Units(39, 11, 193, 1)),
        Radio(IDC_STUD_POKER, "&Stud Poker (you're stuck with whatever card you're dealt)",
              Units(19, 108, 213, 10)),
        CheckBox(IDC_CLEAR_STACKS, "Clear stacks at the &beginning of each level", Units(19, 207, 213, 10)),
        CheckBox(IDC_SOUND_EFFECTS, "S&ound effects", Units(19, 28, 213, 10)),
        Icon(IDI_DECKFALL, Units(19, 230, 21, 20)),
        CheckBox(IDC_STUFF_BACK, "Stuff collapsed cards back into dec&k", Units(19, 174, 213, 10)),
        Text("Other Rules", Units(7, 152, 38, 8)),
        Line(Units(50, 156, 182, 1)),
        CheckBox(IDC_END_ON_SHUFFLE, "End game &when the deck is emptied", Units(19, 185, 213, 10)),
        CheckBox(IDC_MUSIC, "&Music", Units(19, 17, 213, 10)),
        CheckBox(IDC_SHOW_WELCOME, "Show &welcome screen on startup", Units(19, 61, 213, 8)),
        Button(Kind::PushButton, IDC_FOREGROUND_COLOR, "Change Foreground Color", Units(19, 74, 95, 14)),
        Button(Kind::PushButton, IDC_BACKGROUND_COLOR, "Change Background Color", Units(118, 74, 95, 14)),
    };
    return dialog;
}

platform::DialogTemplate MakeHighScoreDialog() {
    platform::DialogTemplate dialog = Dialog(IDD_HIGH_SCORES, "High Score List", Units(0, 0, 272, 229));
    constexpr int kRows = 10;
    auto& controls = dialog.controls;
    controls.push_back(Button(Kind::DefaultPushButton, platform::IDOK, "OK", Units(161, 206, 50, 16)));
    for (int k = 0; k < kRows; ++k)
        controls.push_back(Text(std::to_string(k + 1) + ".", Units(16, 32 + 16 * k, k == 9 ? 11 : 8, 8)));
    for (int k = 0; k < kRows; ++k) {
        DialogControl name = Control(Kind::Edit, IDC_NAME0 + k, "", Units(30, 30 + 16 * k, 183, 14));
        name.tabStop = true;
        name.readOnly = true;
        name.border = true;
        controls.push_back(name);
    }
    controls.push_back(Text("The Masters of Deckfall are:", Units(16, 10, 142, 8)));
    for (int k = 0; k < kRows; ++k)
        controls.push_back(Control(Kind::Static, IDC_SCORE0 + k, "1000", Units(224, 32 + 16 * k, 38, 8)));
    controls.push_back(Line(Units(16, 22, 249, 1)));
    controls.push_back(Line(Units(16, 195, 249, 1)));
    controls.push_back(Button(Kind::PushButton, platform::IDCANCEL, "Cancel", Units(215, 206, 50, 16)));
    controls.push_back(Icon(IDI_CLUB, Units(75, 204, 21, 20)));
    controls.push_back(Icon(IDI_HEART, Units(96, 204, 21, 20)));
    controls.push_back(Icon(IDI_SPADE, Units(117, 204, 21, 20)));
    controls.push_back(Icon(IDI_DIAMOND, Units(138, 204, 21, 20)));
    controls.push_back(Button(Kind::PushButton, IDC_RESET, "&Reset", Units(16, 206, 50, 16)));
    return dialog;
}

platform::DialogTemplate MakeWelcomeDialog() {
    platform::DialogTemplate dialog = Dialog(IDD_WELCOME, "Welcome to Deckfall!", Units(0, 0, 248, 242));
    dialog.controls = {
        Button(Kind::DefaultPushButton, platform::IDOK, "OK", Units(191, 99, 50, 14)),
        Text("Instructions:", Units(7, 7, 39, 8)),
        Text("* Use the arrow keys to maneuver your card above the stacks,", Units(15, 21, 226, 8)),
        Text("   or use the space bar to discard and draw another card.", Units(15, 29, 226, 8)),
        Text("* Win payouts by stacking cards vertically to form poker hands:", Units(15, 40, 226, 8)),
        Text("* The game ends when there's no room to stack the next card.", Units(15, 82, 226, 8)),
        Text("Flush", Units(35, 50, 18, 8)),
        Text("Straight", Units(35, 59, 25, 8)),
        Text("Full House", Units(35, 68, 34, 8)),
        Text("4 of a Kind", Units(125, 50, 35, 8)),
        Text("Straight Flush", Units(125, 59, 44, 8)),
        Text("Royal Flush", Units(125, 68, 38, 8)),
        Text("$10", Units(83, 50, 13, 8)),
        Text("$20", Units(83, 59, 13, 8)),
        Text("$50", Units(83, 68, 13, 8)),
        Text("$100", Units(183, 50, 17, 8)),
        Text("$500", Units(183, 59, 17, 8)),
        Text("$1000", Units(179, 68, 21, 8)),
    };
    return dialog;
}

platform::DialogTemplate MakeLevelDialog() {
    platform::DialogTemplate dialog = Dialog(IDD_NEXT_LEVEL, "", Units(0, 0, 186, 34));
    dialog.caption = false;
    DialogControl text = Text("You have advanced to the next level", Units(7, 12, 172, 8));
    text.centred = true;
    dialog.controls.push_back(std::move(text));
    return dialog;
}

}  // namespace

const platform::DialogTemplate* FindDialogTemplate(int id) {
    static const platform::DialogTemplate aboutDialog = MakeAboutDialog();
    static const platform::DialogTemplate optionsDialog = MakeOptionsDialog();
    static const platform::DialogTemplate levelDialog = MakeLevelDialog();
    static const platform::DialogTemplate highScoreDialog = MakeHighScoreDialog();
    static const platform::DialogTemplate welcomeDialog = MakeWelcomeDialog();
    switch (id) {
        case IDD_ABOUT:
            return &aboutDialog;
        case IDD_OPTIONS:
            return &optionsDialog;
        case IDD_NEXT_LEVEL:
            return &levelDialog;
        case IDD_HIGH_SCORES:
            return &highScoreDialog;
        case IDD_WELCOME:
            return &welcomeDialog;
        default:
            platform::SetLastError(kResourceNotFound,
                                   "The specified resource name cannot be found in the image file.");
            return nullptr;
    }
}
