#pragma once
// Standard MIDI files put together byte by byte.

#include <cstdint>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline void Append(Bytes& to, const Bytes& bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

// A chunk whose header claims the length given, whatever the body's.
inline Bytes Chunk(const char* tag, const Bytes& body, std::size_t claimed) {
    Bytes chunk(tag, tag + 4);
    for (int shift = 24; shift >= 0; shift -= 8) chunk.push_back(static_cast<std::uint8_t>(claimed >> shift));
    Append(chunk, body);
    return chunk;
}

inline Bytes Track(const Bytes& events) {
    return Chunk("MTrk", events, events.size());
}

// A file of the given format and division with these chunks after its header.
inline Bytes File(std::uint16_t format, std::uint16_t tracks, std::uint16_t division,
                  const std::vector<Bytes>& chunks) {
    Bytes file = Chunk("MThd",
                       {0, static_cast<std::uint8_t>(format), static_cast<std::uint8_t>(tracks >> 8),
                        static_cast<std::uint8_t>(tracks), static_cast<std::uint8_t>(division >> 8),
                        static_cast<std::uint8_t>(division)},
                       6);
    for (const Bytes& chunk : chunks) Append(file, chunk);
    return file;
}
