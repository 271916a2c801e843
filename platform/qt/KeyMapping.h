#pragma once
// Qt keys as the Windows virtual-key codes the game expects.

#include <QKeyEvent>
#include <cstdint>

namespace platform {

// 0 when the key has no virtual-key code the program knows.
std::uintptr_t VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);

}  // namespace platform
