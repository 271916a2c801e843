#include "platform/linux/MidiFile.h"

#include <algorithm>
#include <map>
#include <span>

namespace platform {

namespace {

// A cursor over bytes that fails, rather than reads past the end.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool AtEnd() const { return at_ == bytes_.size(); }
    bool Byte(std::uint8_t& value) {
        if (AtEnd()) return false;
        value = bytes_[at_++];
        return true;
    }
    bool Number(int size, std::uint32_t& value) {
        value = 0;
        for (std::uint8_t byte = 0; size-- > 0;) {
            if (!Byte(byte)) return false;
            value = value << 8 | byte;
        }
        return true;
    }
    // A variable-length quantity: at most four bytes of seven bits.
    bool Quantity(std::uint32_t& value) {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t byte = 0;
            if (!Byte(byte)) return false;
            value = value << 7 | (byte & 0x7F);
            if ((byte & 0x80) == 0) return true;
        }
        return false;
    }
    bool Take(std::uint32_t count, std::span<const std::uint8_t>& taken) {
        if (count > bytes_.size() - at_) return false;
        taken = bytes_.subspan(at_, count);
        at_ += count;
        return true;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

constexpr std::uint32_t Tag(const char (&name)[5]) {
    return std::uint32_t(name[0]) << 24 | std::uint32_t(name[1]) << 16 | std::uint32_t(name[2]) << 8 |
           std::uint32_t(name[3]);
}

// Reads one track's events; false when one is cut short or malformed, or the end-of-track
// event is missing or not last. Tempo changes go into tempos by their tick.
bool ReadTrack(std::span<const std::uint8_t> track, std::uint64_t& endTick,
               std::multimap<std::uint64_t, std::uint32_t>& tempos) {
    Reader in(track);
    std::uint64_t tick = 0;
    std::uint8_t running = 0;
    while (!in.AtEnd()) {
        std::uint32_t delta = 0;
        std::uint8_t status = 0;
        if (!in.Quantity(delta) || !in.Byte(status)) return false;
        tick += delta;
        std::span<const std::uint8_t> data;
        std::uint32_t length = 0;
        if (status == 0xFF) {
            std::uint8_t type = 0;
            if (!in.Byte(type) || !in.Quantity(length) || !in.Take(length, data)) return false;
            running = 0;
            if (type == 0x2F) {
                endTick = tick;
                return length == 0 && in.AtEnd();
            }
            if (type == 0x51) {
                if (length != 3) return false;
                tempos.emplace(tick, std::uint32_t(data[0]) << 16 | std::uint32_t(data[1]) << 8 | data[2]);
            }
        } else if (status == 0xF0 || status == 0xF7) {
            if (!in.Quantity(length) || !in.Take(length, data)) return false;
            running = 0;
        } else {
            // A data byte in place of a status repeats the last channel status, and is the
            // message's first data byte.
            if (status >= 0xF0 || (status < 0x80 && running == 0)) return false;
            if (status >= 0x80) running = status;
            // Program change and channel pressure carry one data byte, the others two.
            const std::uint32_t dataBytes = (running & 0xE0) == 0xC0 ? 1 : 2;
            if (!in.Take(status >= 0x80 ? dataBytes : dataBytes - 1, data) ||
                std::ranges::any_of(data, [](std::uint8_t b) { return b >= 0x80; }))
                return false;
        }
    }
    return false;
}

}  // namespace

std::optional<MidiFile> MidiFile::Parse(std::vector<std::uint8_t> bytes) {
    Reader in(bytes);
    std::uint32_t tag = 0;
    std::uint32_t size = 0;
    std::uint32_t format = 0;
    std::uint32_t tracks = 0;
    std::uint32_t division = 0;
    std::span<const std::uint8_t> rest;
    if (!in.Number(4, tag) || tag != Tag("MThd") || !in.Number(4, size) || size < 6 ||
        !in.Number(2, format) || !in.Number(2, tracks) || !in.Number(2, division) || !in.Take(size - 6, rest))
        return std::nullopt;
    if (format > 2 || tracks == 0 || (format == 0 && tracks != 1) || division == 0) return std::nullopt;

    std::uint64_t endTick = 0;
    std::multimap<std::uint64_t, std::uint32_t> tempos;
    for (std::uint32_t found = 0; found < tracks;) {
        std::span<const std::uint8_t> chunk;
        if (!in.Number(4, tag) || !in.Number(4, size) || !in.Take(size, chunk)) return std::nullopt;
        // Chunks of other kinds are skipped, as readers of the format must.
        if (tag != Tag("MTrk")) continue;
        std::uint64_t trackEnd = 0;
        if (!ReadTrack(chunk, trackEnd, tempos)) return std::nullopt;
        endTick = std::max(endTick, trackEnd);
        ++found;
    }

    double microseconds = 0;
    if (division & 0x8000) {
        // Time code: frames a second (29 meaning 29.97) times ticks a frame.
        const int frames = -static_cast<std::int8_t>(division >> 8);
        const double perSecond = (frames == 29 ? 29.97 : frames) * (division & 0xFF);
        if (perSecond <= 0) return std::nullopt;
        microseconds = static_cast<double>(endTick) * 1e6 / perSecond;
    } else {
        // Quarter notes: half a second each until the first tempo event.
        std::uint64_t from = 0;
        std::uint32_t tempo = 500000;
        for (const auto& [tick, next] : tempos) {
            if (tick >= endTick) break;
            microseconds += static_cast<double>(tick - from) * tempo / division;
            from = tick;
            tempo = next;
        }
        microseconds += static_cast<double>(endTick - from) * tempo / division;
    }
    const auto length = std::chrono::microseconds(static_cast<std::int64_t>(microseconds));
    return MidiFile(std::move(bytes), length);
}

}  // namespace platform
