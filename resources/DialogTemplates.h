#pragma once
// The program's dialog templates, compiled in and looked up by resource identifier.

#include "platform/DialogTemplate.h"

// The short notice that a level is complete.
inline constexpr int IDD_NEXT_LEVEL = 132;

// The template with that identifier; null (with the last error set) when there is none.
const platform::DialogTemplate* FindDialogTemplate(int id);
