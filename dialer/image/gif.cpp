/* The GIF decoding core: the block walker, the LZW decoder and the row
 * writer that turn the first image of a GIF file in memory into a packed
 * device-independent bitmap. Faults inside the image data never fail the
 * decode: whatever was decoded stays and the rest of the image is colour 0.
 * Plain portable code; memory comes from the platform's block functions. */
#include "dialer/image/gif.h"

#include <string.h>

/* ---- Byte reader ---------------------------------------------------------- */

/* The next file byte, or -1 at the end of the file. */
static int ReadByte(GifDecoder *d)
{
    if (d->position >= d->fileSize)
        return -1;
    return d->file[d->position++];
}

/* ---- Row writer ------------------------------------------------------------ */

/* Where the next interlaced line goes: passes start at rows 0, 4, 2 and 1
 * with steps 8, 8, 4 and 2. A pass whose first row lies below a short
 * image is skipped, so that images of fewer than five rows still get every
 * row. */
static int NextInterlacedRow(GifDecoder *d)
{
    static const int PASS_START[4] = { 0, 4, 2, 1 };
    static const int PASS_STEP[4] = { 8, 8, 4, 2 };
    int row = d->nextRow;

    if (row >= d->height)
        return -1; /* past the last pass: outside the image */
    d->nextRow += d->rowStep;
    while (d->nextRow >= d->height && d->pass < 3) {
        d->pass++;
        d->nextRow = PASS_START[d->pass];
        d->rowStep = PASS_STEP[d->pass];
    }
    return row;
}

static void WriteLine(GifDecoder *d, int lineNumber)
{
    int row = d->interlaced ? NextInterlacedRow(d) : lineNumber;
    unsigned char *target;
    int x;

    if (row < 0 || row >= d->height || !d->pixels)
        return;
    target = d->pixels + (unsigned long)(d->height - 1 - row) * d->rowStride;
    if (d->bitsPerPixel == 8) {
        memcpy(target, d->line, (size_t)d->width);
        return;
    }
    /* pixels per byte and palette sizes are powers of two */
    for (x = 0; x < d->width; x++) {
        int position = x & (d->pixelsPerByte - 1);
        unsigned char value = (unsigned char)(d->line[x] & (d->paletteSize - 1));
        unsigned char *byte = target + (x >> (d->bitsPerPixel == 4 ? 1 : 3));
        *byte = (unsigned char)((*byte & d->keepMask[position]) | (value << d->shift[position]));
    }
}

/* Moves the expanded string from the stack into the line buffer, handing
 * every completed line to the row writer. 0 once every row of the image
 * has had its line: whatever data follows could only be dropped. */
static int FlushStack(GifDecoder *d)
{
    while (d->stackTop > 0) {
        d->line[d->lineFill++] = d->stack[--d->stackTop];
        if (--d->lineMissing == 0) {
            WriteLine(d, d->linesDone++);
            d->lineFill = 0;
            d->lineMissing = d->width;
            if (d->linesDone >= d->height) {
                d->stackTop = 0;
                return 0;
            }
        }
    }
    return 1;
}

/* ---- Bit reader ------------------------------------------------------------ */

/* Refills the sub-block buffer; 0 when the file has ended. A sub-block
 * that the end of the file cuts short still gives the bytes it has, so a
 * truncated file shows as much of its picture as it holds. */
static int ReadSubBlock(GifDecoder *d)
{
    int length = ReadByte(d);
    int i;

    if (length < 0)
        return 0;
    for (i = 0; i < length; i++) {
        int byte = ReadByte(d);
        if (byte < 0)
            break;
        d->block[i] = (unsigned char)byte;
    }
    d->blockPosition = 0;
    d->blockLeft = i;
    return i > 0 || length == 0;
}

/* The next code, least significant bit first across the sub-blocks, or -1
 * when the file ends first. An empty sub-block (the terminator) gives no
 * bits, so the reader goes on to what follows it. */
static int ReadCode(GifDecoder *d)
{
    int code;

    while (d->bitCount < d->codeSize) {
        if (d->blockLeft == 0) {
            if (!ReadSubBlock(d))
                return -1;
            continue;
        }
        d->currentByte = d->block[d->blockPosition++];
        d->blockLeft--;
        d->bitBuffer |= (unsigned long)d->currentByte << d->bitCount;
        d->bitCount += 8;
    }
    code = (int)(d->bitBuffer & ((1UL << d->codeSize) - 1));
    d->bitBuffer >>= d->codeSize;
    d->bitCount -= d->codeSize;
    return code;
}

/* ---- LZW decoder ----------------------------------------------------------- */

static void ResetCodeSize(GifDecoder *d)
{
    d->codeSize = d->minCodeSize + 1;
    d->codeLimit = 1 << d->codeSize;
    d->nextFree = d->firstFree;
}

static void Push(GifDecoder *d, int value)
{
    d->stack[d->stackTop++] = (unsigned char)value;
}

/* Expands a code of the normal state onto the stack and extends the table.
 * 0 when corrupt data would run the expansion past the stack. */
static int ExpandCode(GifDecoder *d, int c)
{
    int literal;

    d->code = c;
    if (d->code >= d->nextFree) {
        Push(d, d->firstChar);
        d->code = d->previousCode;
    }
    while (d->code >= d->firstFree) {
        if (d->stackTop >= GIF_STACK_SIZE - 1)
            return 0; /* a chain without end: table entries pointing forward */
        Push(d, d->suffix[d->code]);
        d->code = d->prefix[d->code];
    }
    literal = d->code & 0xFF;
    Push(d, literal);

    if (d->nextFree < d->codeLimit) {
        d->prefix[d->nextFree] = (unsigned short)d->previousCode;
        d->suffix[d->nextFree] = (unsigned char)literal;
        d->nextFree++;
        d->previousCode = c;
        d->firstChar = literal;
    }
    if (d->nextFree >= d->codeLimit && d->codeSize < 12) {
        d->codeLimit <<= 1;
        d->codeSize++;
    }
    return 1;
}

static void DecodeImageData(GifDecoder *d)
{
    int c;

    d->minCodeSize = ReadByte(d);
    if (d->minCodeSize < 2 || d->minCodeSize > 9)
        return;
    d->clearCode = 1 << d->minCodeSize;
    d->endCode = d->clearCode + 1;
    d->firstFree = d->clearCode + 2;
    ResetCodeSize(d);
    d->bitBuffer = 0;
    d->bitCount = 0;
    d->blockLeft = 0;
    d->blockPosition = 0;

    d->work = GifBlockAlloc(GIF_WORK_SIZE);
    if (!d->work)
        return;
    d->stack = GifBlockLock(d->work);
    if (!d->stack) {
        GifBlockFree(d->work);
        d->work = 0;
        return;
    }
    d->suffix = d->stack + GIF_STACK_SIZE;
    d->prefix = (unsigned short *)(d->suffix + GIF_MAX_CODES);

    d->previousCode = 0;
    d->firstChar = 0;
    d->stackTop = 0;
    d->lineFill = 0;
    d->lineMissing = d->width;
    d->linesDone = 0;
    /* The first code is read as after a clear: it only starts the first
     * string. Data that opens with a clear code decodes the same either
     * way; data without one would otherwise gain a stray table entry and
     * decode shifted. */
    d->state = GIF_STATE_AFTER_CLEAR;

    for (;;) {
        c = ReadCode(d);
        if (d->state == GIF_STATE_AFTER_CLEAR) {
            if (c == d->clearCode)
                continue;
            if (c < 0 || c == d->endCode)
                break;
            if (c >= d->nextFree)
                c = 0;
            Push(d, c & 0xFF);
            d->previousCode = c;
            d->firstChar = c & 0xFF;
            d->state = GIF_STATE_NORMAL;
        } else {
            if (c < 0 || c == d->endCode)
                break;
            if (c == d->clearCode) {
                ResetCodeSize(d);
                d->state = GIF_STATE_AFTER_CLEAR;
                continue;
            }
            if (!ExpandCode(d, c))
                break;
        }
        if (!FlushStack(d))
            break;
    }

    GifBlockUnlock(d->work);
    GifBlockFree(d->work);
    d->work = 0;
    d->stack = 0;
    d->suffix = 0;
    d->prefix = 0;
}

/* ---- Output set-up ----------------------------------------------------------- */

static void ChooseFormat(GifDecoder *d)
{
    int i;

    if (d->colorCount <= 2) {
        d->paletteSize = 2;
        d->bitsPerPixel = 1;
    } else if (d->colorCount <= 16) {
        d->paletteSize = 16;
        d->bitsPerPixel = 4;
    } else {
        d->paletteSize = 256;
        d->bitsPerPixel = 8;
    }
    d->pixelsPerByte = 8 / d->bitsPerPixel;
    d->rowStride = 4 * (((unsigned long)d->width * d->bitsPerPixel + 31) / 32);
    d->pixelStride = d->rowStride * d->pixelsPerByte;
    for (i = 0; i < d->pixelsPerByte; i++) {
        int shift = 8 - d->bitsPerPixel * (i + 1);
        unsigned char mask = (unsigned char)(((1 << d->bitsPerPixel) - 1) << shift);
        d->shift[i] = (unsigned char)shift;
        d->keepMask[i] = (unsigned char)~mask;
    }
}

static void Put32(unsigned char *p, unsigned long value)
{
    p[0] = (unsigned char)value;
    p[1] = (unsigned char)(value >> 8);
    p[2] = (unsigned char)(value >> 16);
    p[3] = (unsigned char)(value >> 24);
}

/* Allocates the zeroed DIB block and writes its header and colour table;
 * leaves it locked with d->pixels set. 0 when there is no memory. */
static int CreateDib(GifDecoder *d)
{
    unsigned long imageSize = d->rowStride * (unsigned long)d->height;
    unsigned long tableSize = 4UL * d->paletteSize;
    unsigned char *bytes;
    int i;

    d->dib = GifBlockAlloc(GIF_HEADER_SIZE + tableSize + imageSize);
    if (!d->dib)
        return 0;
    bytes = GifBlockLock(d->dib);
    if (!bytes) {
        GifBlockFree(d->dib);
        d->dib = 0;
        return 0;
    }
    Put32(bytes + 0, GIF_HEADER_SIZE);
    Put32(bytes + 4, (unsigned long)d->width);
    Put32(bytes + 8, (unsigned long)d->height);
    bytes[12] = 1;                                  /* planes */
    bytes[14] = (unsigned char)d->bitsPerPixel;
    Put32(bytes + 16, 0);                           /* BI_RGB */
    Put32(bytes + 20, imageSize);
    Put32(bytes + 32, (unsigned long)d->paletteSize);
    Put32(bytes + 36, (unsigned long)d->paletteSize);
    for (i = 0; i < d->colorCount && i < d->paletteSize; i++) {
        unsigned char *entry = bytes + GIF_HEADER_SIZE + 4 * i;
        entry[0] = d->colors[3 * i + 2];
        entry[1] = d->colors[3 * i + 1];
        entry[2] = d->colors[3 * i];
    }
    d->pixels = bytes + GIF_HEADER_SIZE + tableSize;
    return 1;
}

/* ---- Block walker ------------------------------------------------------------ */

/* Skips an extension: its label, then sub-blocks up to the empty one. */
static void SkipExtension(GifDecoder *d)
{
    int length;

    if (ReadByte(d) < 0)
        return;
    while ((length = ReadByte(d)) > 0) {
        if (d->fileSize - d->position < (unsigned long)length) {
            d->position = d->fileSize;
            return;
        }
        d->position += (unsigned long)length;
    }
}

/* 1 when the first image was decoded into d->dib, 0 otherwise. */
static int WalkBlocks(GifDecoder *d)
{
    unsigned char descriptor[9];
    int i;

    for (;;) {
        int introducer = ReadByte(d);
        if (introducer == 0x21) {
            SkipExtension(d);
            continue;
        }
        if (introducer != 0x2C)
            return 0; /* the trailer, the end of the file or a stray byte */
        for (i = 0; i < 9; i++) {
            int byte = ReadByte(d);
            if (byte < 0)
                return 0;
            descriptor[i] = (unsigned char)byte;
        }
        d->width = descriptor[4] | (descriptor[5] << 8);
        d->height = descriptor[6] | (descriptor[7] << 8);
        d->interlaced = (descriptor[8] & 0x40) != 0;
        /* A line holds at most GIF_MAX_WIDTH pixels; wider or empty images
         * are refused rather than decoded into a line they cannot fill. */
        if (d->width == 0 || d->width > GIF_MAX_WIDTH)
            return 0;
        d->pass = 0;
        d->rowStep = d->interlaced ? 8 : 1;
        d->nextRow = 0;
        ChooseFormat(d);
        if (!CreateDib(d))
            return 0;
        DecodeImageData(d);
        GifBlockUnlock(d->dib);
        d->pixels = 0;
        return 1;
    }
}

void *GifDecodeMemory(GifDecoder *d, const unsigned char *file, unsigned long size)
{
    int packed, count, i;

    memset(d, 0, sizeof(*d));
    if (!file || size < GIF_MIN_FILE_SIZE)
        return 0;
    d->file = file;
    d->fileSize = size;
    if (file[0] != 'G' || file[1] != 'I' || file[2] != 'F')
        return 0;
    if (file[3] < '0' || file[3] > '9' || file[4] < '0' || file[4] > '9')
        return 0;
    if (file[5] < 'A' || file[5] > 'z')
        return 0;
    packed = file[10];
    if (!(packed & 0x80))
        return 0;
    count = 2 << (packed & 7);
    d->position = 13;
    for (i = 0; i < 3 * count; i++) {
        int byte = ReadByte(d);
        if (byte < 0)
            return 0;
        d->colors[i] = (unsigned char)byte;
    }
    d->colorCount = count;
    if (!WalkBlocks(d)) {
        if (d->dib)
            GifBlockFree(d->dib);
        d->dib = 0;
        return 0;
    }
    return d->dib;
}
