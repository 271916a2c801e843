#pragma once
// The card library's exports as in-process functions, for tests that must not load the
// real library. By default a card is 71 × 96, a face a flat block of a colour of its own
// (FaceRef) and an erase fills the card with the colour given; cdtTerm is counted.

#include "cardlib/cards32/cards32.h"
#include "platform/Types.h"
#include "platform/headless/HeadlessModuleLoader.h"

inline constexpr int kCardW = 71;
inline constexpr int kCardH = 96;
inline int fakeCardTerms = 0;

constexpr platform::ColorRef FaceRef(int card) {
    return platform::Rgb(0xF0, 4 * card, 0x80);
}

inline int FakeCardInit(int* width, int* height) {
    return *width = kCardW, *height = kCardH, 1;
}

inline int FakeCardDraw(CardSurface* surface, int x, int y, int card, int mode, std::uint32_t colour) {
    return surface->fill(surface->context, x, y, kCardW, kCardH,
                         mode == CARDS32_REMOVE ? colour : FaceRef(card));
}

inline platform::HeadlessModuleLoader::Exports FakeCardExports(CdtInitFn init = FakeCardInit,
                                                               CdtDrawFn draw = FakeCardDraw) {
    const CdtDrawExtFn drawExt = [](CardSurface*, int, int, int, int, int, int, std::uint32_t) { return 0; };
    const CdtAnimateFn animate = [](CardSurface*, int, int, int, int) { return 0; };
    const CdtTermFn term = [] { ++fakeCardTerms; };
    return {{"cdtInit", reinterpret_cast<void*>(init)},
            {"cdtDraw", reinterpret_cast<void*>(draw)},
            {"cdtDrawExt", reinterpret_cast<void*>(drawExt)},
            {"cdtAnimate", reinterpret_cast<void*>(animate)},
            {"cdtTerm", reinterpret_cast<void*>(term)}};
}
