/* Loading an advertisement GIF on Windows: the whole file is read with one
 * read into memory and decoded by the GIF core into a movable global
 * memory block, which the caller owns. Also gives the core its memory as
 * movable, zero-filled global blocks. */
#include "dialer/image/gif.h"

void *GifBlockAlloc(unsigned long size)
{
    return GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
}

unsigned char *GifBlockLock(void *block)
{
    return (unsigned char *)GlobalLock((HGLOBAL)block);
}

void GifBlockUnlock(void *block)
{
    GlobalUnlock((HGLOBAL)block);
}

void GifBlockFree(void *block)
{
    GlobalFree((HGLOBAL)block);
}

HGLOBAL LoadGifFile(const char *path)
{
    HANDLE file;
    DWORD sizeHigh = 0, size, got = 0;
    HGLOBAL copy = NULL, result = NULL;
    unsigned char *bytes;
    BOOL read;
    GifDecoder decoder; /* lives for this call only */

    if (!path || !path[0])
        return NULL;
    file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return NULL;
    size = GetFileSize(file, &sizeHigh);
    if ((size == 0xFFFFFFFF && GetLastError() != NO_ERROR) || sizeHigh != 0 || size < GIF_MIN_FILE_SIZE) {
        CloseHandle(file);
        return NULL;
    }
    copy = GlobalAlloc(GMEM_MOVEABLE, size);
    bytes = copy ? (unsigned char *)GlobalLock(copy) : NULL;
    if (!bytes) {
        if (copy)
            GlobalFree(copy);
        CloseHandle(file);
        return NULL;
    }
    read = ReadFile(file, bytes, size, &got, NULL);
    CloseHandle(file);
    if (read && got == size)
        result = (HGLOBAL)GifDecodeMemory(&decoder, bytes, size);
    GlobalUnlock(copy);
    GlobalFree(copy);
    return result;
}
