#pragma once
// The program's dialog templates, compiled in and looked up by resource identifier.

#include "platform/DialogTemplate.h"

inline constexpr int IDD_ABOUT = 103;
inline constexpr int IDD_OPTIONS = 131;
// The short notice that a level is complete.
inline constexpr int IDD_NEXT_LEVEL = 132;
inline constexpr int IDD_HIGH_SCORES = 133;
inline constexpr int IDD_WELCOME = 135;

// The template with that identifier; null (with the last error set) when there is none.
const platform::DialogTemplate* FindDialogTemplate(int id);
