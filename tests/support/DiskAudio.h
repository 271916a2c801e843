#pragma once
// SDL's disk audio driver for the sound tests: the program's output written to a file, and
// what it wrote read back.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// A file of this test program's own in the test folder.
inline std::string TempFile(const std::string& name) {
    return testing::TempDir() + "deckfall-" + std::to_string(getpid()) + "-" + name;
}

// SDL reads these each time its audio starts, so each test chooses its own device.
inline void UseDriver(const char* driver, const std::string& file, const char* delay = nullptr) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    delay ? setenv("SDL_DISKAUDIODELAY", delay, 1) : unsetenv("SDL_DISKAUDIODELAY");
}

// The left channel of what the disk device wrote (both channels sound alike); the file goes.
inline std::vector<std::int16_t> TakeLeftChannel(const std::string& file) {
    std::error_code error;
    std::vector<std::int16_t> stereo(std::filesystem::file_size(file, error) / sizeof(std::int16_t));
    std::ifstream(file, std::ios::binary)
        .read(reinterpret_cast<char*>(stereo.data()), static_cast<std::streamsize>(stereo.size() * 2));
    std::filesystem::remove(file);
    std::vector<std::int16_t> left;
    for (std::size_t i = 0; i < stereo.size(); i += 2) left.push_back(stereo[i]);
    return left;
}
