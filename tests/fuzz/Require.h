#pragma once
// A property a fuzz target holds the code to: when it fails, the run stops as on a crash,
// so that libFuzzer keeps the input and the replay test fails on it.

#include <cstdlib>
#include <iostream>
#include <string_view>

inline void Require(bool holds, std::string_view what) {
    if (holds) return;
    std::cerr << "Property broken: " << what << std::endl;
    std::abort();
}
