#pragma once
// A dialog as its resource describes it: size and controls in dialog units, a
// font, and the styles that matter to the player. The host builds the window.

#include <string>
#include <vector>

#include "platform/Messages.h"
#include "platform/Types.h"

namespace platform {

class Window;

struct DialogControl {
    enum class Kind {
        Static,  // text, left-aligned unless centred
        Edit,    // one-line text field
        PushButton,
        DefaultPushButton,
        CheckBox,     // an automatic check box
        RadioButton,  // an automatic radio button
        Icon,         // a picture from an icon resource
        EtchedLine,   // a horizontal etched line
    };
    Kind kind = Kind::Static;
    int id = -1;       // −1: no identifier
    std::string text;  // with & mnemonics, unless noPrefix
    Rect place;        // x, y, x + width, y + height in dialog units
    bool centred = false;
    bool noPrefix = false;
    bool tabStop = false;
    bool group = false;
    bool readOnly = false;
    bool border = false;
    int icon = 0;  // the icon resource of an Icon control
};

struct DialogTemplate {
    int id = 0;
    std::string title;
    Rect place;           // x, y, x + width, y + height in dialog units
    bool caption = true;  // title bar with a system menu; false: a popup with a thin border
    std::string font = "MS Sans Serif";
    int pointSize = 8;
    std::vector<DialogControl> controls;  // in template order: the tab order
};

// A dialog procedure: true when it handled the message. WM_INITDIALOG returns
// true to let the system set the focus on the first control that takes it.
using DialogProc = std::intptr_t (*)(Window* dialog, Msg message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
