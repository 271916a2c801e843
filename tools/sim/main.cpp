// deckfall-sim: plays whole games headless and reports what came of them.

#include <cstdio>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "tools/sim/SimConfig.h"
#include "tools/sim/SimTrace.h"
#include "tools/sim/Simulator.h"

int main(int argc, char** argv) {
    std::string error;
    const std::optional<SimConfig> config =
        ParseSimArguments(std::vector<std::string>(argv + 1, argv + argc),
                          static_cast<std::uint32_t>(std::time(nullptr)), error);
    if (!config) {
        std::fprintf(stderr, "deckfall-sim: %s\n", error.c_str());
        return 2;
    }
    std::optional<SimTrace> trace;
    if (!config->traceFile.empty()) {
        trace.emplace(config->traceFile);
        if (!trace->IsOpen()) {
            std::fprintf(stderr, "deckfall-sim: cannot write the trace file '%s'\n",
                         config->traceFile.c_str());
            return 2;
        }
    }

    Simulator simulator(*config, trace ? &*trace : nullptr);
    if (!simulator.Started()) {
        std::fprintf(stderr, "deckfall-sim: the game did not start\n");
        return 1;
    }
    const bool clean = simulator.Play(config->games);
    if (trace && !trace->Close()) {
        std::fprintf(stderr, "deckfall-sim: the trace file '%s' was not written completely\n",
                     config->traceFile.c_str());
        return 1;
    }
    if (!clean) {
        std::fprintf(stderr, "deckfall-sim: %s\n", simulator.Breach().c_str());
        return 1;
    }
    if (config->json)
        simulator.Stats().WriteJson(stdout);
    else
        simulator.Stats().WriteSummary(stdout, config->seed);
    return 0;
}
