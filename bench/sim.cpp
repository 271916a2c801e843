// Whole games per second: the real main window on the headless desktop, driven
// by the simulator's player, with sleeps and tones on the virtual clock.

#include <benchmark/benchmark.h>

#include "tools/sim/Simulator.h"

namespace {

void BM_SimGames(benchmark::State& state) {
    SimConfig config;
    config.seed = 1;
    Simulator simulator(config, nullptr);
    if (!simulator.Started()) {
        state.SkipWithError("the game did not start");
        return;
    }
    const std::int64_t batch = state.range(0);
    for (auto _ : state) {
        if (!simulator.Play(batch)) {
            state.SkipWithError(simulator.Breach().c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * batch);
    state.counters["games_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * batch), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SimGames)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
