/* DibImage: a packed device-independent bitmap with its logical palette,
 * the picture object of the skin, the banner and the window palette. */
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

#endif
