#pragma once
// A standard MIDI file, read whole and checked before it is handed to the
// synthesiser: a file that is not one is an error at opening, as the sequencer
// reports it, and a song's length by its tempo map times the music without sound.

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

class MidiFile {
public:
    // Null unless the bytes are a standard MIDI file: its header, as many tracks as the
    // header says, every event complete and every track closed by its end-of-track event.
    static std::optional<MidiFile> Parse(std::vector<std::uint8_t> bytes);

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    // From the start to the last track's end, by the tempo map.
    std::chrono::microseconds Length() const { return length_; }

private:
    MidiFile(std::vector<std::uint8_t> bytes, std::chrono::microseconds length)
        : bytes_(std::move(bytes)), length_(length) {}

    std::vector<std::uint8_t> bytes_;
    std::chrono::microseconds length_;
};

}  // namespace platform
