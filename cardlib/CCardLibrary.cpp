#include "cardlib/CCardLibrary.h"

#include <string>

#include "platform/Desktop.h"
#include "platform/Services.h"

namespace {

constexpr const char* kLibraryName = "libcards32.so";
// The player is told where the program looks for the library.
std::string NotFoundText(const std::string& folder) {
    return "Deckfall could not find the file 'libcards32.so' which should be in its program folder (" +
           folder + ").  Please locate the file, copy it to this folder, and try again.";
}
constexpr const char* kExportsMissingText =
    "Deckfall could not find all exports from the file 'libcards32.so'.  Be sure you have the "
    "proper version of this file and try again.";

// The drawing context as the library sees it.
int FillThrough(void* context, int x, int y, int width, int height, std::uint32_t colour) {
    auto& dc = *static_cast<platform::DrawingContext*>(context);
    return dc.FillRect(platform::Rect{x, y, x + width, y + height}, colour) ? 1 : 0;
}

int DrawPixelsThrough(void* context, int x, int y, int width, int height, const std::uint32_t* pixels,
                      int pixelWidth, int pixelHeight, int stride) {
    auto& dc = *static_cast<platform::DrawingContext*>(context);
    return dc.DrawPixels(platform::Rect{x, y, x + width, y + height},
                         platform::PixelView{pixels, pixelWidth, pixelHeight, stride})
               ? 1
               : 0;
}

template <typename Function>
Function Resolve(const platform::Module& module, const char* name) {
    return reinterpret_cast<Function>(module.GetProcAddress(name));
}

}  // namespace

CCardLibrary::~CCardLibrary() {
    if (module) Unload();
}

int CCardLibrary::Load(platform::Window* owner) {
    if (module) return 0;
    platform::Desktop& desktop = *platform::Current().desktop;
    platform::ModuleLoader& loader = *platform::Current().modules;
    module = loader.LoadLibrary(kLibraryName);
    if (!module) {
        desktop.MessageBox(owner, NotFoundText(loader.Folder()), "", platform::MB_OK);
        return 0;
    }
    cdtInit = Resolve<CdtInitFn>(*module, "cdtInit");
    cdtDraw = Resolve<CdtDrawFn>(*module, "cdtDraw");
    cdtDrawExt = Resolve<CdtDrawExtFn>(*module, "cdtDrawExt");
    cdtAnimate = Resolve<CdtAnimateFn>(*module, "cdtAnimate");
    cdtTerm = Resolve<CdtTermFn>(*module, "cdtTerm");
    if (!cdtInit || !cdtDraw || !cdtDrawExt || !cdtAnimate || !cdtTerm) {
        // Left loaded: Unload releases it.
        desktop.MessageBox(owner, kExportsMissingText, "", platform::MB_OK);
        return 0;
    }
    return cdtInit(&cardWidth, &cardHeight);
}

int CCardLibrary::Draw(platform::DrawingContext& dc, int x, int y, int card, int mode,
                       platform::ColorRef colour) {
    if (!cdtDraw) return 0;
    CardSurface surface{&dc, dc.DevicePixelRatio(), FillThrough, DrawPixelsThrough};
    return cdtDraw(&surface, x, y, card, mode, colour);
}

void CCardLibrary::Unload() {
    if (cdtTerm) cdtTerm();
    module.reset();
    cdtInit = nullptr;
    cdtDraw = nullptr;
    cdtDrawExt = nullptr;
    cdtAnimate = nullptr;
    cdtTerm = nullptr;
}
