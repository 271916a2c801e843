#pragma once
// The colour picker, as ChooseColor offers it: it opens on a colour, shows sixteen
// custom colours that the caller keeps from one opening to the next, and tells
// whether the player chose a colour.

#include <array>

#include "platform/Types.h"

namespace platform {

class Window;

class ColorPicker {
public:
    using CustomColors = std::array<ColorRef, 16>;

    virtual ~ColorPicker() = default;
    // Modal over owner, starting at color. True with the chosen colour in color;
    // false, color untouched, when the player cancels. The custom colours the
    // player set in the picker come back in customColors either way.
    virtual bool ChooseColor(Window* owner, ColorRef& color, CustomColors& customColors) = 0;
};

}  // namespace platform
