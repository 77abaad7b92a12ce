// Memory blocks for the GIF decoding core when it is built natively (the
// cross-check, the fuzzer and the benchmark): plain zeroed heap blocks.
#include "dialer/image/gif.h"

#include <cstdlib>

void *GifBlockAlloc(unsigned long size)
{
    return calloc(1, size ? size : 1);
}

unsigned char *GifBlockLock(void *block)
{
    return (unsigned char *)block;
}

void GifBlockUnlock(void *)
{
}

void GifBlockFree(void *block)
{
    free(block);
}
