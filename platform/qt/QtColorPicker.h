#pragma once
// The colour picker of the Qt host: Qt's own colour dialog.

#include "platform/ColorPicker.h"

namespace platform {

class QtColorPicker final : public ColorPicker {
public:
    bool ChooseColor(Window* owner, ColorRef& color, CustomColors& customColors) override;
};

}  // namespace platform
