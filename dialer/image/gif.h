/* GIF decoding for the advertisement banner: the first image of a GIF file
 * with a global colour table becomes a packed device-independent bitmap
 * (header, colour table, bottom-up rows) in one zeroed memory block.
 *
 * The decoding core (gif.cpp) uses no Windows headers, so that it also
 * builds natively for the cross-check against another decoder, the fuzzer
 * and the benchmark. It takes its memory blocks from four platform
 * functions: gifload.cpp gives it movable global memory on Windows. */
#ifndef TOVA_GIF_H
#define TOVA_GIF_H

#define GIF_MIN_FILE_SIZE   16
#define GIF_MAX_COLORS      256
#define GIF_MAX_WIDTH       2052      /* pixels a line can hold */
#define GIF_LINE_SIZE       2052
#define GIF_MAX_CODES       4096      /* 12-bit codes */
#define GIF_STACK_SIZE      4096
#define GIF_WORK_SIZE       16384     /* stack + suffixes + 16-bit prefixes */
#define GIF_HEADER_SIZE     40        /* BITMAPINFOHEADER */

/* States of the code reader. */
#define GIF_STATE_NORMAL        0
#define GIF_STATE_AFTER_CLEAR   1

struct GifDecoder {
    /* input: the whole file */
    const unsigned char *file;
    unsigned long fileSize;
    unsigned long position;

    /* global colour table */
    unsigned char colors[GIF_MAX_COLORS * 3];
    int colorCount;

    /* image geometry */
    int width;
    int height;
    int interlaced;
    int pass;
    int rowStep;
    int nextRow;

    /* output format */
    int paletteSize;
    int bitsPerPixel;
    int pixelsPerByte;
    unsigned long pixelStride;      /* row stride in pixels */
    unsigned long rowStride;        /* row stride in bytes */
    unsigned char keepMask[8];      /* per position in a byte */
    unsigned char shift[8];

    /* output */
    void *dib;                      /* platform block of the packed DIB */
    unsigned char *pixels;          /* first (bottom) pixel row, while locked */

    /* LZW state */
    int minCodeSize;
    int codeSize;
    int clearCode;
    int endCode;
    int firstFree;
    int nextFree;
    int codeLimit;
    int previousCode;
    int firstChar;
    int code;
    int state;

    /* bit reader */
    unsigned long bitBuffer;
    int bitCount;
    int currentByte;
    unsigned char block[255];
    int blockPosition;
    int blockLeft;

    /* work area: pixel stack, suffixes, prefixes */
    void *work;
    unsigned char *stack;
    unsigned char *suffix;
    unsigned short *prefix;
    int stackTop;

    /* line buffer */
    unsigned char line[GIF_LINE_SIZE];
    int lineFill;
    int lineMissing;
    int linesDone;
};

/* Platform memory: a zero-filled block by handle, locked for access. */
void *GifBlockAlloc(unsigned long size);
unsigned char *GifBlockLock(void *block);
void GifBlockUnlock(void *block);
void GifBlockFree(void *block);

/* Decodes the first image of a GIF file held in memory. Returns the
 * packed DIB block (unlocked, owned by the caller) or null. */
void *GifDecodeMemory(GifDecoder *decoder, const unsigned char *file, unsigned long size);

#ifdef _WIN32
#include <windows.h>
/* Reads a GIF file and returns its first image as a packed DIB in a
 * movable global memory block, unlocked, or null. */
HGLOBAL LoadGifFile(const char *path);
#endif

#endif
