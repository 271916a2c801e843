/* The card-drawing library's interface, shared by the library and its loader.
 * Exports have C linkage and are looked up by name at run time. */
#ifndef DECKFALL_CARDS32_H
#define DECKFALL_CARDS32_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Card faces and backs are this size in logical pixels. */
enum { CARDS32_CARD_WIDTH = 71, CARDS32_CARD_HEIGHT = 96 };

/* Draw modes of cdtDraw. */
enum { CARDS32_FACE = 0, CARDS32_BACK = 1, CARDS32_REMOVE = 4 };

/* The drawing context the program hands across: the library renders a card to
 * device pixels and gives them back through drawPixels, or fills through fill.
 * Colours are 0x00BBGGRR. A card paints its whole rectangle, the rounded corners in
 * the background colour, so its pixels are opaque: 0xFFRRGGBB. */
typedef struct CardSurface {
    void* context;
    double devicePixelRatio;
    int (*fill)(void* context, int x, int y, int width, int height, uint32_t colorRef);
    int (*drawPixels)(void* context, int x, int y, int width, int height, const uint32_t* pixels,
                      int pixelWidth, int pixelHeight, int stride);
} CardSurface;

typedef int (*CdtInitFn)(int* width, int* height);
typedef int (*CdtDrawFn)(CardSurface* surface, int x, int y, int card, int mode, uint32_t color);
typedef int (*CdtDrawExtFn)(CardSurface* surface, int x, int y, int dx, int dy, int card, int mode,
                            uint32_t color);
typedef int (*CdtAnimateFn)(CardSurface* surface, int cardBack, int x, int y, int frame);
typedef void (*CdtTermFn)(void);

#ifdef __cplusplus
}
#endif

#endif
