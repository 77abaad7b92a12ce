/* DibImage: a packed device-independent bitmap with its logical palette,
 * the picture object of the skin, the banner and the window palette, and
 * the operations that load, merge, realise and draw it. */
#ifndef TOVA_DIB_H
#define TOVA_DIB_H

#include <windows.h>

struct DibImage {
    HRSRC resource;     /* bitmap resource, or null for a memory block */
    HGLOBAL data;       /* the packed DIB; null when empty */
    HPALETTE palette;   /* made from the colour table; owned */
    LONG width;
    LONG height;
    DWORD colorCount;
};

#define DIB_HEADER_SIZE         40

/* DibImageRealize flags */
#define REALIZE_UPDATE_COLORS   1
#define REALIZE_INVALIDATE      2

/* DibImageDraw flags */
#define DRAW_SELECT_PALETTE     1
#define DRAW_REALIZE            2
#define DRAW_NATURAL_SIZE       4

void DibImageInit(DibImage *image);
void DibImageRelease(DibImage *image);
/* Error codes: 0 done, 87 no record, 2 no such resource, 8 unusable block,
 * or the system's code when the resource cannot be loaded. */
DWORD DibImageLoadResource(DibImage *image, UINT id);
/* Takes ownership of a movable global block holding a packed DIB. */
DWORD DibImageAdopt(DibImage *image, HGLOBAL block);
BOOL DibImageRefreshSize(DibImage *image);
BOOL DibImageRefreshPalette(DibImage *image);
/* Where the pixel rows start: header plus colour table; 0 without data. */
DWORD DibBitsOffset(const DibImage *image);
/* Colour-table entries of a header: colours used, else 2, 16 or 256 by the
 * bit count, else 0. */
DWORD DibColorCount(const BITMAPINFOHEADER *header);
HPALETTE CreateDibPalette(const BITMAPINFOHEADER *header);
/* Builds or extends a palette-only image in target with the colours of
 * source that it does not hold yet. */
BOOL DibImageMergePalette(DibImage *target, const DibImage *source);
BOOL DibImageRealize(DibImage *image, HWND window, UINT flags);
BOOL DibImagePaletteChanged(DibImage *image, HWND window);
/* Draws the source rectangle (whole image when null) at the destination;
 * without a device context the window's own and its client area. */
BOOL DibImageDraw(DibImage *image, HPALETTE palette, HWND window, HDC dc, const RECT *destination,
                  const RECT *source, DWORD rop, UINT flags);

#endif
