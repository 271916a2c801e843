// The library's C entry points. Nothing but these is visible outside it, and no
// C++ exception may cross them.

#include <type_traits>
#include <utility>

#include "cardlib/cards32/CardRenderer.h"
#include "cardlib/cards32/DeckChoice.h"
#include "cardlib/cards32/cards32.h"

#define CARDS32_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// The renderer, from cdtInit (or the first draw of a caller that skipped it) to cdtTerm, which
// owns it as the C interface has it. A plain pointer, with no destructor of its own: at exit
// the statics of a library loaded at run time are torn down before the program's, which were
// made before it was loaded, and the program's wrapper may still call cdtTerm from its own
// destructor then. It must find the pointer as it was.
cards32::CardRenderer* renderer = nullptr;

cards32::CardRenderer& Renderer() {
    if (!renderer) renderer = new cards32::CardRenderer(cards32::ChooseCardArt());
    return *renderer;
}

int DrawScaled(CardSurface* surface, int x, int y, int width, int height, int card, int mode,
               std::uint32_t colour) {
    if (!surface) return 0;
    try {
        return Renderer().Draw(*surface, x, y, width, height, card, mode, colour) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

}  // namespace

CARDS32_EXPORT int cdtInit(int* width, int* height) {
    if (width) *width = CARDS32_CARD_WIDTH;
    if (height) *height = CARDS32_CARD_HEIGHT;
    try {
        Renderer();
        return 1;
    } catch (...) {
        return 0;
    }
}

CARDS32_EXPORT int cdtDraw(CardSurface* surface, int x, int y, int card, int mode, std::uint32_t colour) {
    return DrawScaled(surface, x, y, CARDS32_CARD_WIDTH, CARDS32_CARD_HEIGHT, card, mode, colour);
}

CARDS32_EXPORT int cdtDrawExt(CardSurface* surface, int x, int y, int dx, int dy, int card, int mode,
                              std::uint32_t colour) {
    return DrawScaled(surface, x, y, dx, dy, card, mode, colour);
}

// There are no animated backs.
CARDS32_EXPORT int cdtAnimate(CardSurface*, int, int, int, int) {
    return 0;
}

CARDS32_EXPORT void cdtTerm() {
    delete std::exchange(renderer, nullptr);
}

// The definitions must keep the types the loader resolves them as.
static_assert(std::is_same_v<decltype(&cdtInit), CdtInitFn>);
static_assert(std::is_same_v<decltype(&cdtDraw), CdtDrawFn>);
static_assert(std::is_same_v<decltype(&cdtDrawExt), CdtDrawExtFn>);
static_assert(std::is_same_v<decltype(&cdtAnimate), CdtAnimateFn>);
static_assert(std::is_same_v<decltype(&cdtTerm), CdtTermFn>);
