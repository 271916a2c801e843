#pragma once
// Sound effects: square-wave tones that also pace the animations.

#include <cstdint>

// Plays a tone and returns when it is over. With sound effects off (enabled 0) it makes no
// sound and waits a tenth of the time, so what it paces runs ten times faster but whole.
void PlayTone(std::uint32_t frequency, std::uint32_t milliseconds, int enabled);
