#pragma once
// A settings store that holds nothing: the card library never touches it.

#include "platform/SettingsStore.h"

class NullSettings final : public platform::SettingsStore {
public:
    std::optional<platform::SettingsValue> ReadValue(std::string_view, std::string_view) override {
        return std::nullopt;
    }
    bool WriteValue(std::string_view, std::string_view, const platform::SettingsValue&) override {
        return false;
    }
    bool WriteValues(std::span<const platform::SettingsWrite>) override { return false; }
};
