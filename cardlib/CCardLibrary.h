#pragma once
// The card-drawing library, loaded at run time by name: it reports the card size
// and draws faces, backs and the erasing of a card into a drawing context.

#include <cstdint>
#include <memory>

#include "cardlib/cards32/cards32.h"
#include "platform/DrawingContext.h"
#include "platform/ModuleLoader.h"
#include "platform/Window.h"

class CCardLibrary {
public:
    CCardLibrary() = default;
    virtual ~CCardLibrary();
    CCardLibrary(const CCardLibrary&) = delete;
    CCardLibrary& operator=(const CCardLibrary&) = delete;

    // Nonzero on success. Failures have been shown to the player, owner owning the box.
    int Load(platform::Window* owner);
    // cdtDraw's result, or 0 while it is not resolved. (x, y) is the card's top-left corner.
    int Draw(platform::DrawingContext& dc, int x, int y, int card, int mode, platform::ColorRef colour);
    void Unload();

    int GetCardWidth() const { return cardWidth; }
    int GetCardHeight() const { return cardHeight; }
    bool IsLoaded() const { return module != nullptr; }

private:
    std::unique_ptr<platform::Module> module;
    std::int32_t cardHeight = 0;
    std::int32_t cardWidth = 0;
    CdtInitFn cdtInit = nullptr;
    CdtDrawFn cdtDraw = nullptr;
    CdtDrawExtFn cdtDrawExt = nullptr;
    CdtAnimateFn cdtAnimate = nullptr;
    CdtTermFn cdtTerm = nullptr;
};
