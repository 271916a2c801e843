// What the player takes for a standard MIDI file and how long it says a song lasts,
// and the game's own songs beside the program.

#include "platform/linux/MidiFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/MidiBytes.h"

namespace {

const Bytes kEnd = {0xFF, 0x2F, 0x00};

TEST(MidiFileTest, ChecksTheFileAndTimesItByItsTempoMap) {
    // 96 ticks a quarter: at the default 120 beats a minute a quarter is half a second.
    const Bytes tempoMap = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // 500000 us a quarter
                            0x60, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90,  // 250000 from tick 96
                            0x60, 0xFF, 0x2F, 0x00};                   // ends at 192
    const Bytes runningNotes = {0x00, 0x90, 0x3C, 0x40, 0x00, 0x3E, 0x40, 0x81, 0x40, 0x3C, 0x00,
                                0x00, 0x3E, 0x00, 0x60, 0xC0, 0x05, 0x00, 0xFF, 0x2F, 0x00};  // to 288
    struct Case {
        const char* what;
        Bytes file;
        long long microseconds;  // -1: not a standard MIDI file
    } const cases[] = {
        {"a tempo change halfway, the longest track counting",
         File(1, 2, 96, {Track(tempoMap), Track(runningNotes)}), 1'000'000},
        {"no tempo: half a second a quarter", File(0, 1, 96, {Track(runningNotes)}), 1'500'000},
        {"time code: 25 frames of 40 ticks a second",
         File(0, 1, 0xE728, {Track({0x8F, 0x50, 0xFF, 0x2F, 0x00})}), 2'000'000},
        {"a chunk of another kind is passed over",
         File(0, 1, 96, {Chunk("XTRA", {1, 2, 3}, 3), Track({0x60, 0xFF, 0x2F, 0x00})}), 500'000},
        {"no end-of-track", File(0, 1, 96, {Track({0x00, 0x90, 0x3C, 0x40})}), -1},
        {"events after the end-of-track",
         File(0, 1, 96, {Track({0x00, 0xFF, 0x2F, 0x00, 0x00, 0x90, 0x3C, 0x40})}), -1},
        {"a data byte with no status before it",
         File(0, 1, 96, {Track({0x00, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00})}), -1},
        {"a track longer than the file", File(0, 1, 96, {Chunk("MTrk", kEnd, 40)}), -1},
        {"fewer tracks than the header says", File(1, 2, 96, {Track({0x00, 0xFF, 0x2F, 0x00})}), -1},
        {"format 0 with two tracks",
         File(0, 2, 96, {Track({0x00, 0xFF, 0x2F, 0x00}), Track({0x00, 0xFF, 0x2F, 0x00})}), -1},
        {"no header", Track({0x00, 0xFF, 0x2F, 0x00}), -1},
        {"nothing", {}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto file = platform::MidiFile::Parse(c.file);
        EXPECT_EQ(file ? file->Length().count() : -1, c.microseconds);
    }
}

// The songs are copied beside the program, which is where the tests run from too.
TEST(MidiFileTest, TheGamesSongsAreStandardMidiFilesOfAMinuteOrMore) {
    const auto folder = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    for (int number = 1; number <= 3; ++number) {
        const auto path = folder / ("song" + std::to_string(number) + ".mid");
        SCOPED_TRACE(path.string());
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in);
        const auto song = platform::MidiFile::Parse(Bytes(std::istreambuf_iterator<char>(in), {}));
        ASSERT_TRUE(song);
        EXPECT_GE(song->Length(), std::chrono::seconds(60));
    }
}

}  // namespace
