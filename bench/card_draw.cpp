// Drawing one card face that the card library has already rendered, through the
// game's wrapper onto the program's own drawing context, as a falling card is drawn;
// and the whole drawing of one fall step, before it is pushed to the screen.

#include <benchmark/benchmark.h>
#include <QGuiApplication>
#include <QImage>

#include "cardlib/CCardLibrary.h"
#include "platform/Services.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/VirtualClock.h"
#include "platform/linux/DlModuleLoader.h"
#include "platform/qt/QtDrawingContext.h"

namespace {

// The card library, loaded from beside the benchmark, with the services it asks for.
struct CardLibraryScope {
    platform::VirtualClock clock;
    platform::HeadlessDesktop desktop{clock};
    platform::DlModuleLoader modules;
    platform::ScopedServices scope{platform::Services{&desktop, nullptr, &clock, nullptr, &modules}};
    CCardLibrary library;

    bool Load(benchmark::State& state) {
        if (library.Load(nullptr)) return true;
        state.SkipWithError("libcards32.so did not load");
        return false;
    }
};

// Argument: the back buffer's device-pixel ratio, in percent.
void BM_CachedCardDraw(benchmark::State& state) {
    CardLibraryScope cards;
    CCardLibrary& library = cards.library;
    if (!cards.Load(state)) return;

    const double ratio = state.range(0) / 100.0;
    const auto backBuffer = std::make_shared<platform::Canvas>(QSize(640, 480), ratio);
    backBuffer->Image().fill(Qt::darkGreen);
    platform::QtDrawingContext dc(backBuffer);
    const platform::ColorRef table = platform::Rgb(0, 128, 0);
    if (!library.Draw(dc, 100, 100, 12, 0, table)) {  // renders and caches the face
        state.SkipWithError("the face was not drawn");
        return;
    }

    int step = 0;
    for (auto _ : state) {
        step = (step + 12) % 240;
        benchmark::DoNotOptimize(library.Draw(dc, 100, 100 + step, 12, 0, table));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CachedCardDraw)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

// One fall step as the falling card makes it: a fresh window context, the pixels saved
// under the card put back, the pixels under its new place saved, the card drawn there.
void BM_FallStepDrawing(benchmark::State& state) {
    CardLibraryScope cards;
    CCardLibrary& library = cards.library;
    if (!cards.Load(state)) return;
    const int width = library.GetCardWidth();
    const int height = library.GetCardHeight();
    const auto backBuffer = std::make_shared<platform::Canvas>(QSize(640, 480), 1.0);
    backBuffer->Image().fill(Qt::darkGreen);
    const platform::ColorRef table = platform::Rgb(0, 128, 0);

    std::unique_ptr<platform::Bitmap> saved;
    int y = 0;
    for (auto _ : state) {
        platform::QtDrawingContext dc(backBuffer);
        if (saved) {
            const auto memory = dc.CreateMemoryContext(*saved);
            dc.BitBlt(100, y, width, height, *memory, 0, 0, platform::RasterOp::SrcCopy);
        }
        y = (y + 12) % 360;
        saved = dc.CreateCompatibleBitmap(width, height);
        const auto memory = dc.CreateMemoryContext(*saved);
        memory->BitBlt(0, 0, width, height, dc, 100, y, platform::RasterOp::SrcCopy);
        benchmark::DoNotOptimize(library.Draw(dc, 100, y, 12, 0, table));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FallStepDrawing)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    QGuiApplication application(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
