#pragma once
// The registry operations through which the game reads and writes its settings
// and high scores, over the installed settings store. Each call stands alone:
// nothing is cached or validated. A value of the other type reads as absent;
// without a settings store every read gives its default and every write fails.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

enum HKEY { HKEY_CURRENT_USER };  // the only root the game uses

std::uint32_t ReadRegDword(HKEY root, std::string_view path, std::string_view name,
                           std::uint32_t defaultValue);
bool WriteRegDword(HKEY root, std::string_view path, std::string_view name, std::uint32_t value);
struct RegDword {
    std::string_view name;
    std::uint32_t value;
};
// Writes the values into the key together: all of them are stored, or none is and the
// key keeps what it held. False when none is, with the reason in platform::GetLastError().
bool WriteRegDwords(HKEY root, std::string_view path, std::span<const RegDword> values);
// If bufferSize is non-zero, text is emptied first. False when the key or value is missing, the
// value is not a text, or the text with its terminating zero does not fit bufferSize bytes.
bool ReadRegString(HKEY root, std::string_view path, std::string_view name, std::string& text,
                   std::size_t bufferSize);
bool WriteRegString(HKEY root, std::string_view path, std::string_view name, std::string_view text);
struct RegString {
    std::string_view name;
    std::string_view text;
};
// Writes the texts into the key together, as WriteRegDwords writes numbers.
bool WriteRegStrings(HKEY root, std::string_view path, std::span<const RegString> values);
// Fails when the key does not exist or still has subkeys.
bool DeleteRegKey(HKEY root, std::string_view path);
