#pragma once
// The colour picker of the headless platform: every opening is recorded and
// answered by the test's player, who may also set custom colours as the picker
// lets one do. Without a player every opening is cancelled.

#include <functional>
#include <optional>
#include <vector>

#include "platform/ColorPicker.h"

namespace platform {

struct ColorPickerRecord {
    Window* owner = nullptr;
    ColorRef initial = 0;
    ColorPicker::CustomColors customColors{};  // as the picker was handed them
};

class HeadlessColorPicker final : public ColorPicker {
public:
    // The chosen colour, or nothing for Cancel.
    using Player =
        std::function<std::optional<ColorRef>(const ColorPickerRecord& opening, CustomColors& customColors)>;

    bool ChooseColor(Window* owner, ColorRef& color, CustomColors& customColors) override {
        openings_.push_back({owner, color, customColors});
        const std::optional<ColorRef> chosen = player ? player(openings_.back(), customColors) : std::nullopt;
        if (chosen) color = *chosen;
        return chosen.has_value();
    }

    Player player;
    const std::vector<ColorPickerRecord>& Openings() const { return openings_; }

private:
    std::vector<ColorPickerRecord> openings_;
};

}  // namespace platform
