#pragma once
// The tone generator: a square wave of a given pitch on the sound device.

namespace platform {

class ToneDevice {
public:
    virtual ~ToneDevice() = default;
    // Sounds the tone and returns when it has finished, exactly milliseconds later.
    // Without a usable sound device it stays silent but keeps the timing.
    virtual void Beep(unsigned frequency, unsigned milliseconds) = 0;
};

}  // namespace platform
