/* DibImage operations: the login window's pictures are packed DIBs, either
 * bitmap resources of the program or global memory blocks (decoded GIFs,
 * merged palettes), drawn straight from their bits with StretchDIBits.
 * One logical palette, merged from the skin and the banner, is realised
 * for the whole window so that both draw well on 256-colour displays. */
#include "dialer/image/dib.h"

/* ---- Access to the packed bytes ---------------------------------------------- */

static BYTE *AccessData(const DibImage *image)
{
    if (!image->data)
        return NULL;
    if (image->resource)
        return (BYTE *)LockResource(image->data);
    return (BYTE *)GlobalLock(image->data);
}

static void EndAccess(const DibImage *image)
{
    if (image->data && !image->resource)
        GlobalUnlock(image->data);
}

/* Bytes the data holds, so that a header whose tables claim more is never
 * read past its end. */
static DWORD DataSize(const DibImage *image)
{
    if (!image->data)
        return 0;
    if (image->resource)
        return SizeofResource(GetModuleHandleA(NULL), image->resource);
    return (DWORD)GlobalSize(image->data);
}

static DWORD RowBytes(const BITMAPINFOHEADER *header)
{
    return (DWORD)((((DWORD)header->biWidth * header->biBitCount + 31) / 32) * 4);
}

/* ---- Record life ------------------------------------------------------------- */

void DibImageInit(DibImage *image)
{
    if (!image)
        return;
    image->resource = NULL;
    image->data = NULL;
    image->palette = NULL;
    image->width = 0;
    image->height = 0;
    image->colorCount = 0;
}

void DibImageRelease(DibImage *image)
{
    if (!image)
        return;
    if (image->data) {
        if (image->resource)
            FreeResource(image->data);
        else
            GlobalFree(image->data);
    }
    image->resource = NULL;
    image->data = NULL;
    if (image->palette)
        DeleteObject(image->palette);
    image->palette = NULL;
    image->width = 0;
    image->height = 0;
    image->colorCount = 0;
}

DWORD DibImageLoadResource(DibImage *image, UINT id)
{
    HMODULE module = GetModuleHandleA(NULL);
    DWORD error;

    if (!image)
        return ERROR_INVALID_PARAMETER;
    DibImageRelease(image);
    image->resource = FindResourceA(module, MAKEINTRESOURCEA(id), (LPCSTR)RT_BITMAP);
    if (!image->resource)
        return ERROR_FILE_NOT_FOUND;
    image->data = LoadResource(module, image->resource);
    if (!image->data) {
        error = GetLastError();
        return error ? error : ERROR_NOT_ENOUGH_MEMORY;
    }
    DibImageRefreshSize(image);
    DibImageRefreshPalette(image);
    return 0;
}

DWORD DibImageAdopt(DibImage *image, HGLOBAL block)
{
    if (!image)
        return ERROR_INVALID_PARAMETER;
    DibImageRelease(image);
    if (!block || !GlobalLock(block))
        return ERROR_NOT_ENOUGH_MEMORY;
    GlobalUnlock(block);
    image->resource = NULL;
    image->data = block;
    DibImageRefreshSize(image);
    DibImageRefreshPalette(image);
    return 0;
}

BOOL DibImageRefreshSize(DibImage *image)
{
    const BITMAPINFOHEADER *header;

    if (!image || !image->data)
        return FALSE;
    image->width = 0;
    image->height = 0;
    header = (const BITMAPINFOHEADER *)AccessData(image);
    if (!header)
        return FALSE;
    if (DataSize(image) >= DIB_HEADER_SIZE) {
        image->width = header->biWidth;
        image->height = header->biHeight;
    }
    EndAccess(image);
    return TRUE;
}

BOOL DibImageRefreshPalette(DibImage *image)
{
    const BITMAPINFOHEADER *header;
    DWORD count;

    if (!image || !image->data)
        return FALSE;
    image->colorCount = 0;
    if (image->palette)
        DeleteObject(image->palette);
    image->palette = NULL;
    header = (const BITMAPINFOHEADER *)AccessData(image);
    if (!header)
        return FALSE;
    if (DataSize(image) >= DIB_HEADER_SIZE) {
        count = DibColorCount(header);
        /* a table running past the data is not taken */
        if (count <= (DataSize(image) - DIB_HEADER_SIZE) / 4) {
            image->colorCount = count;
            image->palette = CreateDibPalette(header);
        }
    }
    EndAccess(image);
    return TRUE;
}

DWORD DibBitsOffset(const DibImage *image)
{
    const BITMAPINFOHEADER *header;
    DWORD offset;

    if (!image || !image->data)
        return 0;
    header = (const BITMAPINFOHEADER *)AccessData(image);
    if (!header)
        return 0;
    offset = header->biSize + 4 * image->colorCount;
    EndAccess(image);
    return offset;
}

/* ---- Palettes ------------------------------------------------------------------ */

DWORD DibColorCount(const BITMAPINFOHEADER *header)
{
    if (!header)
        return 0;
    if (header->biClrUsed)
        return header->biClrUsed;
    switch (header->biBitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    }
    return 0;
}

/* A movable block of size bytes, locked; NULL (nothing kept) when it
 * cannot be had. */
static void *AllocLocked(DWORD size, UINT flags, HGLOBAL *block)
{
    void *bytes;
    *block = GlobalAlloc(GMEM_MOVEABLE | flags, size);
    if (!*block)
        return NULL;
    bytes = GlobalLock(*block);
    if (!bytes)
        GlobalFree(*block);
    return bytes;
}

/* Unlocks and frees a block that is not kept. */
static void DiscardLocked(HGLOBAL block)
{
    GlobalUnlock(block);
    GlobalFree(block);
}

HPALETTE CreateDibPalette(const BITMAPINFOHEADER *header)
{
    DWORD count = DibColorCount(header), i;
    const BYTE *table;
    LOGPALETTE *description;
    HGLOBAL block;
    HPALETTE palette;

    if (count == 0 || count > 0xFFFF)
        return NULL;
    description = (LOGPALETTE *)AllocLocked(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY), 0, &block);
    if (!description)
        return NULL;
    table = (const BYTE *)header + DIB_HEADER_SIZE;
    description->palVersion = 0x300;
    description->palNumEntries = (WORD)count;
    for (i = 0; i < count; i++) {
        description->palPalEntry[i].peRed = table[4 * i + 2];
        description->palPalEntry[i].peGreen = table[4 * i + 1];
        description->palPalEntry[i].peBlue = table[4 * i];
        description->palPalEntry[i].peFlags = 0;
    }
    palette = CreatePalette(description);
    DiscardLocked(block);
    return palette;
}

/* Takes a new palette-only block into the target. */
static BOOL TakePaletteBlock(DibImage *target, HGLOBAL block)
{
    DibImageRelease(target);
    target->resource = NULL;
    target->data = block;
    return DibImageRefreshPalette(target);
}

static void ClearPictureFields(BYTE *bytes)
{
    BITMAPINFOHEADER *header = (BITMAPINFOHEADER *)bytes;
    header->biWidth = 0;
    header->biHeight = 0;
    header->biSizeImage = 0;
}

/* A fresh holder: a copy of the source's header and colour table. */
static BOOL CopyPaletteOf(DibImage *target, const DibImage *source, DWORD sourceSize)
{
    HGLOBAL block;
    BYTE *bytes, *from;

    if (sourceSize < DIB_HEADER_SIZE || sourceSize > DataSize(source))
        return FALSE;
    bytes = (BYTE *)AllocLocked(sourceSize, GMEM_ZEROINIT, &block);
    if (!bytes)
        return FALSE;
    from = AccessData(source);
    if (!from) {
        DiscardLocked(block);
        return FALSE;
    }
    CopyMemory(bytes, from, sourceSize);
    EndAccess(source);
    ClearPictureFields(bytes);
    GlobalUnlock(block);
    return TakePaletteBlock(target, block);
}

static BOOL HasColor(const BYTE *table, DWORD count, const BYTE *color)
{
    DWORD i;
    for (i = 0; i < count; i++, table += 4)
        if (table[0] == color[0] && table[1] == color[1] && table[2] == color[2])
            return TRUE;
    return FALSE;
}

BOOL DibImageMergePalette(DibImage *target, const DibImage *source)
{
    DWORD sourceSize, targetSize, count, i;
    HGLOBAL block;
    BYTE *bytes, *from, *into;

    if (!target || !source || !source->palette)
        return FALSE;
    sourceSize = DibBitsOffset(source);
    if (!target->palette || !target->data)
        return CopyPaletteOf(target, source, sourceSize);

    targetSize = DibBitsOffset(target);
    if (targetSize < DIB_HEADER_SIZE || sourceSize < DIB_HEADER_SIZE || targetSize > DataSize(target) ||
        DIB_HEADER_SIZE + 4 * source->colorCount > DataSize(source))
        return FALSE;
    bytes = (BYTE *)AllocLocked(targetSize + sourceSize - DIB_HEADER_SIZE, GMEM_ZEROINIT, &block);
    if (!bytes)
        return FALSE;
    into = AccessData(target);
    if (!into) {
        DiscardLocked(block);
        return FALSE;
    }
    CopyMemory(bytes, into, targetSize);
    EndAccess(target);

    from = AccessData(source);
    if (!from) {
        DiscardLocked(block);
        return FALSE;
    }
    count = target->colorCount;
    for (i = 0; i < source->colorCount; i++) {
        const BYTE *color = from + DIB_HEADER_SIZE + 4 * i;
        BYTE *table = bytes + DIB_HEADER_SIZE;
        if (!HasColor(table, count, color)) {
            CopyMemory(table + 4 * count, color, 4);
            count++;
        }
    }
    EndAccess(source);

    if (count == target->colorCount) {
        DiscardLocked(block);
        return TRUE;
    }
    ((BITMAPINFOHEADER *)bytes)->biClrUsed = count;
    ClearPictureFields(bytes);
    GlobalUnlock(block);
    return TakePaletteBlock(target, block);
}

static BOOL RealizeFor(DibImage *image, HWND window, UINT flags)
{
    HDC dc;
    HPALETTE previous;
    UINT changed;

    if (!image || !image->palette)
        return FALSE;
    dc = GetDC(window);
    if (!dc)
        return FALSE;
    previous = SelectPalette(dc, image->palette, FALSE);
    changed = RealizePalette(dc);
    if (changed == GDI_ERROR)
        changed = 0;
    if (flags & REALIZE_UPDATE_COLORS)
        UpdateColors(dc);
    if ((flags & REALIZE_INVALIDATE) && changed)
        InvalidateRect(window, NULL, TRUE);
    if (previous)
        SelectPalette(dc, previous, FALSE);
    ReleaseDC(window, dc);
    return changed != 0;
}

BOOL DibImageRealize(DibImage *image, HWND window, UINT flags)
{
    return RealizeFor(image, window, flags);
}

BOOL DibImagePaletteChanged(DibImage *image, HWND window)
{
    return RealizeFor(image, window, REALIZE_INVALIDATE);
}

/* ---- Drawing ------------------------------------------------------------------- */

BOOL DibImageDraw(DibImage *image, HPALETTE palette, HWND window, HDC dc, const RECT *destination,
                  const RECT *source, DWORD rop, UINT flags)
{
    BOOL ownDc = FALSE, haveDestination = destination != NULL;
    RECT to = { 0, 0, 0, 0 };
    HPALETTE previous = NULL;
    const BYTE *bytes;

    if (!image)
        return FALSE;
    if (dc) {
        if (destination)
            to = *destination;
    } else {
        dc = GetDC(window);
        if (!dc)
            return FALSE;
        ownDc = TRUE;
        GetClientRect(window, &to);
        haveDestination = TRUE;
    }
    if (palette && (flags & DRAW_SELECT_PALETTE)) {
        previous = SelectPalette(dc, palette, FALSE);
        if (flags & DRAW_REALIZE)
            RealizePalette(dc);
    }
    bytes = AccessData(image);
    if (bytes) {
        const BITMAPINFOHEADER *header = (const BITMAPINFOHEADER *)bytes;
        DWORD bitsOffset = header->biSize + 4 * DibColorCount(header);
        LONG rows = header->biHeight < 0 ? -header->biHeight : header->biHeight;
        int sx = 0, sy = 0, sw = image->width, sh = image->height, dw, dh;

        if (source) {
            sx = source->left;
            sy = source->top;
            sw = source->right - source->left;
            sh = source->bottom - source->top;
        }
        if (haveDestination && !(flags & DRAW_NATURAL_SIZE)) {
            dw = to.right - to.left;
            dh = to.bottom - to.top;
        } else {
            dw = sw;
            dh = sh;
        }
        /* pixels that the data does not hold are never handed to GDI */
        if (header->biSize == DIB_HEADER_SIZE && bitsOffset + RowBytes(header) * (DWORD)rows <= DataSize(image))
            StretchDIBits(dc, to.left, to.top, dw, dh, sx, image->height - sh - sy, sw, sh,
                          bytes + bitsOffset, (const BITMAPINFO *)header, DIB_RGB_COLORS, rop);
        EndAccess(image);
    }
    if (previous)
        SelectPalette(dc, previous, FALSE);
    if (ownDc)
        ReleaseDC(window, dc);
    return TRUE;
}
