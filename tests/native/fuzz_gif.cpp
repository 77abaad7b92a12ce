// libFuzzer target for the GIF decoding core: any input must come back as
// a whole DIB block or none, within its bounds, with the work area freed.
#include "dialer/image/gif.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static GifDecoder decoder;
    unsigned char *dib = (unsigned char *)GifDecodeMemory(&decoder, data, (unsigned long)size);
    if (decoder.work)
        abort();
    if (dib) {
        // touch the whole block so that ASan checks its extent
        unsigned long total = 40 + 4UL * decoder.paletteSize + decoder.rowStride * (unsigned long)decoder.height;
        volatile unsigned char sum = 0;
        for (unsigned long i = 0; i < total; i++)
            sum ^= dib[i];
        free(dib);
    }
    return 0;
}
