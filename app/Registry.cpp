#include "app/Registry.h"

#include <cerrno>
#include <optional>
#include <variant>
#include <vector>

#include "platform/LastError.h"
#include "platform/Services.h"

namespace {

template <typename T>
std::optional<T> Read(std::string_view path, std::string_view name) {
    platform::SettingsStore* store = platform::Current().settings;
    if (!store) {
        return std::nullopt;
    }
    std::optional<platform::SettingsValue> value = store->ReadValue(path, name);
    if (!value || !std::holds_alternative<T>(*value)) {
        return std::nullopt;
    }
    return std::get<T>(std::move(*value));
}

bool Write(std::string_view path, std::string_view name, const platform::SettingsValue& value) {
    platform::SettingsStore* store = platform::Current().settings;
    return store && store->WriteValue(path, name, value);
}

bool WriteAll(std::span<const platform::SettingsWrite> writes) {
    platform::SettingsStore* store = platform::Current().settings;
    if (!store) {
        platform::SetLastError(ENOENT, "there is no settings store");
        return false;
    }
    return store->WriteValues(writes);
}

}  // namespace

std::uint32_t ReadRegDword(HKEY, std::string_view path, std::string_view name, std::uint32_t defaultValue) {
    return Read<std::uint32_t>(path, name).value_or(defaultValue);
}

bool WriteRegDword(HKEY, std::string_view path, std::string_view name, std::uint32_t value) {
    return Write(path, name, value);
}

bool WriteRegDwords(HKEY, std::string_view path, std::span<const RegDword> values) {
    std::vector<platform::SettingsWrite> writes;
    writes.reserve(values.size());
    for (const RegDword& value : values) writes.push_back({path, value.name, value.value});
    return WriteAll(writes);
}

bool ReadRegString(HKEY, std::string_view path, std::string_view name, std::string& text,
                   std::size_t bufferSize) {
    if (bufferSize != 0) {
        text.clear();
    }
    std::optional<std::string> stored = Read<std::string>(path, name);
    if (!stored || stored->size() + 1 > bufferSize) {
        return false;
    }
    text = std::move(*stored);
    return true;
}

bool WriteRegString(HKEY, std::string_view path, std::string_view name, std::string_view text) {
    return Write(path, name, std::string(text));
}

bool WriteRegStrings(HKEY, std::string_view path, std::span<const RegString> values) {
    std::vector<platform::SettingsWrite> writes;
    writes.reserve(values.size());
    for (const RegString& value : values) writes.push_back({path, value.name, std::string(value.text)});
    return WriteAll(writes);
}

bool DeleteRegKey(HKEY, std::string_view path) {
    platform::SettingsStore* store = platform::Current().settings;
    return store && store->DeleteKey(path);
}
