/* The C interface of the game's SVG deck library `klondike-svgdeck` (libklondike-svgdeck.so,
 * klondike-svgdeck.dll on Windows): Qt SVG behind three entry points.
 *
 * The game opens this library when it first meets an SVG deck, so that a game that never uses
 * one does not map Qt SVG at all. A deck is an opaque handle, used from one thread at a time.
 */
#ifndef KLONDIKE_SVGDECK_H
#define KLONDIKE_SVGDECK_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* "klondike_svgdeck_open": the deck in a file's bytes (SVG or gzip-compressed SVG), or NULL when
 * it is too large, refers outside itself, cannot be parsed or lacks one of the 53 pictures
 * named in the desktop card themes' way ("1_club" .. "king_spade", "back"). */
typedef void* (*klondike_svgdeck_open_fn)(const unsigned char* bytes, size_t size);
/* "klondike_svgdeck_render": draws card `card` (0 back, 1 + rank * 4 + suit with ranks ace to king
 * and suits clubs, diamonds, hearts, spades) to fill `width` x `height` pixels of premultiplied
 * 32-bit ARGB, rows `bytesPerLine` apart, over transparency; 1 when drawn, 0 otherwise. */
typedef int (*klondike_svgdeck_render_fn)(void* deck, int card, unsigned char* pixels, int width,
                                          int height, int bytesPerLine);
/* "klondike_svgdeck_close": frees the deck. */
typedef void (*klondike_svgdeck_close_fn)(void* deck);

#ifdef __cplusplus
}
#endif

#endif
