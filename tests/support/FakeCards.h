#pragma once
// The card library's exports as in-process functions, for tests that must not load the
// real library: the test gives cdtInit and cdtDraw, cdtTerm is counted, the rest do nothing.

#include "cardlib/cards32/cards32.h"
#include "platform/headless/HeadlessModuleLoader.h"

inline int fakeCardTerms = 0;

inline platform::HeadlessModuleLoader::Exports FakeCardExports(CdtInitFn init, CdtDrawFn draw) {
    const CdtDrawExtFn drawExt = [](CardSurface*, int, int, int, int, int, int, std::uint32_t) { return 0; };
    const CdtAnimateFn animate = [](CardSurface*, int, int, int, int) { return 0; };
    const CdtTermFn term = [] { ++fakeCardTerms; };
    return {{"cdtInit", reinterpret_cast<void*>(init)},
            {"cdtDraw", reinterpret_cast<void*>(draw)},
            {"cdtDrawExt", reinterpret_cast<void*>(drawExt)},
            {"cdtAnimate", reinterpret_cast<void*>(animate)},
            {"cdtTerm", reinterpret_cast<void*>(term)}};
}
