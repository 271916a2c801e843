#pragma once
// Tones that take virtual time only, recorded in order.

#include <vector>

#include "platform/ToneDevice.h"
#include "platform/headless/VirtualClock.h"

namespace platform {

struct ToneRecord {
    unsigned frequency;
    unsigned milliseconds;
    friend bool operator==(const ToneRecord&, const ToneRecord&) = default;
};

class HeadlessToneDevice final : public ToneDevice {
public:
    explicit HeadlessToneDevice(VirtualClock& clock) : clock_(clock) {}
    void Beep(unsigned frequency, unsigned milliseconds) override {
        tones_.push_back({frequency, milliseconds});
        clock_.Sleep(milliseconds);
    }
    const std::vector<ToneRecord>& Tones() const { return tones_; }
    void Clear() { tones_.clear(); }

private:
    VirtualClock& clock_;
    std::vector<ToneRecord> tones_;
};

}  // namespace platform
