// Runs a fuzz target once over every file of the folders named on the command line, as
// libFuzzer runs it over a corpus: in the ordinary builds the target's seeds and the
// inputs of the faults it has found. A folder that does not exist holds nothing.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <vector>

#include "tests/support/StoreFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char* argv[]) {
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        std::error_code absent;
        for (const auto& entry : std::filesystem::directory_iterator(argv[i], absent))
            if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    for (const auto& input : inputs) {
        std::cout << input.filename().string() << std::endl;
        const std::string bytes = ReadBytes(input);
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    // No input at all would pass without running anything.
    return inputs.empty() ? 1 : 0;
}
