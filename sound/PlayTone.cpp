#include "sound/PlayTone.h"

#include "platform/Services.h"

void PlayTone(std::uint32_t frequency, std::uint32_t milliseconds, int enabled) {
    const platform::Services& services = platform::Current();
    if (enabled == 0) {
        services.clock->Sleep(milliseconds / 10);
        return;
    }
    services.tones->Beep(frequency, milliseconds);
}
