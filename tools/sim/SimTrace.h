#pragma once
// The trace of a run: one JSON object per line for every game event, in the
// order the events happen.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "engine/PlayEvents.h"

class SimTrace {
public:
    // False from IsOpen when the file cannot be written.
    explicit SimTrace(const std::string& file);
    bool IsOpen() const { return file_ != nullptr; }
    // `game` numbers the game events, from 0.
    void Write(const PlayEvent& event, std::int64_t game);
    // False when anything failed to reach the file.
    bool Close();

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
};
